// The runner's window at every scaling: the settings' 96-DPI rectangle
// scaled to the screen's pixels, then laid out and aligned on the screen as
// at 96 DPI; and screen pixels given back to programs that declare nothing.

#include "window/screen_scaling.h"

#include <gtest/gtest.h>

#include "runner/window_layout.h"
#include "window/alignment.h"

namespace vnx {
namespace {

struct PlacementCase {
  const char* Name;
  std::int32_t Dpi;
  std::int32_t ScreenWidth, ScreenHeight;  // the screen's own pixels
  bool FullScreen, CustomSize, NoTitle;
  SettingsRect Settings;   // as written, for 96 DPI
  std::int32_t Alignment;  // both axes
  SettingsRect Expected;   // the frame on the screen
};

SettingsRect Place(const PlacementCase& c) {
  MainWindowSettings settings;
  settings.FullScreen = c.FullScreen;
  settings.CustomSize = c.CustomSize;
  settings.NoTitle = c.NoTitle;
  const SettingsRect scaled = ScreenRectOf(c.Settings, c.Dpi);
  settings.Left = scaled.Left;
  settings.Top = scaled.Top;
  settings.Width = scaled.Width;
  settings.Height = scaled.Height;
  const ScreenRect screen{0, 0, c.ScreenWidth, c.ScreenHeight};
  const MainWindowLayout layout = ComputeMainWindowLayout(settings, OsFlags{}, c.ScreenWidth, c.ScreenHeight, screen);
  const WindowOrigin origin = AlignWindow({c.FullScreen, c.Alignment, c.Alignment, 0, 0, c.ScreenWidth, c.ScreenHeight,
                                           layout.Left, layout.Top, layout.Width, layout.Height});
  return {origin.Left, origin.Top, layout.Width, layout.Height};
}

TEST(ScreenScaling, TheSettingsFrameIsTheSamePictureScaledAsAWhole) {
  const PlacementCase cases[] = {
      {"96: as written", 96, 1024, 768, false, true, false, {10, 20, 500, 400}, 0, {10, 20, 500, 400}},
      {"120: halves round away from zero",
       120,
       1280,
       960,
       false,
       true,
       false,
       {10, 20, 500, 400},
       0,
       {13, 25, 625, 500}},
      {"144", 144, 1536, 1152, false, true, false, {10, 20, 500, 400}, 0, {15, 30, 750, 600}},
      {"192", 192, 2048, 1536, false, true, false, {10, 20, 500, 400}, 0, {20, 40, 1000, 800}},
      {"144, a negative position", 144, 1536, 1152, false, true, false, {-10, -3, 500, 400}, 0, {-15, -5, 750, 600}},
      {"144, centred on the screen's pixels",
       144,
       1920,
       1080,
       false,
       true,
       false,
       {10, 20, 500, 400},
       2,
       {585, 240, 750, 600}},
      {"192, at the far edges", 192, 2560, 1440, false, true, false, {0, 0, 640, 480}, 3, {1280, 480, 1280, 960}},
      {"120, centred, wider than the screen by an odd amount",
       120,
       1024,
       768,
       false,
       true,
       false,
       {0, 0, 820, 600},
       2,
       {0, 9, 1025, 750}},
      // Full screen takes the screen as it is, whatever the settings say.
      {"144, full screen", 144, 1536, 1152, true, false, false, {10, 20, 500, 400}, 2, {0, 0, 1536, 1152}},
      {"192, full screen of its own styles",
       192,
       2048,
       1536,
       true,
       true,
       true,
       {10, 20, 500, 400},
       2,
       {0, 0, 2048, 1536}},
  };
  for (const PlacementCase& c : cases) EXPECT_EQ(Place(c), c.Expected) << c.Name;
}

TEST(ScreenScaling, ScreenPixelsAsAProgramThatDeclaresNothingSeesThem) {
  const struct {
    std::int32_t Dpi, Screen, Unscaled;
  } cases[] = {
      {96, 975, 975},  {120, 1023, 818}, {144, 975, 650},
      {144, -15, -10}, {192, 1281, 641}, {0, 700, 700},  // a DPI the system did not tell: unscaled
  };
  for (const auto& c : cases) EXPECT_EQ(UnscaledPixelsOf(c.Screen, c.Dpi), c.Unscaled) << c.Dpi << " " << c.Screen;
}

TEST(ScreenScaling, ARoundingOfTheSystemIsNoRefusal) {
  const struct {
    std::int32_t Dpi, Asked, Got;
    bool Rounding;
  } cases[] = {
      {96, 500, 500, true},   {96, 500, 499, false}, {120, 740, 739, true},  {120, 740, 738, false},
      {144, 740, 739, true},  {144, 739, 740, true}, {144, 740, 738, false}, {192, 740, 739, true},
      {192, 740, 738, false}, {0, 500, 499, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DiffersOnlyByScaling(c.Asked, c.Got, c.Dpi), c.Rounding) << c.Dpi << " " << c.Asked << " " << c.Got;
}

}  // namespace
}  // namespace vnx
