// The main dialog's routines for the project's files: the three name fields and
// the language drop-down, the two Select buttons, Select Recent and the File list.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

void on_name_changed(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
void on_select_file(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
void on_select_recent(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
void on_file_list(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
