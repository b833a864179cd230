#pragma once
// The Setup dialog: the viewer's choices that a presentation leaves open,
// shown as check boxes and stored per Windows user. While a Setup dialog
// exists, SetupDialog refers to it; the main window procedure closes it or
// gives it the focus.

#include <windows.h>

#include <array>

#include "common/handle.h"
#include "session/settings_destinations.h"

namespace vnx {

class TfrmMain;

class TfrmSetup {
 public:
  // One of the five choices: its record in the dialog's settings, its check
  // box and where the box sits in client pixels.
  struct Option {
    int ControlId;
    TUserChoice PresentationSettings::*Record;
    HWND CheckBox = nullptr;
    std::int32_t CheckBoxLeft = 0, CheckBoxTop = 0;
  };

  HWND DialogWindow = nullptr;
  PresentationSettings Settings;  // the dialog's own copy of the presentation's settings
  HICON DialogIcon = nullptr;
  RECT IconRect{};
  UniqueGdiObject BackgroundBrush;
  UniqueGdiObject LabelFont;
  bool Changed = false;         // a stored choice differed from the registry
  bool PasswordPassed = false;  // the lock let the viewer in
  std::array<Option, 5> Options{{{10, &PresentationSettings::Interaction},
                                 {11, &PresentationSettings::RightClickMenu},
                                 {12, &PresentationSettings::KeyInteraction},
                                 {13, &PresentationSettings::Sound},
                                 {14, &PresentationSettings::Midi}}};
};

extern TfrmSetup* SetupDialog;

// Shows the Setup dialog, owned by the runner's dialog owner, until the
// viewer (or the runner) closes it, then stores the five choices. True when
// a stored choice changed. Errors of the settings read and of the registry
// travel on to the caller.
bool RunSetupDialog(TfrmMain& runner);

}  // namespace vnx
