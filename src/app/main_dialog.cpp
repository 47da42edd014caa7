#include "app/main_dialog.h"

#include "project/file_choice.h"
#include "project/file_list.h"
#include "project/recent_files.h"
#include "tools/commands.h"
#include "ui/about_window.h"
#include "ui/sound_switch.h"

namespace korvel {
using namespace main_dialog_ids;

namespace {

// The main dialog's own routine: window icon, button images and field colours
// when it opens, the end of the message loop when it goes. Closed by the error
// path after the loop, it posts nothing: a quit message left waiting would end
// the shutdown's question at once.
void on_main_dialog(Windows& windows, RunningLaunchers& launchers, const Directories& dirs, Icons& icons,
                    DialogRecord& dialog, int kind, bool main_loop_running) {
  if (kind == DLGCB_INIT) {
    windows.set_small_icon(dialog.window, icons.korvel());
    windows.set_big_icon(dialog.window, icons.korvel());
    // Made on a monitor of another DPI than the system's, the buttons get icons of their size there.
    show_button_icons(windows, dirs, icons, dialog.window, windows.dpi(dialog.window));
    // In high contrast the fields keep the system's window colours.
    static constexpr int edits[] = {geometry_edit, output_edit, loading_edit};
    static constexpr int lists[] = {file_list};
    if (!windows.high_contrast()) windows.colour_fields(dialog.window, edits, lists, field_colour);
  } else if (kind == DLGCB_DPICHANGED) {
    show_button_icons(windows, dirs, icons, dialog.window, dialog.dpi);
  } else if (kind == DLGCB_DESTROY) {
    launchers.set_main_dialog(NativeWindow{0});  // a later start no longer finds it
    if (main_loop_running) windows.post_quit(0);
  }
}

// Binds each control to its routine and the states that routine works on.
void register_routines(LauncherState& launcher) {
  DialogRecord& d = launcher.main_dialog;
  const auto on = [&d](int id, DialogRoutine routine, int kind = DLGCB_DEFAULT) { DLGCALLBACK(d, id, routine, kind); };
  const auto select_file = [&launcher](DialogRecord& dialog, int id, int) {
    on_select_file(launcher.platform, launcher.directories, launcher.project, launcher.settings.language_files, dialog,
                   id);
  };
  const auto name_changed = [&launcher](DialogRecord& dialog, int id, int) {
    on_name_changed(launcher.platform.files, launcher.project, launcher.settings.language_files, dialog, id);
  };
  const auto command = [&launcher](DialogRecord& dialog, int id, int) {
    on_command(launcher.platform, launcher.directories, launcher.project, launcher.settings, launcher.tools, dialog,
               id);
  };
  // A double click on an entry View / Edit can act on starts it.
  const auto file_list_routine = [&launcher, command](DialogRecord& dialog, int, int kind) {
    if (on_file_list(launcher.platform, launcher.project, dialog) && kind == DLGCB_DBLCLICK)
      command(dialog, view_edit_button, kind);
  };

  on(main_dialog_template, [&launcher](DialogRecord& dialog, int, int kind) {
    on_main_dialog(launcher.platform.windows, launcher.platform.launchers, launcher.directories, launcher.ui.icons,
                   dialog, kind, launcher.main_loop_running);
  });
  on(select_geometry_button, select_file);
  accept_dropped_files(d, [&launcher](DialogRecord& dialog, int id, std::string_view path) {
    on_file_dropped(launcher.platform.files, launcher.project, launcher.settings.language_files, dialog, id, path);
  });
  on(select_recent_button, [&launcher](DialogRecord& dialog, int, int) {
    on_select_recent(launcher.platform, launcher.directories, launcher.dialogs, launcher.project, launcher.settings,
                     dialog);
  });
  on(geometry_viewer_button, command);
  on(select_loading_button, select_file);
  for (int id : {geometry_edit, output_edit, loading_edit, language_list}) on(id, name_changed);
  for (int id : {solver_button, structure_graph_button, geometry_creator_button, loading_creator_button,
                 displacement_button, stress_button, reactions_button, time_history_button, maximum_values_button,
                 max_processor_button, structure_viewer_button, view_edit_button, users_guide_button})
    on(id, command);
  on(file_list, file_list_routine);
  on(file_list, file_list_routine, DLGCB_DBLCLICK);
  on(post_processor_switch, [](DialogRecord& dialog, int, int) { on_post_enable(dialog); });
  on(print_button, command);
  on(about_button, [&launcher](DialogRecord&, int, int) { on_about(launcher.platform.windows, launcher.ui.splash); });
  on(help_button, command);
  on(sound_check_box, [&launcher](DialogRecord& dialog, int, int) {
    on_sound_switch(launcher.platform.files, launcher.directories, launcher.settings.sound_on, dialog);
  });
}

}  // namespace

bool set_up_main_dialog(LauncherState& launcher, int show_command) {
  DialogRecord& d = launcher.main_dialog;
  if (!DLGOPEN(main_dialog_template, d)) return false;
  register_routines(launcher);
  d.help_control = help_button;  // F1 opens Help as its button does

  // The file names start unset: the bare extensions. The edits get them without
  // the fields' padding, so that a click to the right of the text puts the caret
  // at its end, not among 256 blanks.
  launcher.project.geometry_file = ".dat";
  launcher.project.output_file = ".rez";
  launcher.project.loading_file = ".inc";
  show_name(d, geometry_edit, launcher.project.geometry_file.trimmed());
  show_name(d, output_edit, launcher.project.output_file.trimmed());
  show_name(d, loading_edit, launcher.project.loading_file.trimmed());

  set_item_count(d, language_list, language_item_count);
  set_item(d, language_list, english_item, "English");
  set_item(d, language_list, romanian_item, "Romanian");
  // The package's last analysis decides the language to start with; the text
  // goes to language.dat as read.
  const LanguageText start_language = language_from_work_dir(launcher.platform.files);
  select_item(d, language_list, is_romanian(start_language.padded()) ? romanian_item : english_item);
  write_language_file(launcher.platform.files, start_language, launcher.settings.language_files);

  set_enabled(d, geometry_viewer_button, false);
  set_enabled(d, solver_button, false);
  set_checked(d, post_processor_switch, false);
  on_post_enable(d);  // the post-processor buttons follow the switch
  set_enabled(d, view_edit_button, false);

  set_item_count(d, file_list, file_list_entry_count);
  set_item(d, file_list, new_file_entry, "New");

  set_enabled(d, print_button, false);
  set_enabled(d, loading_creator_button, true);

  set_checked(d, sound_check_box, launcher.settings.sound_on);
  set_text(d, sound_check_box, sound_caption(launcher.settings.sound_on));
  if (!launcher.settings.keep_sound_file)
    write_sound_file(launcher.platform.files, launcher.directories, launcher.settings.sound_on);

  if (!DLGMODELESS(d, show_command, NativeWindow{0})) return false;
  launcher.platform.launchers.set_main_dialog(d.window);  // the one a later start of this installation brings forward
  return true;
}

int run_main_loop(Windows& windows, DialogLayer& dialogs) {
  NativeMessage message;
  while (windows.next_message(message)) {
    if (!DLGPRETRANSLATE(dialogs, message)) windows.translate_and_dispatch(message);
  }
  return windows.quit_code(message);
}

}  // namespace korvel
