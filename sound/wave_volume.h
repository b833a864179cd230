#pragma once
// The wave mapper's volume: low word left channel, high word right channel,
// 0 to 0xFFFF each.

#include <cstdint>
#include <optional>

namespace vnx {

// Nothing when the wave mapper has no volume control or its volume cannot be
// read: a volume that was never read cannot be given back, so it is not
// changed either.
std::optional<std::uint32_t> GetWaveVolume();
// Sets the volume when the wave mapper has a volume control whose volume can
// be read; otherwise does nothing.
void SetWaveVolume(std::uint32_t volume);

}  // namespace vnx
