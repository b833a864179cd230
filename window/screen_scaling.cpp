#include "window/screen_scaling.h"

#include "window/mul_div.h"

namespace vnx {
namespace {

std::int32_t Known(std::int32_t dpi) { return dpi > 0 ? dpi : kUnscaledDpi; }

}  // namespace

std::int32_t ScreenPixelsOf(std::int32_t unscaled, std::int32_t dpi) {
  return MulDiv(unscaled, Known(dpi), kUnscaledDpi);
}

std::int32_t UnscaledPixelsOf(std::int32_t screen, std::int32_t dpi) {
  return MulDiv(screen, kUnscaledDpi, Known(dpi));
}

bool DiffersOnlyByScaling(std::int32_t asked, std::int32_t got, std::int32_t dpi) {
  const std::int64_t difference = std::int64_t{asked} - got;
  return (difference < 0 ? -difference : difference) * kUnscaledDpi < Known(dpi);
}

SettingsRect ScreenRectOf(const SettingsRect& unscaled, std::int32_t dpi) {
  return {ScreenPixelsOf(unscaled.Left, dpi), ScreenPixelsOf(unscaled.Top, dpi), ScreenPixelsOf(unscaled.Width, dpi),
          ScreenPixelsOf(unscaled.Height, dpi)};
}

}  // namespace vnx
