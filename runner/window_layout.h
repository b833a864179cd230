#pragma once
// The main window's style, extended style, position and size as the
// presentation settings ask for them.

#include <cstdint>
#include <string>
#include <vector>

#include "runner/os_version.h"

namespace vnx {

namespace style {
inline constexpr std::uint32_t kPopupSysMenu = 0x80080000;  // WS_POPUP | WS_SYSMENU
inline constexpr std::uint32_t kCaption = 0x00C00000;
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kThickFrame = 0x00040000;
inline constexpr std::uint32_t kMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kMaximizeBox = 0x00010000;
inline constexpr std::uint32_t kClipChildren = 0x02000000;
inline constexpr std::uint32_t kExAppWindow = 0x00040000;
inline constexpr std::uint32_t kExTopmost = 0x00000008;
}  // namespace style

struct ScreenRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct MainWindowSettings {
  bool FullScreen = false;
  bool CustomSize = false;
  bool NoBorder = false;
  bool NoTitle = false;
  bool AllowResize = false;
  bool AlwaysOnTop = false;
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

struct MainWindowLayout {
  std::uint32_t Style = 0;  // without WS_CLIPCHILDREN, which creation adds
  std::uint32_t ExStyle = 0;
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  bool Maximise = false;  // SC_MAXIMIZE right after creation
  friend bool operator==(const MainWindowLayout&, const MainWindowLayout&) = default;
};

MainWindowLayout ComputeMainWindowLayout(const MainWindowSettings& settings, const OsFlags& os,
                                         std::int32_t screenWidth, std::int32_t screenHeight,
                                         const ScreenRect& fullScreenRect);

struct PopupMenuItem {
  unsigned Id;
  const char* Text;
};
inline constexpr unsigned kCommandClose = 129;
inline constexpr unsigned kCommandSetup = 130;
inline constexpr unsigned kCommandMinimize = 131;

// The right-click menu's items, in menu order; empty means no menu at all.
std::vector<PopupMenuItem> PopupMenuItems(bool closeMenu, bool setupMenu, bool minimizeMenu);

}  // namespace vnx
