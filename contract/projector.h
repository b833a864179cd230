#pragma once
// What the runner and a projector rely on from each other: the projector's
// window class, the environment variables the runner hands it, and the menu
// through which the runner switches it to full screen.

#include <array>
#include <cstdint>

namespace vnx {

// The runner compares it without regard to letter case.
inline constexpr char kProjectorWindowClass[] = "ShockwaveFlash";

// The variables a runner sets before it starts its projector.
inline constexpr char kEngineVariable[] = "VornexLocalDir_Engine";   // the runner's program path
inline constexpr char kRunnerProcessVariable[] = "VornexEngine_ID";  // its process id
inline constexpr char kRunnerWindowVariable[] = "VornexEngine_WH";   // its main window
inline constexpr char kProjectorPathVariable[] = "VornexLocalDir_Projector";
inline constexpr char kRootDirVariable[] = "VornexLocalDir_RootDir";  // the working directory
inline constexpr char kInitialDirVariable[] = "VornexLocalDir_InitialDir";
inline constexpr std::array<const char*, 6> kProjectorVariables = {
    kEngineVariable,        kRunnerProcessVariable, kRunnerWindowVariable,
    kProjectorPathVariable, kRootDirVariable,       kInitialDirVariable,
};

// The menu bar's "View" menu and its "Full Screen" item, in the languages a
// projector speaks: English, German, Portuguese. A projector's item caption
// may go on with a tab and the shortcut's name.
struct ProjectorMenuCaptions {
  const char* ViewMenu;
  const char* FullScreenItem;
};
inline constexpr std::array<ProjectorMenuCaptions, 3> kProjectorMenuCaptions = {{
    {"&View", "Full &Screen"},
    {"&Ansicht", "&Vollbild"},
    {"&Exibir", "&Tela Inteirathen"},
}};

// Command ids of the menu items. The full-screen command is the one the
// runner sends when the menu does not name another.
inline constexpr std::uint16_t kProjectorFullScreenCommand = 20048;
inline constexpr std::uint16_t kProjectorExitCommand = 20100;
inline constexpr std::uint16_t kProjectorPauseCommand = 20101;

}  // namespace vnx
