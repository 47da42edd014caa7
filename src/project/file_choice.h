// "Select #1" and "Select #2": the Geometry or Loading File chosen in the
// platform's open-file dialog, or dropped on the main dialog.
#pragma once

#include "common/directories.h"
#include "project/project_files.h"

namespace korvel {

void on_select_file(Platform& platform, const Directories& dirs, ProjectState& project, LanguageFileTrail& trail,
                    DialogRecord& dialog, int control_id);

// A file dragged from the shell and dropped on the main dialog: on a name field
// it goes into that field as if typed; elsewhere a ".dat" file is taken as if
// chosen with "Select #1" and an ".inc" file as if with "Select #2".
void on_file_dropped(FileSystem& files, ProjectState& project, LanguageFileTrail& trail, DialogRecord& dialog,
                     int control_id, std::string_view path);

}  // namespace korvel
