#pragma once
// The control block: the first 1352 bytes of the named file mapping that the
// runner shares with the engine library. Both sides compile this one
// declaration, so it holds no Windows types: handles and ids are 32-bit
// integers, flags are single bytes (0 or 1 as written by the runner, but
// readers treat any nonzero byte as set), strings are short strings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vnx {

// One length byte followed by up to 255 characters in the system code page.
struct ShortString {
  std::uint8_t Length;
  char Text[255];
};

#pragma pack(push, 1)
struct ControlBlock {
  std::uint32_t MouseHook;       // WH_MOUSE hook of MProc, or 0
  std::uint32_t KeyboardHook;    // WH_KEYBOARD hook of KProc
  std::uint32_t CbtHook;         // WH_CBT hook of CProc
  std::uint32_t GetMessageHook;  // WH_GETMESSAGE hook of GProc, or 0
  std::uint32_t ReservedHooks[2];
  std::uint32_t ProjectorProcessId;
  std::uint32_t Reserved28;
  std::uint8_t Reserved32[16];
  std::uint32_t ProjectorWindow;
  std::uint32_t RunnerWindow;  // where the engine posts its messages
  std::uint32_t RunnerWindow2;
  std::uint8_t Reserved60;
  std::uint8_t ExitOnAnyKey;
  std::uint8_t ExitOnMouse;
  std::uint8_t NoRightClickMenu;
  std::uint8_t Reserved64[4];
  std::uint8_t EngineFlagA;
  std::uint8_t EngineFlagB;
  std::uint8_t EngineFlagC;
  std::uint8_t EngineFlagD;
  std::uint8_t EngineFlagE;
  std::uint8_t BlockSystemKeys;
  std::uint8_t DisableScreenSaver;
  // The runner runs as the system's screen saver ("/s"): the power plan may
  // then turn the monitor off and let the machine sleep, whatever
  // DisableScreenSaver says. A byte the runner always wrote 0 before.
  std::uint8_t RunningAsScreenSaver;
  std::uint32_t RunnerThreadId;
  std::uint8_t ExitOnEsc;
  std::uint8_t CloseMenu;
  std::uint8_t SetupMenu;
  std::uint8_t PopupMenuOpen;
  std::uint8_t Draggable;
  std::uint8_t Reserved85[3];
  std::uint32_t Initialised;
  std::uint8_t Reserved92[4];
  std::uint8_t PresentationShown;
  std::uint8_t HideCursor;
  std::uint8_t MinimizeMenu;
  std::uint8_t Reserved99;
  std::uint32_t PresentationRunning;
  std::uint32_t RunnerProcessId;
  std::uint8_t Reserved108[8];
  ShortString InitialDir;
  ShortString HtmlOpenCommand;
  ShortString DdeApplication;
  ShortString DdeTopic;
  std::uint8_t Reserved1140[2];
  std::uint8_t FittingInProgress;
  std::uint8_t ProjectorV6;
  std::int32_t MenuDeleteItems[50];
  std::int32_t ProjectorMajor;
  std::uint32_t ProjectorThreadId;
};
#pragma pack(pop)

