// The Launcher's program-wide state: one value, made by the entry routine and
// living for the whole run. Each member is owned by the subsystem that writes it.
#pragma once

#include <array>
#include <set>

#include "platform/platform.h"
#include "settings/settings_formats.h"
#include "settings/settings_store.h"
#include "startup/directories.h"
#include "startup/icons.h"
#include "startup/launch_table.h"
#include "project/file_choice_buffers.h"
#include "ui/dialog_layer.h"
#include "ui/welcome_window.h"

namespace korvel {

struct LauncherState {
  explicit LauncherState(Platform& services) : platform(services), dialogs(services.dialogs), main_dialog(dialogs) {}
  LauncherState(const LauncherState&) = delete;
  LauncherState& operator=(const LauncherState&) = delete;

  Platform& platform;

  // Start-up: where the installation lies, the icons.
  Directories directories;
  Icons icons;

  // Settings.
  bool sound_on = true;
  bool keep_sound_file = false;  // Sound.dat could not be read at start-up: not rewritten then
  RecentFiles recent_files;  // most recent Geometry File first
  bool keep_recent_file = false;  // recent.dat could not be read at start-up: never written over
  LanguageFileTrail language_files;

  // The project's files and the output language.
  PathText geometry_file;
  PathText loading_file;
  PathText output_file;
  LanguageText language_text;
  bool romanian_output = false;
  PathText view_file;    // what View / Edit and Print act on
  PathText recent_pick;  // the Recent Dialog's last selected text
  FileChoiceBuffers file_choice;

  // Presentation: the dialog layer and the main dialog, with the handles of the
  // three name fields and the File list.
  DialogLayer dialogs;
  DialogRecord main_dialog;
  WelcomeWindows welcome_windows{*this};
  NativeWindow splash_window = 0;  // names the start-up window for the whole run
  bool splash_finished = false;
  int splash_width = 0;  // desktop / 2.5, also the About window's size
  int splash_height = 0;
  std::array<NativeWindow, 4> field_windows{};

  // Programs started during the run, and the one about to be started.
  LaunchTable launch_table;
  ProgramPathText tool_path;
  ArgumentText tool_arguments;
  std::set<int> commands_in_progress;  // buttons whose command is running (its box may be open)
};

}  // namespace korvel
