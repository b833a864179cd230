#pragma once
// Every on/off setting is one of these. For a plain switch only Value counts;
// for a user choice the Setup dialog and the per-user registry values decide
// Value when UserChoice is set.

namespace vnx {

struct TUserChoice {
  bool UserChoice = false;     // the viewer decides, through the Setup dialog
  bool ChoiceEnabled = false;  // the Setup dialog lets the viewer change it
  bool Value = false;          // the effective value
};

}  // namespace vnx
