// The File list: which of the three files View / Edit and Print act on, or
// "New" for the editor without a file.
#pragma once

#include "project/project_files.h"

namespace korvel {

// A single TAB: "New", a name that counts as not blank everywhere.
inline constexpr std::string_view new_file_marker = "\t";

// Takes the entry picked as the view file. True when View / Edit can act on it
// (a double click then starts it); false when its file is missing, which is
// reported and the entry cleared.
bool on_file_list(Platform& platform, ProjectState& project, DialogRecord& dialog);

}  // namespace korvel
