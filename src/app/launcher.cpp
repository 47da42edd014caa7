#include "app/launcher.h"

#include "app/main_dialog.h"
#include "app/shutdown.h"
#include "settings/settings_store.h"

namespace korvel {

namespace {
// A later start of a running installation hands over to the Launcher that
// runs: its main dialog comes to the front. When that one ends while this one
// waits for its main dialog, this one runs in its place.
bool claim_installation(RunningLaunchers& launchers, std::string_view start_directory) {
  if (launchers.claim(start_directory)) return true;
  if (launchers.bring_to_front(start_directory)) return false;
  return launchers.claim(start_directory);
}
}  // namespace

StartUpOutcome start_up(LauncherState& launcher, int show_command) {
  FileSystem& files = launcher.platform.files;
  Windows& windows = launcher.platform.windows;
  const Directories& dirs = launcher.directories;
  const std::optional<std::string> current = files.current_directory();
  // Before anything is read, written, shown or played.
  if (!claim_installation(launcher.platform.launchers, current.value_or(""))) return StartUpOutcome::handed_over;
  launcher.directories = directories_from(current ? std::optional<std::string_view>(*current) : std::nullopt);
  load_application_icon(windows, dirs, launcher.ui.icons);
  start_loading_button_icons(windows, dirs, launcher.ui.icons);
  if (!show_splash(windows, launcher.welcome_windows, launcher.ui.icons.korvel(), launcher.ui.splash, show_command))
    return StartUpOutcome::failed;
  // Known before the welcome window paints, so its sound obeys the switch.
  const StartUpSoundSwitch sound = read_sound_switch_at_startup(files, dirs);
  launcher.settings.sound_on = sound.sound_on;
  launcher.settings.keep_sound_file = sound.keep_file;
  run_splash_loop(windows, launcher.ui.splash);
  prepare_launch_table(launcher.tools.launch_table);
  launcher.settings.keep_recent_file = read_recent_list_at_startup(files, dirs, launcher.settings.recent_files);
  load_button_icons(windows, dirs, launcher.ui.icons);
  return StartUpOutcome::main_dialog_next;
}

namespace {
int start_up_failed(LauncherState& launcher) {
  // What earlier steps wrote stays; nothing is saved or deleted.
  launcher.platform.message_boxes.show("Error initializing application Korvel", "Error", mb::ok);
  return 0;
}

// The welcome window reports its clicks and its timer to the state, which the
// caller may end once the failure box is answered; it must not outlive the
// start-up that gave up, nor paint and play its sound behind the box.
void end_welcome_window(LauncherState& launcher) {
  Splash& splash = launcher.ui.splash;
  if (splash.window && !splash.finished) launcher.platform.windows.destroy_window(splash.window);
  splash.finished = true;
}

// Once the main dialog has shown, the start-up failure's words are untrue.
void report_internal_error(LauncherState& launcher) noexcept {
  try {
    launcher.platform.message_boxes.show(internal_error_text, "KORVEL Message", mb::ok | mb::icon_error);
  } catch (...) {
    // Another window's fault ended the box: the shutdown still runs.
  }
}

// The main dialog goes before the box: a box without owner leaves it usable,
// and its routines would run on whatever the failure left half done.
void end_main_dialog(LauncherState& launcher) noexcept {
  try {
    DLGEXIT(launcher.main_dialog);
  } catch (...) {
    // Its routines threw again: the shutdown frees the record all the same.
  }
}
}  // namespace

int run_launcher(LauncherState& launcher, int show_command) {
  try {
    const StartUpOutcome started = start_up(launcher, show_command);
    if (started == StartUpOutcome::handed_over) return 0;
    if (started == StartUpOutcome::failed) return start_up_failed(launcher);
    if (!set_up_main_dialog(launcher, show_command)) return start_up_failed(launcher);
  } catch (...) {
    // Anything thrown (memory running out, most likely) ends the start-up as a
    // failed one, never as a crash.
    end_welcome_window(launcher);
    return start_up_failed(launcher);
  }

  int exit_code = 0;
  bool reported = false;
  try {
    launcher.main_loop_running = true;
    exit_code = run_main_loop(launcher.platform.windows, launcher.dialogs);
    launcher.main_loop_running = false;
  } catch (...) {
    // Thrown from the loop or from any window's routine: the user's work is
    // kept by the same shutdown as after the exit button.
    launcher.main_loop_running = false;
    end_main_dialog(launcher);
    report_internal_error(launcher);
    reported = true;
  }
  try {
    return shut_down(launcher, exit_code);
  } catch (...) {
    // Never a second shutdown: it may have asked about the programs already.
    if (!reported) report_internal_error(launcher);
    return 0;
  }
}

}  // namespace korvel
