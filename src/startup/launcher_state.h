// The Launcher's program-wide state: one value, made by the entry routine and
// living for the whole run. Each member is owned by the subsystem that writes it.
#pragma once

#include "settings/settings_formats.h"
#include "startup/directories.h"
#include "startup/launch_table.h"

namespace korvel {

struct LauncherState {
  Directories directories;   // fixed at start
  bool sound_on = true;      // the sound switch
  RecentFiles recent_files;  // most recent Geometry File first
  LaunchTable launch_table;  // programs started during the run
};

}  // namespace korvel
