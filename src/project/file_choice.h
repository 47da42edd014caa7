// "Select #1" and "Select #2": the Geometry or Loading File chosen in the
// platform's open-file dialog.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

// Runs the open-file dialog over the run's buffers; non-zero when a name was confirmed.
int ask_open_file_name(LauncherState& state, const char* initial_directory, std::string_view filter,
                       const char* title, unsigned filter_index, const char* default_extension);

void on_select_file(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
