#include "window/server_query.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(ServerQuery, TagCornersAndInvalidQueries) {
  using Kind = ServerQuery::Kind;
  struct Case {
    std::uintptr_t wParam;
    std::intptr_t lParam;
    Kind kind;
    bool bottomRight, yAxis;
  } const cases[] = {
      {0, 0, Kind::Tag, false, false},        {0, 77, Kind::Tag, false, false},
      {1, 0, Kind::Coordinate, false, false},  // client left
      {1, 1, Kind::Coordinate, true, false},   // client right
      {1, 2, Kind::Coordinate, false, true},   // client top
      {1, 3, Kind::Coordinate, true, true},    // client bottom
      {1, 4, Kind::Invalid, false, false},    {1, -1, Kind::Invalid, false, false},
      {2, 0, Kind::Invalid, false, false},
  };
  for (const Case& c : cases) {
    const ServerQuery query = ParseServerQuery(c.wParam, c.lParam);
    EXPECT_EQ(query.kind, c.kind) << c.wParam << " " << c.lParam;
    if (query.kind == Kind::Coordinate) {
      EXPECT_EQ(query.bottomRight, c.bottomRight);
      EXPECT_EQ(query.yAxis, c.yAxis);
    }
  }
  EXPECT_EQ(kRunnerTag, 'V' | 'N' << 8 | 'X' << 16 | 'E' << 24);
}

}  // namespace
}  // namespace vnx
