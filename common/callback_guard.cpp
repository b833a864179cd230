#include "common/callback_guard.h"

namespace vnx {
namespace {

// The runner has one user-interface thread; the parked exception belongs to it.
std::exception_ptr parked;

}  // namespace

void ParkCallbackException(std::exception_ptr error) {
  // A second exception while one is parked (a nested callback failing while
  // the first has not reached the pump yet) does not replace the first.
  if (!parked) parked = std::move(error);
}

void RethrowParkedCallbackException() {
  if (!parked) return;
  std::rethrow_exception(std::exchange(parked, nullptr));
}

}  // namespace vnx
