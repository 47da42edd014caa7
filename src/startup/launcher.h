// The Launcher's entry routine, run on the platform it is given.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

// Runs the Launcher from start-up to shutdown and returns the process's exit code.
int run_launcher(LauncherState& state, int show_command);

// The start-up steps before the main dialog: directories, the application icon,
// the sound switch, the launch table, the recent list and the button icons.
void start_up(LauncherState& state);

}  // namespace korvel
