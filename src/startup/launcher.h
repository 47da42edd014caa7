// The Launcher's entry routine, run on the platform it is given.
#pragma once

#include "platform/platform.h"
#include "startup/launcher_state.h"

namespace korvel {

// Runs the Launcher from start-up to shutdown and returns the process's exit code.
int run_launcher(Platform& platform, LauncherState& state);

// The start-up steps before any window: directories, the sound switch, the
// launch table and the recent list.
void start_up(Platform& platform, LauncherState& state);

}  // namespace korvel
