#pragma once
// The answer to another process's position query (the registered message
// "OrrindaleRunnerSvrMessage"): WParam 0 asks for the runner's tag, WParam 1
// for one screen coordinate of a corner of the client area.

#include <cstdint>

#include "contract/private_messages.h"

namespace vnx {

struct ServerQuery {
  enum class Kind { Invalid, Tag, Coordinate };
  Kind kind = Kind::Invalid;
  bool bottomRight = false;  // the corner (ClientWidth, ClientHeight) instead of (0, 0)
  bool yAxis = false;        // the screen y instead of x
};

ServerQuery ParseServerQuery(std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace vnx
