#include "runner/window_layout.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

constexpr std::int32_t kScreenW = 1024, kScreenH = 768;
const ScreenRect kScreen{0, 0, kScreenW, kScreenH};
constexpr std::uint32_t kApp = style::kExAppWindow;
constexpr std::uint32_t kTop = style::kExAppWindow | style::kExTopmost;

// FullScreen, CustomSize, NoBorder, NoTitle, AllowResize, AlwaysOnTop.
struct Row {
  const char* name;
  bool fs, cs, noBorder, noTitle, resize, onTop;
  MainWindowLayout expected;
};

TEST(MainWindowLayout, StyleTableOnAnNt6System) {
  const OsFlags nt6{};
  const Row rows[] = {
      {"bare full screen", true, false, false, false, true, false, {0x80080000, kApp, 0, 0, kScreenW, kScreenH, false}},
      {"bare full screen ignores frame settings",
       true,
       false,
       true,
       true,
       false,
       true,
       {0x80080000, kApp, 0, 0, kScreenW, kScreenH, false}},
      {"no border", false, false, true, false, true, false, {0x80080000, kApp, 10, 20, 640, 480, false}},
      {"no border wins over no title",
       false,
       false,
       true,
       true,
       false,
       false,
       {0x80080000, kApp, 10, 20, 640, 480, false}},
      {"caption, sizable", false, false, false, false, true, false, {0x80CF0000, kApp, 10, 20, 640, 480, false}},
      {"caption, fixed", false, false, false, false, false, false, {0x80CB0000, kApp, 10, 20, 640, 480, false}},
      {"no title, sizable", false, false, false, true, true, false, {0x800C0000, kApp, 10, 20, 640, 480, false}},
      {"no title, fixed", false, false, false, true, false, false, {0x80880000, kApp, 10, 20, 640, 480, false}},
      {"always on top", false, false, false, false, false, true, {0x80CB0000, kTop, 10, 20, 640, 480, false}},
      {"custom size with caption is maximised",
       true,
       true,
       false,
       false,
       true,
       false,
       {0x80CF0000, kTop, 10, 20, 640, 480, true}},
      {"custom size without border covers the screen",
       true,
       true,
       true,
       false,
       true,
       false,
       {0x80080000, kTop, 0, 0, kScreenW, kScreenH, false}},
      {"custom size without title covers the screen",
       true,
       true,
       false,
       true,
       false,
       false,
       {0x80880000, kTop, 0, 0, kScreenW, kScreenH, false}},
      {"custom size alone is not full screen",
       false,
       true,
       false,
       false,
       true,
       false,
       {0x80CF0000, kApp, 10, 20, 640, 480, false}},
  };
  for (const Row& r : rows) {
    const MainWindowSettings s{r.fs, r.cs, r.noBorder, r.noTitle, r.resize, r.onTop, 10, 20, 640, 480};
    EXPECT_EQ(ComputeMainWindowLayout(s, nt6, kScreenW, kScreenH, kScreen), r.expected) << r.name;
  }
}

TEST(MainWindowLayout, BareFullScreenIsTopmostOnlyOnMeAndNt5) {
  struct Case {
    OsFlags os;
    bool alwaysOnTop;
    bool topmost;
  } const cases[] = {
      {{true, false, false, false}, true, false},   // 95, even with AlwaysOnTop
      {{false, true, false, false}, false, false},  // 98
      {{false, false, true, false}, false, true},   // Me
      {{false, false, false, true}, false, true},   // 2000/XP
      {{false, false, false, false}, true, false},  // later NT
  };
  for (const Case& c : cases) {
    const MainWindowSettings s{true, false, false, false, false, c.alwaysOnTop, 0, 0, 640, 480};
    const auto layout = ComputeMainWindowLayout(s, c.os, kScreenW, kScreenH, kScreen);
    EXPECT_EQ((layout.ExStyle & style::kExTopmost) != 0, c.topmost);
  }
}

TEST(MainWindowLayout, FullScreenRectGivesTheOverride) {
  const MainWindowSettings s{true, true, true, false, false, false, 10, 20, 640, 480};
  const auto layout = ComputeMainWindowLayout(s, OsFlags{}, 800, 600, ScreenRect{5, 6, 805, 606});
  EXPECT_EQ(layout.Left, 5);
  EXPECT_EQ(layout.Top, 6);
  EXPECT_EQ(layout.Width, 800);
  EXPECT_EQ(layout.Height, 600);
}

TEST(PopupMenuItems, EveryCombinationInTableOrder) {
  for (int mask = 0; mask < 8; ++mask) {
    const bool close = mask & 1, setup = mask & 2, minimize = mask & 4;
    std::vector<unsigned> expected;
    if (close) expected.push_back(kCommandClose);
    if (setup) expected.push_back(kCommandSetup);
    if (minimize) expected.push_back(kCommandMinimize);
    std::vector<unsigned> ids;
    for (const auto& item : PopupMenuItems(close, setup, minimize)) ids.push_back(item.Id);
    EXPECT_EQ(ids, expected) << mask;
  }
  const auto all = PopupMenuItems(true, true, true);
  EXPECT_STREQ(all[0].Text, "Close");
  EXPECT_STREQ(all[1].Text, "Setup");
  EXPECT_STREQ(all[2].Text, "Minimize");
}

}  // namespace
}  // namespace vnx
