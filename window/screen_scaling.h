#pragma once
// The runner declares itself aware of the system's scaling (its manifest),
// so it works in the screen's own pixels at every DPI, as do the projector's
// window it takes over and the screen it fills. Two kinds of coordinates are
// still pixels of a 96-DPI screen: the window rectangle of the settings
// ("Left", "Top", "Width", "Height"), which an author writes for 96 DPI and
// a viewer at 150 % expects scaled as a whole; and those of the programs
// that declare nothing about scaling (the position query's callers), which
// the system scales for them.

#include <cstdint>

namespace vnx {

inline constexpr std::int32_t kUnscaledDpi = 96;

// Pixels of a 96-DPI screen as pixels of a screen of `dpi` (rounded to the
// nearest, halves away from zero); a DPI the system did not tell counts as 96.
std::int32_t ScreenPixelsOf(std::int32_t unscaled, std::int32_t dpi);
// The other way: a screen pixel as a program that declares nothing sees it.
std::int32_t UnscaledPixelsOf(std::int32_t screen, std::int32_t dpi);

// Whether two sizes of a window of a program that declares nothing differ
// only by the system's rounding between its pixels and the screen's: by less
// than one of its pixels.
bool DiffersOnlyByScaling(std::int32_t asked, std::int32_t got, std::int32_t dpi);

struct SettingsRect {
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  friend bool operator==(const SettingsRect&, const SettingsRect&) = default;
};

// The settings' window rectangle on a screen of `dpi`.
SettingsRect ScreenRectOf(const SettingsRect& unscaled, std::int32_t dpi);

}  // namespace vnx
