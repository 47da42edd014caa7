// The About button's window.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

void on_about(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
