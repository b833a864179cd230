#pragma once
// The password lock's attempts, apart from the dialog that asks: the typed
// text's hash against the stored one, the cancel marker, and the report
// after each wrong password.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vnx {

// What the password dialog answers when it ends without confirmation. Its
// hash is that of "CanCel": the trimming of the hash drops both control
// characters, so typing "CanCel" cancels too.
inline constexpr std::string_view kCancelMarker{"\001CanCel\016", 8};

inline constexpr int kPasswordAttempts = 3;

// True when the lock is off or a typed password matches the stored hash;
// false on cancel or after the third wrong password. ask returns the typed
// text or kCancelMarker; reportWrong tells the viewer of a wrong password.
bool PasswordAccepted(bool locked, std::int32_t storedHash, const std::function<std::string()>& ask,
                      const std::function<void()>& reportWrong);

}  // namespace vnx
