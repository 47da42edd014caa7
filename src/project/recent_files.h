// The five most recent Geometry Files and the Recent Dialog that offers them.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

inline constexpr int recent_dialog_template = 106;
inline constexpr int recent_list = 1041;
inline constexpr int recent_double_click = 2000;

// Puts the current Geometry File at the head of the list (in memory): a name
// already listed changes places with the first entry; a new one pushes the
// others down and the fifth drops out. Blank and unset names change nothing.
void remember_geometry_file(LauncherState& state);

void on_select_recent(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
void on_recent_list(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
