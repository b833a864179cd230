#pragma once
// Exceptions must never unwind through Windows' own frames (DispatchMessage,
// enumeration callbacks, dialog and hook procedures): the cross compiler's
// DWARF unwinder cannot cross them. Every callback runs its body through
// GuardCallback, which parks an escaping exception; the message pump rethrows
// it once DispatchMessage has returned.

#include <exception>
#include <utility>

namespace vnx {

void ParkCallbackException(std::exception_ptr error);
// Rethrows and clears a parked exception; does nothing when none is parked.
void RethrowParkedCallbackException();

template <class Result, class Body>
Result GuardCallback(Result fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    ParkCallbackException(std::current_exception());
    return fallback;
  }
}

}  // namespace vnx
