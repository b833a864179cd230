#pragma once
// The browser look-up against the registry's classes, into the control
// block: the open command and the two DDE names, each cut to 255 characters.

#include <windows.h>

namespace vnx {

struct ControlBlock;

// classesRoot is HKEY_CLASSES_ROOT but for tests, which use a key of their own.
void LookUpBrowserAssociation(ControlBlock& block, HKEY classesRoot = HKEY_CLASSES_ROOT);

}  // namespace vnx
