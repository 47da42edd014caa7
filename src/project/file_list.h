// The File list: which of the three files View / Edit and Print act on, or
// "New" for the editor without a file.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

// A single TAB: "New", a name that counts as not blank everywhere.
inline constexpr std::string_view new_file_marker = "\t";

void on_file_list(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