static_assert(sizeof(ShortString) == 256);
static_assert(offsetof(ControlBlock, MouseHook) == 0);
static_assert(offsetof(ControlBlock, KeyboardHook) == 4);
static_assert(offsetof(ControlBlock, CbtHook) == 8);
static_assert(offsetof(ControlBlock, GetMessageHook) == 12);
static_assert(offsetof(ControlBlock, ReservedHooks) == 16);
static_assert(offsetof(ControlBlock, ProjectorProcessId) == 24);
static_assert(offsetof(ControlBlock, Reserved28) == 28);
static_assert(offsetof(ControlBlock, Reserved32) == 32);
static_assert(offsetof(ControlBlock, ProjectorWindow) == 48);
static_assert(offsetof(ControlBlock, RunnerWindow) == 52);
static_assert(offsetof(ControlBlock, RunnerWindow2) == 56);
static_assert(offsetof(ControlBlock, Reserved60) == 60);
static_assert(offsetof(ControlBlock, ExitOnAnyKey) == 61);
static_assert(offsetof(ControlBlock, ExitOnMouse) == 62);
static_assert(offsetof(ControlBlock, NoRightClickMenu) == 63);
static_assert(offsetof(ControlBlock, Reserved64) == 64);
static_assert(offsetof(ControlBlock, EngineFlagA) == 68);
static_assert(offsetof(ControlBlock, EngineFlagB) == 69);
static_assert(offsetof(ControlBlock, EngineFlagC) == 70);
static_assert(offsetof(ControlBlock, EngineFlagD) == 71);
static_assert(offsetof(ControlBlock, EngineFlagE) == 72);
static_assert(offsetof(ControlBlock, BlockSystemKeys) == 73);
static_assert(offsetof(ControlBlock, DisableScreenSaver) == 74);
static_assert(offsetof(ControlBlock, RunningAsScreenSaver) == 75);
static_assert(offsetof(ControlBlock, RunnerThreadId) == 76);
static_assert(offsetof(ControlBlock, ExitOnEsc) == 80);
static_assert(offsetof(ControlBlock, CloseMenu) == 81);
static_assert(offsetof(ControlBlock, SetupMenu) == 82);
static_assert(offsetof(ControlBlock, PopupMenuOpen) == 83);
static_assert(offsetof(ControlBlock, Draggable) == 84);
static_assert(offsetof(ControlBlock, Reserved85) == 85);
static_assert(offsetof(ControlBlock, Initialised) == 88);
static_assert(offsetof(ControlBlock, Reserved92) == 92);
static_assert(offsetof(ControlBlock, PresentationShown) == 96);
static_assert(offsetof(ControlBlock, HideCursor) == 97);
static_assert(offsetof(ControlBlock, MinimizeMenu) == 98);
static_assert(offsetof(ControlBlock, Reserved99) == 99);
static_assert(offsetof(ControlBlock, PresentationRunning) == 100);
static_assert(offsetof(ControlBlock, RunnerProcessId) == 104);
static_assert(offsetof(ControlBlock, Reserved108) == 108);
static_assert(offsetof(ControlBlock, InitialDir) == 116);
static_assert(offsetof(ControlBlock, HtmlOpenCommand) == 372);
static_assert(offsetof(ControlBlock, DdeApplication) == 628);
static_assert(offsetof(ControlBlock, DdeTopic) == 884);
static_assert(offsetof(ControlBlock, Reserved1140) == 1140);
static_assert(offsetof(ControlBlock, FittingInProgress) == 1142);
static_assert(offsetof(ControlBlock, ProjectorV6) == 1143);
static_assert(offsetof(ControlBlock, MenuDeleteItems) == 1144);
static_assert(offsetof(ControlBlock, ProjectorMajor) == 1344);
static_assert(offsetof(ControlBlock, ProjectorThreadId) == 1348);
static_assert(sizeof(ControlBlock) == 1352);

// The mapping is created larger than the block; only the block is mapped.
inline constexpr std::uint32_t kControlBlockMappingSize = 11352;
inline constexpr std::uint32_t kControlBlockViewSize = sizeof(ControlBlock);

inline constexpr std::string_view kMappingBaseName = "OrrindaleRunnerMapping";
inline constexpr std::string_view kWorkDirBaseName = "Vnx_Rt";
inline constexpr std::string_view kInstanceSuffixBase = "_VNX_RT";

// The short string's characters; a length byte always fits the 255 characters.
std::string ReadShortString(const ShortString& field);
// Stores text cut to 255 characters; the unused characters become 0.
void WriteShortString(ShortString& field, std::string_view text) noexcept;

// "_VNX_RT" for instance 0, "_VNX_RT" + the decimal number otherwise.
std::string InstanceSuffixFor(std::int32_t instance);
// "OrrindaleRunnerMapping" + the instance suffix.
std::string MappingNameFor(std::int32_t instance);

// The instance whose working directory has this name: "Vnx_Rt" is 0,
// "Vnx_Rt12" is 12 (letter case ignored, as the file system does). Any other
// name, including numbers the runner never writes ("Vnx_Rt0", "Vnx_Rt01",
// numbers beyond 32 bits), belongs to no instance.
std::optional<std::int32_t> InstanceFromWorkDirName(std::string_view name) noexcept;
std::optional<std::string> InstanceSuffixFromWorkDirName(std::string_view name);

// The mapping name in a fixed buffer, for code that must not allocate (the
// engine library inside other processes).
struct FixedMappingName {
  char Text[48];
};
FixedMappingName FixedMappingNameFor(std::int32_t instance) noexcept;

}  // namespace vnx
