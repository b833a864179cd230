#pragma once
// The runner drives its one session reader two or three times per run with
// the same per-file handler: the settings pass (only the ".ini" file, into a
// directory of this process below the temporary base directory), the probe
// pass (nothing written; does any file have a placement?) and the main pass
// into the working directory.

#include "session/per_user_values.h"
#include "session/settings_destinations.h"
#include "session/settings_reader.h"

namespace vnx {

class TfrmMain;

// The settings pass on Windows into the main form's flag and file name; the
// caller adds the extraction.
SettingsPassContext MainFormSettingsPass(TfrmMain& form, PerUserValues& perUser);
// The settings pass, the reading of the settings file and the per-user
// choices, into the main form's own fields.
void ReadMainFormSettings(TfrmMain& form);
// The same read into other destinations: the Setup dialog keeps the viewer's
// choices in its own copy.
void ReadSettingsInto(TfrmMain& form, const SettingsDestinations& destinations);
// True when some file of the session has a placement.
bool RunProbePass(TfrmMain& form);
void RunMainPass(TfrmMain& form);

}  // namespace vnx
