#include "session/settings_keys.h"

namespace vnx {

using D = SettingsDestinations;

const std::array<SwitchKey, 16> kSwitchKeys = {{
    {"DLL", 1, &D::DLL},
    {"DisableW95Key", 1, &D::DisableW95Key},
    {"DisableClickForeground", 0, &D::DisableClickForeground},
    {"DisableScreenSaver", 1, &D::DisableScreenSaver},
    {"FullScreen", 0, &D::FullScreen},
    {"CustomSize", 0, &D::CustomSize},
    {"MaintainRatio", 1, &D::MaintainRatio},
    {"AllowResize", 1, &D::AllowResize},
    {"ExitOnESC", 1, &D::ExitOnESC},
    {"AlwaysOnTop", 0, &D::AlwaysOnTop},
    {"NoTitle", 0, &D::NoTitle},
    {"NoBorder", 0, &D::NoBorder},
    {"Draggable", 0, &D::Draggable},
    {"SetupMenu", 0, &D::SetupMenu},
    {"CloseMenu", 1, &D::CloseMenu},
    {"MinimizeMenu", 0, &D::MinimizeMenu},
}};

const std::array<IntegerKey, 7> kWindowKeys = {{
    {"Left", 0, &D::Left},
    {"Top", 0, &D::Top},
    {"Width", 640, &D::Width},
    {"Height", 480, &D::Height},
    {"AlignmentV", 2, &D::AlignmentV},
    {"AlignmentH", 2, &D::AlignmentH},
    {"MidiLoopTimes", 0, &D::MidiLoopTimes},
}};

// "Sound" holds "muted", so its 0 (sound off) is a true Value; "Midi" holds
// "music muted" too, but its 0 means the music plays.
const std::array<UserChoiceKey, 6> kUserChoiceKeys = {{
    {"Midi", 2, false, &D::Midi},
    {"MidiLoop", 0, false, &D::MidiLoop},
    {"Sound", 2, true, &D::Sound},
    {"Interaction", 2, false, &D::Interaction},
    {"RightClickMenu", 2, false, &D::RightClickMenu},
    {"KeyInteraction", 2, false, &D::KeyInteraction},
}};

}  // namespace vnx
