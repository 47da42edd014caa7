// The main dialog: built from its template, given its routines and first
// values, shown modelessly; and the message loop that runs until it is gone.
#pragma once

#include "app/launcher_state.h"

namespace korvel {

inline constexpr std::uint32_t field_colour = 0x00B4FFFF;  // RGB(255, 255, 180), a pale yellow

// Builds and shows the main dialog; false when it can't be built or shown.
bool set_up_main_dialog(LauncherState& state, int show_command);

// Runs the thread's messages until the quit message; returns its exit code.
int run_main_loop(Windows& windows, DialogLayer& dialogs);

}  // namespace korvel
