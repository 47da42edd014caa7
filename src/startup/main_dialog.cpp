#include "startup/main_dialog.h"

#include "project/file_choice.h"
#include "project/file_list.h"
#include "project/project_files.h"
#include "project/recent_files.h"
#include "settings/sound_switch.h"
#include "tools/commands.h"
#include "ui/about_window.h"

namespace korvel {

namespace {

using Routine = void (*)(LauncherState&, DialogRecord&, int, int);

void register_routine(LauncherState& state, int id, Routine routine, int kind = DLGCB_DEFAULT) {
  DLGCALLBACK(
      state.main_dialog, id,
      [&state, routine](DialogRecord& dialog, int control_id, int callback_kind) {
        routine(state, dialog, control_id, callback_kind);
      },
      kind);
}

void register_routines(LauncherState& s) {
  register_routine(s, main_dialog_template, on_main_dialog);
  register_routine(s, select_geometry_button, on_select_file);
  register_routine(s, select_recent_button, on_select_recent);
  register_routine(s, geometry_viewer_button, on_command);
  register_routine(s, select_loading_button, on_select_file);
  register_routine(s, geometry_edit, on_name_changed);
  register_routine(s, output_edit, on_name_changed);
  register_routine(s, loading_edit, on_name_changed);
  register_routine(s, language_list, on_name_changed);
  for (int id : {solver_button, structure_graph_button, geometry_creator_button, loading_creator_button,
                 displacement_button, stress_button, reactions_button, time_history_button, maximum_values_button,
                 max_processor_button, structure_viewer_button, view_edit_button, users_guide_button})
    register_routine(s, id, on_command);
  register_routine(s, file_list, on_file_list);
  register_routine(s, file_list, on_file_list, DLGCB_DBLCLICK);
  register_routine(s, post_processor_switch, on_post_enable);
  register_routine(s, print_button, on_command);
  register_routine(s, about_button, on_about);
  register_routine(s, help_button, on_command);
  register_routine(s, sound_check_box, on_sound_switch);
}

}  // namespace

bool set_up_main_dialog(LauncherState& s, int show_command) {
  DialogRecord& d = s.main_dialog;
  if (!DLGOPEN(main_dialog_template, d)) return false;
  register_routines(s);

  // The file names start unset: the bare extensions. The edits get them without
  // the fields' padding, so that a click to the right of the text puts the caret
  // at its end, not among 256 blanks.
  s.geometry_file = ".dat";
  s.output_file = ".rez";
  s.loading_file = ".inc";
  DLGPUTCHAR(d, geometry_edit, s.geometry_file.trimmed());
  DLGPUTCHAR(d, output_edit, s.output_file.trimmed());
  DLGPUTCHAR(d, loading_edit, s.loading_file.trimmed());

  DLGPUTINT(d, language_list, 2, DLGIDX_COUNT);
  DLGPUTCHAR(d, language_list, "English", 1);
  DLGPUTCHAR(d, language_list, "Romanian", 2);
  // The package's last analysis decides the language to start with; the text
  // goes to language.dat as read.
  const LanguageText start_language = language_from_work_dir(s.platform.files);
  DLGPUTINT(d, language_list, is_romanian(start_language.padded()) ? 2 : 1, DLGIDX_STATE);
  write_language_file(s.platform.files, start_language, s.language_files);

  DLGPUTLOG(d, geometry_viewer_button, false, DLGIDX_ENABLED);
  DLGPUTLOG(d, solver_button, false, DLGIDX_ENABLED);
  DLGPUTLOG(d, post_processor_switch, false, DLGIDX_STATE);
  for (int id : post_processor_buttons) DLGPUTLOG(d, id, false);
  DLGPUTLOG(d, view_edit_button, false);

  DLGPUTINT(d, file_list, 4, DLGIDX_COUNT);
  DLGPUTCHAR(d, file_list, "New", 4);

  DLGPUTLOG(d, print_button, false);
  DLGPUTLOG(d, loading_creator_button, true);

  DLGPUTLOG(d, sound_check_box, s.sound_on);
  DLGPUTCHAR(d, sound_check_box, sound_caption(s.sound_on), DLGIDX_TITLE);
  if (!s.keep_sound_file) write_sound_file(s.platform.files, s.directories, s.sound_on);

  return DLGMODELESS(d, show_command, NativeWindow{0});
}

void on_main_dialog(LauncherState& s, DialogRecord& dialog, int, int kind) {
  Windows& windows = s.platform.windows;
  if (kind == DLGCB_INIT) {
    windows.set_small_icon(dialog.window, s.icons.korvel());
    for (int id : icon_button_order) windows.set_button_image(dialog.window, id, s.icons.for_button(id));
    static constexpr int edits[] = {geometry_edit, output_edit, loading_edit};
    static constexpr int lists[] = {file_list};
    windows.colour_fields(dialog.window, edits, lists, field_colour);
    s.field_windows = {windows.control(dialog.window, geometry_edit), windows.control(dialog.window, output_edit),
                       windows.control(dialog.window, loading_edit), windows.control(dialog.window, file_list)};
  } else if (kind == DLGCB_DESTROY) {
    windows.post_quit(0);
  }
}

int run_main_loop(LauncherState& s) {
  Windows& windows = s.platform.windows;
  NativeMessage message;
  while (windows.next_message(message)) {
    if (!DLGPRETRANSLATE(s.dialogs, message)) windows.translate_and_dispatch(message);
  }
  return windows.quit_code(message);
}

std::pair<int, int> centred_position(const Rect& desktop, const Rect& window) {
  const int desktop_width = desktop.right;
  const int desktop_height = desktop.bottom;
  int x = (desktop_width - window.width()) / 2;
  int y = (desktop_height - window.height()) / 2;
  if (x + window.width() > desktop_width) x = desktop_width - window.width();
  if (y + window.height() > desktop_height) y = desktop_height - window.height();
  // A window larger than the desktop keeps its top-left corner on it.
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  return {x, y};
}

void centre_on_desktop(Windows& windows, NativeWindow window) {
  const auto [x, y] = centred_position(windows.desktop_rect(), windows.window_rect(window));
  windows.move_window(window, x, y);
}

}  // namespace korvel
