// The five most recent Geometry Files and the Recent Dialog that offers them.
#pragma once

#include "common/directories.h"
#include "project/project_files.h"

namespace korvel {

// Puts the Geometry File at the head of the list (in memory): a name already
// listed changes places with the first entry; a new one pushes the others down
// and the fifth drops out. Blank and unset names change nothing.
void remember_geometry_file(PathText& geometry_file, RecentFiles& list);

// "Select Recent 5": the Recent Dialog, run modally; its pick becomes the
// Geometry File as if typed.
void on_select_recent(Platform& platform, const Directories& dirs, DialogLayer& dialogs, ProjectState& project,
                      SettingsState& settings, DialogRecord& main);
// The Recent Dialog's list; `pick` is the run's last selected text.
void on_recent_list(Platform& platform, const Directories& dirs, SettingsState& settings, PathText& pick,
                    DialogRecord& recent, int kind);

}  // namespace korvel
