// The Launcher's program-wide state: one value, made by the entry routine and
// living for the whole run, composed of the modules' own states. Each module's
// routines get only the parts they read and write.
#pragma once

#include "common/directories.h"
#include "platform/platform.h"
#include "project/project_state.h"
#include "settings/settings_store.h"
#include "tools/launch_table.h"
#include "ui/dialog_layer.h"
#include "ui/welcome_window.h"

namespace korvel {

struct LauncherState {
  explicit LauncherState(Platform& services) : platform(services), dialogs(services.dialogs), main_dialog(dialogs) {}
  LauncherState(const LauncherState&) = delete;
  LauncherState& operator=(const LauncherState&) = delete;

  Platform& platform;
  Directories directories;  // where the installation lies
  SettingsState settings;
  UiState ui;
  ProjectState project;
  ToolsState tools;

  // The dialog layer and the main dialog's record.
  DialogLayer dialogs;
  DialogRecord main_dialog;
  bool main_loop_running = false;  // the main dialog's end then ends the loop
  // The welcome class's windows report to the splash state; they paint with the
  // application icon and play their sound by the switch.
  WelcomeWindows welcome_windows{platform, directories, ui.icons, settings.sound_on, ui.splash};
};

}  // namespace korvel
