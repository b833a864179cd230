#pragma once
// How one runner recognises the runner that started it: every runner stores
// its main window, in decimal, in an environment variable named after its own
// executable file before it starts its projector, and every process started
// later inherits it. A close request names that variable through a global
// atom.

#include <windows.h>

#include <string>

namespace vnx {

// The name of a global atom (up to 1024 characters), whole, in UTF-8; empty
// when it has none.
std::string ReadAtomText(ATOM atom);

// True when the environment variable named by the atom exists here, holds an
// integer, and that integer is the given window.
bool EnvHoldsWindow(WPARAM window, ATOM atom);

}  // namespace vnx
