#pragma once
// The browser look-up against the real HKEY_CLASSES_ROOT, into the control
// block: the open command and the two DDE names, each cut to 255 characters.

namespace vnx {

struct ControlBlock;

void LookUpBrowserAssociation(ControlBlock& block);

}  // namespace vnx
