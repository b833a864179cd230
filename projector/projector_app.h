#pragma once
// The stand-in projector's single object: what projector.behave and
// slide.txt asked for, the log, and the state of its one window.

#include <windows.h>

#include <cstdint>

#include "common/handle.h"
#include "projector/behaviour.h"
#include "projector/event_log.h"
#include "projector/projector_handles.h"
#include "projector/slide.h"

namespace vnx {

// What the window looked like before full screen, to go back to it.
struct WindowedPlacement {
  LONG Style = 0;
  RECT Rect{};
  bool TopLevel = true;
};

struct ProjectorApp {
  ProjectorBehaviour Behaviour;
  Slide Shown;
  EventLog Log;

  HWND Window = nullptr;    // 0 until created, and again once destroyed
  HMENU MenuBar = nullptr;  // owned by the window while attached ...
  UniqueMenu DetachedMenu;  // ... and held here while full screen hides it
  UniqueAccelerators Accelerators;

  bool FullScreen = false;
  WindowedPlacement Windowed;
  bool Paused = false;
  std::uint32_t AnimationMs = 0;
  DWORD LastTick = 0;
  bool CloseRequested = false;

  // The placement last written to the log, so that only changes are written.
  bool PlacementLogged = false;
  HWND LoggedParent = nullptr;
  SIZE LoggedClient{};
};

// The process-wide object while the projector runs; the window procedure
// reaches it here.
extern ProjectorApp* theProjector;

// The whole program: reads its files, opens its window (unless told not to)
// and runs until the window is closed or WM_QUIT arrives. Returns the exit
// code: 0 after WM_CLOSE, WM_QUIT's wParam, 1 after an error, 2 for a
// projector.behave it does not understand.
int RunProjector(int showCommand);

}  // namespace vnx
