#include "runner/window_layout.h"

namespace vnx {
namespace {

std::uint32_t FramedStyle(const MainWindowSettings& s) {
  using namespace style;
  if (s.NoBorder) return kPopupSysMenu;
  if (!s.NoTitle) return kPopupSysMenu | kCaption | kMinimizeBox | kMaximizeBox | (s.AllowResize ? kThickFrame : 0);
  return kPopupSysMenu | (s.AllowResize ? kThickFrame : kBorder);
}

}  // namespace

MainWindowLayout ComputeMainWindowLayout(const MainWindowSettings& s, const OsFlags& os, std::int32_t screenWidth,
                                         std::int32_t screenHeight, const ScreenRect& fullScreenRect) {
  MainWindowLayout layout;
  const bool bareFullScreen = s.FullScreen && !s.CustomSize;
  if (bareFullScreen) {
    layout.Style = style::kPopupSysMenu;
    layout.Width = screenWidth;
    layout.Height = screenHeight;
  } else {
    layout.Style = FramedStyle(s);
    layout.Left = s.Left;
    layout.Top = s.Top;
    layout.Width = s.Width;
    layout.Height = s.Height;
  }

  // Full screen with a window of its own styles: a frameless one is sized to
  // the screen, a captioned one is maximised after creation.
  if (s.FullScreen && s.CustomSize) {
    if (s.NoTitle || s.NoBorder) {
      layout.Left = fullScreenRect.Left;
      layout.Top = fullScreenRect.Top;
      layout.Width = fullScreenRect.Right - fullScreenRect.Left;
      layout.Height = fullScreenRect.Bottom - fullScreenRect.Top;
    } else {
      layout.Maximise = true;
    }
  }

  const bool topmost = bareFullScreen ? (os.WinMe || os.WinNT5) : (s.AlwaysOnTop || s.FullScreen);
  layout.ExStyle = style::kExAppWindow | (topmost ? style::kExTopmost : 0);
  return layout;
}

std::vector<PopupMenuItem> PopupMenuItems(bool closeMenu, bool setupMenu, bool minimizeMenu) {
  std::vector<PopupMenuItem> items;
  if (closeMenu) items.push_back({kCommandClose, "Close"});
  if (setupMenu) items.push_back({kCommandSetup, "Setup"});
  if (minimizeMenu) items.push_back({kCommandMinimize, "Minimize"});
  return items;
}

}  // namespace vnx
