#pragma once
// The black windows that cover the monitors a screen-saver presentation does
// not take (window/saver_covers_plan.h decides where). They stay on top,
// never take the activation from the presentation, and the viewer's mouse or
// keys on them end the presentation as its exit settings say: the same exit
// request the engine posts when the viewer ends it on the presentation.

#include <windows.h>

#include <memory>
#include <vector>

#include "common/handle.h"
#include "window/saver_covers_plan.h"

namespace vnx {

struct CoverExits {
  bool ExitOnMouse = false;   // no "Interaction"
  bool ExitOnAnyKey = false;  // no "KeyInteraction"
  bool ExitOnEsc = false;     // "ExitOnESC"
};

class SaverCovers {
 public:
  // Covers what the plan leaves beside the runner's window on these
  // monitors; the covers post their exit request to that window.
  SaverCovers(HWND runnerWindow, const std::vector<MonitorArea>& monitors, const CoverExits& exits);

  const std::vector<UniqueWindow>& Windows() const { return windows_; }

  // What every cover reads through its window: one mouse anchor for all of
  // them, as the cursor crosses from one to the next, and one exit request.
  struct Shared {
    HWND RunnerWindow = nullptr;
    CoverExits Exits;
    CoverMouseState Mouse;
    bool ExitPosted = false;
  };

 private:
  std::unique_ptr<Shared> shared_;     // at a fixed address for the windows
  std::vector<UniqueWindow> windows_;  // destroyed before shared_
};

// The display's monitors as the system lists them.
std::vector<MonitorArea> DisplayMonitors();

}  // namespace vnx
