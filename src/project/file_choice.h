// "Select #1" and "Select #2": the Geometry or Loading File chosen in the
// platform's open-file dialog.
#pragma once

#include "common/directories.h"
#include "project/project_files.h"

namespace korvel {

void on_select_file(Platform& platform, const Directories& dirs, ProjectState& project, LanguageFileTrail& trail,
                    DialogRecord& dialog, int control_id);

}  // namespace korvel
