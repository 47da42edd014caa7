// The main dialog: built from template 102, given its routines and first
// values, shown modelessly; the message loop that runs until it is gone; and
// the placement routine the welcome and About windows use.
#pragma once

#include "startup/launcher_state.h"
#include "ui/control_ids.h"

namespace korvel {

inline constexpr std::uint32_t field_colour = 0x00B4FFFF;  // RGB(255, 255, 180), a pale yellow

// Builds and shows the main dialog; false when it can't be built or shown.
bool set_up_main_dialog(LauncherState& state, int show_command);

// The main dialog's own routine: window icon, button images and field colours
// when it opens, the end of the message loop when it goes.
void on_main_dialog(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

// Runs the thread's messages until the quit message; returns its exit code.
int run_main_loop(LauncherState& state);

// Where a window of that size sits centred on the desktop, kept on it.
std::pair<int, int> centred_position(const Rect& desktop, const Rect& window);
void centre_on_desktop(Windows& windows, NativeWindow window);

}  // namespace korvel
