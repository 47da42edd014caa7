#include "project/recent_files.h"

#include <algorithm>

namespace korvel {

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

void on_select_recent(Platform& platform, const Directories& dirs, DialogLayer& dialogs, ProjectState& s,
                      SettingsState& settings, DialogRecord& main) {
  DialogRecord recent(dialogs);
  DLGOPEN(recent_dialog_template, recent);
  PathText pick;  // the list's last selected text, for this run of the dialog
  const DialogRoutine list_routine = [&](DialogRecord& d, int, int kind) {
    on_recent_list(platform, dirs, settings, pick, d, kind);
  };
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_SELCHANGE);
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_DBLCLICK);
  remember_geometry_file(s.geometry_file, settings.recent_files);
  DLGPUTINT(recent, recent_list, static_cast<int>(recent_file_count), DLGIDX_COUNT);
  for (std::size_t i = 0; i < recent_file_count; ++i)
    DLGPUTCHAR(recent, recent_list, settings.recent_files[i].padded(), static_cast<int>(i) + 1);
  DLGPUTLOG(recent, recent_done_button, false, DLGIDX_ENABLED);
  const int result = DLGMODAL(recent);
  DLGFREE(recent);
  if (result == cancel_button || pick.is_blank()) return;

  // The pick becomes the Geometry File as if it had been typed.
  s.geometry_file = pick;
  DLGPUTCHAR(main, geometry_edit, s.geometry_file.trimmed());
  on_name_changed(platform.files, s, settings.language_files, main, geometry_edit);
  on_name_changed(platform.files, s, settings.language_files, main, loading_edit);
  DLGREADCHAR(main, output_edit, s.output_file);
  set_file_list_entry(main, 3, file_is_found(platform.files, s.output_file) ? "Output File (old)" : "");
}

void on_recent_list(Platform& platform, const Directories& dirs, SettingsState& s, PathText& pick,
                    DialogRecord& recent, int kind) {
  DLGREADCHAR(recent, recent_list, pick, DLGIDX_STATE);
  int entry = 0;
  DLGREADINT(recent, recent_list, entry, 1);
  if (pick.is_blank()) {
    DLGPUTLOG(recent, recent_done_button, false, DLGIDX_ENABLED);
    return;
  }
  if (platform.files.file_exists(pick.trimmed())) {
    if (kind == DLGCB_DBLCLICK) {
      DLGRETURN(recent, recent_double_click);
      DLGEXIT(recent);
    } else {
      DLGPUTLOG(recent, recent_done_button, true, DLGIDX_ENABLED);
    }
    return;
  }
  platform.message_boxes.show(" File does not exist (was deleted) !", "Select Recent Message",
                              mb::ok | mb::icon_error);
  if (entry >= 1 && entry <= static_cast<int>(recent_file_count)) s.recent_files[entry - 1] = "";
  pick = "";
  DLGEXIT(recent);
  if (s.keep_recent_file) return;  // the unread file keeps the user's list
  // Written and read back, the blank entry closes up: the later ones move up.
  save_recent_list(platform.files, dirs, s.recent_files);
  load_recent_list(platform.files, dirs, s.recent_files);
}

}  // namespace korvel
