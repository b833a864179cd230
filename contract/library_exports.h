#pragma once
// The exports the runner looks up in the libraries it loads: the engine
// library's hook procedures (engine/vnxengine.def exports them) and the entry
// of a BeforeShow library.

#include <array>

namespace vnx {

inline constexpr char kMouseHookExport[] = "MProc";       // WH_MOUSE
inline constexpr char kKeyboardHookExport[] = "KProc";    // WH_KEYBOARD
inline constexpr char kCbtHookExport[] = "CProc";         // WH_CBT
inline constexpr char kGetMessageHookExport[] = "GProc";  // WH_GETMESSAGE
// These must exist too, but the runner never installs them.
inline constexpr std::array<const char*, 3> kUninstalledEngineExports = {"WProc", "FProc", "SProc"};

inline constexpr char kBeforeShowExport[] = "BeforeShow";

}  // namespace vnx
