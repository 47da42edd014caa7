// The five most recent Geometry Files and the Recent Dialog that offers them.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

// Puts the current Geometry File at the head of the list (in memory): a name
// already listed changes places with the first entry; a new one pushes the
// others down and the fifth drops out. Blank and unset names change nothing.
void remember_geometry_file(LauncherState& state);

void on_select_recent(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
void on_recent_list(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
