#include "startup/launcher.h"

#include "settings/settings_store.h"

namespace korvel {

void start_up(Platform& platform, LauncherState& state) {
  const std::optional<std::string> current = platform.files.current_directory();
  state.directories = directories_from(current ? std::optional<std::string_view>(*current) : std::nullopt);
  state.sound_on = read_sound_switch_at_startup(platform.files, state.directories);
  prepare_launch_table(state.launch_table);
  read_recent_list_at_startup(platform.files, state.directories, state.recent_files);
}

int run_launcher(Platform& platform, LauncherState& state) {
  start_up(platform, state);

  // The data the main dialog is set up with: the start-up language goes to
  // language.dat for the programs started later, and Sound.dat is rewritten on
  // every start (which also mends one that held no readable value).
  write_language_file(platform.files, language_from_work_dir(platform.files));
  write_sound_file(platform.files, state.directories, state.sound_on);

  // Shutdown: the language file belongs to this run only.
  delete_language_file(platform.files);
  return 0;
}

}  // namespace korvel
