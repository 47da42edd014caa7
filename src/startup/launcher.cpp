#include "startup/launcher.h"

#include "settings/settings_store.h"
#include "startup/main_dialog.h"
#include "startup/shutdown.h"

namespace korvel {

void start_up(LauncherState& s) {
  FileSystem& files = s.platform.files;
  const std::optional<std::string> current = files.current_directory();
  s.directories = directories_from(current ? std::optional<std::string_view>(*current) : std::nullopt);
  load_application_icon(s.platform.windows, s.directories, s.icons);
  s.sound_on = read_sound_switch_at_startup(files, s.directories);
  prepare_launch_table(s.launch_table);
  read_recent_list_at_startup(files, s.directories, s.recent_files);
  load_button_icons(s.platform.windows, s.directories, s.icons);
}

int run_launcher(LauncherState& s, int show_command) {
  start_up(s);
  if (!set_up_main_dialog(s, show_command)) {
    // What earlier steps wrote stays; nothing is saved or deleted.
    s.platform.message_boxes.show("Error initializing application Korvel", "Error", mb::ok);
    return 0;
  }
  const int exit_code = run_main_loop(s);
  return shut_down(s, exit_code);
}

}  // namespace korvel
