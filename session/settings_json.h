#pragma once
// The settings as the authoring tool prints them, so an author can check a
// presentation before shipping it: one member per key of the settings file,
// named exactly as the key, in the order the runner reads them. Integers are
// numbers, strings strings, switches and flags true/false, each user choice
// an object {"UserChoice", "ChoiceEnabled", "Value"}, "Major" the projector
// version and "RightMenuDeleteItems" the array of all fifty entries.

#include <string>

#include "session/settings_destinations.h"

namespace vnx {

std::string SettingsAsJson(const PresentationSettings& settings);

// A byte string of the system code page as a JSON string literal. Control
// characters and bytes of 0x7F and above are written as \u00XX: the code
// page is not known here, and the output stays plain ASCII and loses no byte.
std::string JsonString(const std::string& bytes);

}  // namespace vnx
