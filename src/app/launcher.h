// The Launcher's entry routine, run on the platform it is given.
#pragma once

#include "app/launcher_state.h"

namespace korvel {

// Runs the Launcher from start-up to shutdown and returns the process's exit code.
// A start of an installation whose Launcher runs brings that one's main dialog
// to the front and ends at once with 0.
// Anything thrown before the main dialog shows ends it as a failed start-up: the
// welcome window goes, the start-up error box shows, and the exit code is 0.
// Anything thrown later closes the main dialog, shows `internal_error_text` and
// runs the shutdown; a throw in the shutdown ends it there, with 0.
int run_launcher(LauncherState& state, int show_command);

inline constexpr std::string_view internal_error_text =
    "An internal error has occurred.\nKORVEL Launcher will now close.";

enum class StartUpOutcome {
  main_dialog_next,
  failed,       // the welcome window can't be made
  handed_over,  // another Launcher of the installation runs: nothing was read, written, shown or played
};

// The start-up steps before the main dialog: the claim on the installation,
// directories, the application icon, the welcome window with the sound switch
// read while it shows, the launch table, the recent list and the button icons.
StartUpOutcome start_up(LauncherState& state, int show_command);

}  // namespace korvel
