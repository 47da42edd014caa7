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

StartUpOutcome start_up(LauncherState& s, int show_command) {
  FileSystem& files = s.platform.files;
  const std::optional<std::string> current = files.current_directory();
  // Before anything is read, written, shown or played.
  if (!claim_installation(s.platform.launchers, current.value_or(""))) return StartUpOutcome::handed_over;
  s.directories = directories_from(current ? std::optional<std::string_view>(*current) : std::nullopt);
  load_application_icon(s.platform.windows, s.directories, s.ui.icons);
  start_loading_button_icons(s.platform.windows, s.directories);
  if (!show_splash(s.platform.windows, s.welcome_windows, s.ui.icons.korvel(), s.ui.splash, show_command))
    return StartUpOutcome::failed;
  // Known before the welcome window paints, so its sound obeys the switch.
  const StartUpSoundSwitch sound = read_sound_switch_at_startup(files, s.directories);
  s.settings.sound_on = sound.sound_on;
  s.settings.keep_sound_file = sound.keep_file;
  run_splash_loop(s.platform.windows, s.ui.splash);
  prepare_launch_table(s.tools.launch_table);
  s.settings.keep_recent_file = read_recent_list_at_startup(files, s.directories, s.settings.recent_files);
  load_button_icons(s.platform.windows, s.directories, s.ui.icons);
  return StartUpOutcome::main_dialog_next;
}

namespace {
int start_up_failed(LauncherState& s) {
  // What earlier steps wrote stays; nothing is saved or deleted.
  s.platform.message_boxes.show("Error initializing application Korvel", "Error", mb::ok);
  return 0;
}

// The welcome window reports its clicks and its timer to the state, which the
// caller may end once the failure box is answered; it must not outlive the
// start-up that gave up, nor paint and play its sound behind the box.
void end_welcome_window(LauncherState& s) {
  Splash& splash = s.ui.splash;
  if (splash.window && !splash.finished) s.platform.windows.destroy_window(splash.window);
  splash.finished = true;
}

// Once the main dialog has shown, the start-up failure's words are untrue.
void report_internal_error(LauncherState& s) noexcept {
  try {
    s.platform.message_boxes.show(internal_error_text, "KORVEL Message", mb::ok | mb::icon_error);
  } catch (...) {
    // Another window's fault ended the box: the shutdown still runs.
  }
}

// The main dialog goes before the box: a box without owner leaves it usable,
// and its routines would run on whatever the failure left half done.
void end_main_dialog(LauncherState& s) noexcept {
  try {
    DLGEXIT(s.main_dialog);
  } catch (...) {
    // Its routines threw again: the shutdown frees the record all the same.
  }
}
}  // namespace

int run_launcher(LauncherState& s, int show_command) {
  try {
    const StartUpOutcome started = start_up(s, show_command);
    if (started == StartUpOutcome::handed_over) return 0;
    if (started == StartUpOutcome::failed) return start_up_failed(s);
    if (!set_up_main_dialog(s, show_command)) return start_up_failed(s);
  } catch (...) {
    // Anything thrown (memory running out, most likely) ends the start-up as a
    // failed one, never as a crash.
    end_welcome_window(s);
    return start_up_failed(s);
  }

  int exit_code = 0;
  bool reported = false;
  try {
    s.main_loop_running = true;
    exit_code = run_main_loop(s.platform.windows, s.dialogs);
    s.main_loop_running = false;
  } catch (...) {
    // Thrown from the loop or from any window's routine: the user's work is
    // kept by the same shutdown as after the exit button.
    s.main_loop_running = false;
    end_main_dialog(s);
    report_internal_error(s);
    reported = true;
  }
  try {
    return shut_down(s, exit_code);
  } catch (...) {
    // Never a second shutdown: it may have asked about the programs already.
    if (!reported) report_internal_error(s);
    return 0;
  }
}

}  // namespace korvel
