#include "app/main_dialog.h"

#include "project/file_choice.h"
#include "project/file_list.h"
#include "project/recent_files.h"
#include "tools/commands.h"
#include "ui/about_window.h"
#include "ui/sound_switch.h"

namespace korvel {

namespace {

// The main dialog's own routine: window icon, button images and field colours
// when it opens, the end of the message loop when it goes. Closed by the error
// path after the loop, it posts nothing: a quit message left waiting would end
// the shutdown's question at once.
void on_main_dialog(Windows& windows, RunningLaunchers& launchers, const Icons& icons, DialogRecord& dialog,
                    int kind, bool main_loop_running) {
  if (kind == DLGCB_INIT) {
    windows.set_small_icon(dialog.window, icons.korvel());
    for (int id : icon_button_order) windows.set_button_image(dialog.window, id, icons.for_button(id));
    static constexpr int edits[] = {geometry_edit, output_edit, loading_edit};
    static constexpr int lists[] = {file_list};
    windows.colour_fields(dialog.window, edits, lists, field_colour);
  } else if (kind == DLGCB_DESTROY) {
    launchers.set_main_dialog(NativeWindow{0});  // a later start no longer finds it
    if (main_loop_running) windows.post_quit(0);
  }
}

// Binds each control to its routine and the states that routine works on.
void register_routines(LauncherState& s) {
  DialogRecord& d = s.main_dialog;
  Platform& p = s.platform;
  const auto on = [&d](int id, DialogRoutine routine, int kind = DLGCB_DEFAULT) { DLGCALLBACK(d, id, routine, kind); };
  const auto select_file = [&s](DialogRecord& dialog, int id, int) {
    on_select_file(s.platform, s.directories, s.project, s.settings.language_files, dialog, id);
  };
  const auto name_changed = [&s](DialogRecord& dialog, int id, int) {
    on_name_changed(s.platform.files, s.project, s.settings.language_files, dialog, id);
  };
  const auto command = [&s](DialogRecord& dialog, int id, int) {
    on_command(s.platform, s.directories, s.project, s.settings, s.tools, dialog, id);
  };
  // A double click on an entry View / Edit can act on starts it.
  const auto file_list_routine = [&s, command](DialogRecord& dialog, int, int kind) {
    if (on_file_list(s.platform, s.project, dialog) && kind == DLGCB_DBLCLICK) command(dialog, view_edit_button, kind);
  };

  on(main_dialog_template, [&s](DialogRecord& dialog, int, int kind) {
    on_main_dialog(s.platform.windows, s.platform.launchers, s.ui.icons, dialog, kind, s.main_loop_running);
  });
  on(select_geometry_button, select_file);
  on(select_recent_button, [&s](DialogRecord& dialog, int, int) {
    on_select_recent(s.platform, s.directories, s.dialogs, s.project, s.settings, dialog);
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
  on(about_button, [&p, &s](DialogRecord&, int, int) { on_about(p.windows, s.ui.splash); });
  on(help_button, command);
  on(sound_check_box, [&s](DialogRecord& dialog, int, int) {
    on_sound_switch(s.platform.files, s.directories, s.settings.sound_on, dialog);
  });
}

}  // namespace

bool set_up_main_dialog(LauncherState& s, int show_command) {
  DialogRecord& d = s.main_dialog;
  if (!DLGOPEN(main_dialog_template, d)) return false;
  register_routines(s);

  // The file names start unset: the bare extensions. The edits get them without
  // the fields' padding, so that a click to the right of the text puts the caret
  // at its end, not among 256 blanks.
  s.project.geometry_file = ".dat";
  s.project.output_file = ".rez";
  s.project.loading_file = ".inc";
  DLGPUTCHAR(d, geometry_edit, s.project.geometry_file.trimmed());
  DLGPUTCHAR(d, output_edit, s.project.output_file.trimmed());
  DLGPUTCHAR(d, loading_edit, s.project.loading_file.trimmed());

  DLGPUTINT(d, language_list, 2, DLGIDX_COUNT);
  DLGPUTCHAR(d, language_list, "English", 1);
  DLGPUTCHAR(d, language_list, "Romanian", 2);
  // The package's last analysis decides the language to start with; the text
  // goes to language.dat as read.
  const LanguageText start_language = language_from_work_dir(s.platform.files);
  DLGPUTINT(d, language_list, is_romanian(start_language.padded()) ? 2 : 1, DLGIDX_STATE);
  write_language_file(s.platform.files, start_language, s.settings.language_files);

  DLGPUTLOG(d, geometry_viewer_button, false, DLGIDX_ENABLED);
  DLGPUTLOG(d, solver_button, false, DLGIDX_ENABLED);
  DLGPUTLOG(d, post_processor_switch, false, DLGIDX_STATE);
  for (int id : post_processor_buttons) DLGPUTLOG(d, id, false);
  DLGPUTLOG(d, view_edit_button, false);

  DLGPUTINT(d, file_list, 4, DLGIDX_COUNT);
  DLGPUTCHAR(d, file_list, "New", 4);

  DLGPUTLOG(d, print_button, false);
  DLGPUTLOG(d, loading_creator_button, true);

  DLGPUTLOG(d, sound_check_box, s.settings.sound_on);
  DLGPUTCHAR(d, sound_check_box, sound_caption(s.settings.sound_on), DLGIDX_TITLE);
  if (!s.settings.keep_sound_file) write_sound_file(s.platform.files, s.directories, s.settings.sound_on);

  if (!DLGMODELESS(d, show_command, NativeWindow{0})) return false;
  s.platform.launchers.set_main_dialog(d.window);  // the one a later start of this installation brings forward
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
