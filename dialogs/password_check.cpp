#include "dialogs/password_check.h"

#include "session/password_hash.h"

namespace vnx {

bool PasswordAccepted(bool locked, std::int32_t storedHash, const std::function<std::string()>& ask,
                      const std::function<void()>& reportWrong) {
  if (!locked) return true;
  const std::uint32_t cancelled = PasswordHash(kCancelMarker);
  for (int attempt = 1; attempt <= kPasswordAttempts; ++attempt) {
    const std::uint32_t typed = PasswordHash(ask());
    // The stored hash comes first: a presentation locked with "CanCel"
    // opens on a cancelled dialog.
    if (typed == static_cast<std::uint32_t>(storedHash)) return true;
    if (typed == cancelled) return false;
    reportWrong();
  }
  return false;
}

}  // namespace vnx
