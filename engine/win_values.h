#pragma once
// The Windows numbers the engine's rules speak about, spelled out so that the
// rules stay portable and can be tested natively. The engine library checks
// every one of them against <windows.h> when it is built.

#include <cstdint>

namespace vnx::engine {

namespace msg {
inline constexpr std::uint32_t kKeyDown = 0x0100;
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kSysKeyDown = 0x0104;
inline constexpr std::uint32_t kSysKeyUp = 0x0105;
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uint32_t kNcMouseMove = 0x00A0;
inline constexpr std::uint32_t kNcLButtonDown = 0x00A1;
inline constexpr std::uint32_t kNcLButtonUp = 0x00A2;
inline constexpr std::uint32_t kNcLButtonDblClk = 0x00A3;
inline constexpr std::uint32_t kNcRButtonDown = 0x00A4;
inline constexpr std::uint32_t kNcRButtonUp = 0x00A5;
inline constexpr std::uint32_t kNcRButtonDblClk = 0x00A6;
inline constexpr std::uint32_t kNcMButtonDown = 0x00A7;
inline constexpr std::uint32_t kNcMButtonDblClk = 0x00A9;
inline constexpr std::uint32_t kNcXButtonDown = 0x00AB;
inline constexpr std::uint32_t kNcXButtonDblClk = 0x00AD;
inline constexpr std::uint32_t kMouseMove = 0x0200;
inline constexpr std::uint32_t kLButtonDown = 0x0201;
inline constexpr std::uint32_t kLButtonUp = 0x0202;
inline constexpr std::uint32_t kLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kRButtonDown = 0x0204;
inline constexpr std::uint32_t kRButtonUp = 0x0205;
inline constexpr std::uint32_t kRButtonDblClk = 0x0206;
inline constexpr std::uint32_t kMButtonDown = 0x0207;
inline constexpr std::uint32_t kMButtonDblClk = 0x0209;
inline constexpr std::uint32_t kMouseWheel = 0x020A;
inline constexpr std::uint32_t kXButtonDown = 0x020B;
inline constexpr std::uint32_t kXButtonDblClk = 0x020D;
inline constexpr std::uint32_t kMouseHWheel = 0x020E;
}  // namespace msg

namespace vk {
inline constexpr std::uint32_t kEscape = 0x1B;
inline constexpr std::uint32_t kLWin = 0x5B;
inline constexpr std::uint32_t kRWin = 0x5C;
inline constexpr std::uint32_t kApps = 0x5D;
inline constexpr std::uint32_t kF10 = 0x79;
}  // namespace vk

namespace sc {
inline constexpr std::uint32_t kTaskList = 0xF130;  // Ctrl+Esc: the Start menu
inline constexpr std::uint32_t kScreenSave = 0xF140;
inline constexpr std::uint32_t kMonitorPower = 0xF170;
}  // namespace sc

namespace es {
inline constexpr std::uint32_t kSystemRequired = 0x00000001;
inline constexpr std::uint32_t kDisplayRequired = 0x00000002;
inline constexpr std::uint32_t kContinuous = 0x80000000;
}  // namespace es

}  // namespace vnx::engine
