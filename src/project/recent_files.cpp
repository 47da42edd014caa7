#include "project/recent_files.h"

#include <algorithm>

namespace korvel {
using namespace main_dialog_ids;
using namespace recent_dialog_ids;

void remember_geometry_file(PathText& geometry_file, RecentFiles& list) {
  if (geometry_file.is_blank() || geometry_file[0] == '.') return;
  geometry_file = cut_at_nul(geometry_file.padded());
  const auto found = std::find(list.begin(), list.end(), geometry_file);
  if (found == list.begin()) return;
  if (found != list.end()) {
    std::swap(*list.begin(), *found);
    return;
  }
  for (std::size_t i = list.size() - 1; i > 0; --i) list[i] = cut_at_nul(list[i - 1].padded());
  list[0] = geometry_file;
}

void on_select_recent(Platform& platform, const Directories& dirs, DialogLayer& dialogs, ProjectState& project,
                      SettingsState& settings, DialogRecord& main) {
  DialogRecord recent(dialogs);
  DLGOPEN(recent_dialog_template, recent);
  PathText pick;  // the list's last selected text, for this run of the dialog
  const DialogRoutine list_routine = [&](DialogRecord& d, int, int kind) {
    on_recent_list(platform, dirs, settings, pick, d, kind);
  };
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_SELCHANGE);
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_DBLCLICK);
  remember_geometry_file(project.geometry_file, settings.recent_files);
  set_item_count(recent, recent_list, static_cast<int>(recent_file_count));
  for (std::size_t i = 0; i < recent_file_count; ++i)
    set_item(recent, recent_list, static_cast<int>(i) + 1, settings.recent_files[i].padded());
  set_enabled(recent, done_button, false);
  const int result = DLGMODAL(recent);
  DLGFREE(recent);
  if (result == dialog_ids::cancel || pick.is_blank()) return;

  // The pick becomes the Geometry File as if it had been typed.
  project.geometry_file = pick;
  show_name(main, geometry_edit, project.geometry_file.trimmed());
  on_name_changed(platform.files, project, settings.language_files, main, geometry_edit);
  on_name_changed(platform.files, project, settings.language_files, main, loading_edit);
  project.output_file = text_of(main, output_edit);
  set_file_list_entry(main, output_entry,
                      file_is_found(platform.files, project.output_file) ? "Output File (old)" : "");
}

void on_recent_list(Platform& platform, const Directories& dirs, SettingsState& settings, PathText& pick,
                    DialogRecord& recent, int kind) {
  pick = selected_text(recent, recent_list);
  const int entry = selected_item(recent, recent_list);
  if (pick.is_blank()) {
    set_enabled(recent, done_button, false);
    return;
  }
  if (platform.files.file_exists(pick.trimmed())) {
    if (kind == DLGCB_DBLCLICK) {
      DLGRETURN(recent, double_click_result);
      DLGEXIT(recent);
    } else {
      set_enabled(recent, done_button, true);
    }
    return;
  }
  platform.message_boxes.show(" File does not exist (was deleted) !", "Select Recent Message",
                              mb::ok | mb::icon_error);
  if (entry >= 1 && entry <= static_cast<int>(recent_file_count)) settings.recent_files[entry - 1] = "";
  pick = "";
  DLGEXIT(recent);
  if (settings.keep_recent_file) return;  // the unread file keeps the user's list
  // Written and read back, the blank entry closes up: the later ones move up.
  save_recent_list(platform.files, dirs, settings.recent_files);
  load_recent_list(platform.files, dirs, settings.recent_files);
}

}  // namespace korvel
