#include "window/server_query.h"

namespace vnx {

ServerQuery ParseServerQuery(std::uintptr_t wParam, std::intptr_t lParam) {
  if (wParam == 0) return {ServerQuery::Kind::Tag};
  if (wParam != 1) return {};
  const std::intptr_t axis = lParam & ~std::intptr_t{1};
  if (axis != 0 && axis != 2) return {};
  return {ServerQuery::Kind::Coordinate, (lParam & 1) != 0, axis == 2};
}

}  // namespace vnx
