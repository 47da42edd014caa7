#include "app/shutdown.h"

#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace korvel {

std::string exit_prompt_text(std::size_t running_count) {
  if (running_count == 1) return "1 Program Is Still Running!\nWould You Like to Terminate It?";
  std::string count = running_count > 99 ? "**" : std::to_string(running_count);
  count.resize(2, ' ');
  return count + " Programs Are Still Running!\nWould You Like to Terminate Them?";
}

std::string_view exit_prompt_sound(std::size_t running_count) {
  return running_count == 1 ? "Running-1.wav" : "Running-2.wav";
}

namespace {
void play(LauncherState& launcher, std::string_view file) {
  if (launcher.settings.sound_on) launcher.platform.sound.play(path_in(launcher.directories.wav_directory, file));
}

// What the run still holds goes last, when nothing can show or ask any more:
// the handles of the started programs (which run on), the About windows the
// user left open, then the icons they and the main dialog drew.
void release_what_the_run_holds(LauncherState& launcher, const std::vector<ProcessHandle>& start_handles) {
  Processes& processes = launcher.platform.processes;
  LaunchTable& table = launcher.tools.launch_table;
  for (std::size_t i = 0; i < table.launch_count; ++i)
    processes.close(std::exchange(table.records[i].process_handle, 0));
  for (const ProcessHandle handle : start_handles) processes.close(handle);
  close_about_windows(launcher.platform.windows, launcher.ui.splash);
  release_icons(launcher.platform.windows, launcher.ui.icons);
}
}  // namespace

int shut_down(LauncherState& launcher, int exit_code) {
  DLGFREE(launcher.main_dialog);
  if (!launcher.settings.keep_recent_file)
    save_recent_list(launcher.platform.files, launcher.directories, launcher.settings.recent_files);

  // Which started programs still run: each is opened again by its id.
  Processes& processes = launcher.platform.processes;
  LaunchTable& table = launcher.tools.launch_table;
  std::size_t running = 0;
  // The starts' handles stay open until the check is done: till then each id
  // still names the program it was given to, never a newer one.
  std::vector<ProcessHandle> start_handles;
  for (std::size_t i = 0; i < table.launch_count; ++i)
    if (const ProcessHandle handle = std::exchange(table.records[i].process_handle, 0)) start_handles.push_back(handle);
  for (std::size_t i = 0; i < table.launch_count; ++i) {
    LaunchRecord& record = table.records[i];
    if (record.launch_state != LaunchState::started) continue;
    const ProcessHandle handle = processes.open(record.process_id);
    if (!handle) continue;
    if (processes.exit_code(handle) == still_active) {
      ++running;
      record.process_handle = handle;
    } else {
      processes.close(handle);
    }
  }

  if (running > 0) {
    play(launcher, exit_prompt_sound(running));
    // No is the default: the Enter that ended the Launcher from a name field,
    // pressed once more, must not end the user's programs (an editor with
    // unsaved text among them). Only Yes ends them; the close box answers Cancel.
    const int answer = launcher.platform.message_boxes.show(exit_prompt_text(running), "KORVEL Message",
                                                            mb::yes_no | mb::icon_information | mb::default_button2);
    if (answer == mb::answer_yes) {
      for (std::size_t i = 0; i < table.launch_count; ++i) {
        if (!table.records[i].process_handle) continue;
        processes.terminate(table.records[i].process_handle, 0);
        --running;
      }
    }
  }
  if (running == 0) play(launcher, "GoodBye.wav");

  delete_language_files(launcher.platform.files, launcher.settings.language_files);
  release_what_the_run_holds(launcher, start_handles);
  return exit_code;
}

}  // namespace korvel
