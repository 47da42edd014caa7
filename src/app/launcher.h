// The Launcher's entry routine, run on the platform it is given.
#pragma once

#include "app/launcher_state.h"

namespace korvel {

// Runs the Launcher from start-up to shutdown and returns the process's exit code.
// Anything thrown before the main dialog shows ends it as a failed start-up: the
// welcome window goes, the start-up error box shows, and the exit code is 0.
// Anything thrown later closes the main dialog, shows `internal_error_text` and
// runs the shutdown; a throw in the shutdown ends it there, with 0.
int run_launcher(LauncherState& state, int show_command);

inline constexpr std::string_view internal_error_text =
    "An internal error has occurred.\nKORVEL Launcher will now close.";

// The start-up steps before the main dialog: directories, the application icon,
// the welcome window with the sound switch read while it shows, the launch
// table, the recent list and the button icons. False when the welcome window
// can't be made.
bool start_up(LauncherState& state, int show_command);

}  // namespace korvel
