#pragma once
// The default render endpoint's mute switch through Core Audio (Windows
// Vista and later). Each call gets what it needs afresh and gives it back;
// any failure (no Core Audio, no endpoint, a call refused) is an empty or
// false answer.

#include <optional>
#include <string>

namespace vnx {

std::optional<std::string> DefaultRenderEndpointId();
std::optional<bool> GetEndpointMuteOf(const std::string& endpointId);
bool SetEndpointMuteOf(const std::string& endpointId, bool muted);

}  // namespace vnx
