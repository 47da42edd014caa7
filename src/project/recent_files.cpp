#include "project/recent_files.h"

#include <algorithm>

#include "project/project_files.h"
#include "settings/settings_store.h"

namespace korvel {

void remember_geometry_file(LauncherState& s) {
  if (s.geometry_file.is_blank() || s.geometry_file[0] == '.') return;
  s.geometry_file = cut_at_nul(s.geometry_file.padded());
  RecentFiles& list = s.recent_files;
  const auto found = std::find(list.begin(), list.end(), s.geometry_file);
  if (found == list.begin()) return;
  if (found != list.end()) {
    std::swap(*list.begin(), *found);
    return;
  }
  for (std::size_t i = list.size() - 1; i > 0; --i) list[i] = cut_at_nul(list[i - 1].padded());
  list[0] = s.geometry_file;
}

void on_select_recent(LauncherState& s, DialogRecord& main, int, int) {
  DialogRecord recent(s.dialogs);
  DLGOPEN(recent_dialog_template, recent);
  const DialogRoutine list_routine = [&s](DialogRecord& d, int id, int kind) { on_recent_list(s, d, id, kind); };
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_SELCHANGE);
  DLGCALLBACK(recent, recent_list, list_routine, DLGCB_DBLCLICK);
  remember_geometry_file(s);
  DLGPUTINT(recent, recent_list, static_cast<int>(recent_file_count), DLGIDX_COUNT);
  for (std::size_t i = 0; i < recent_file_count; ++i)
    DLGPUTCHAR(recent, recent_list, s.recent_files[i].padded(), static_cast<int>(i) + 1);
  DLGPUTLOG(recent, recent_done_button, false, DLGIDX_ENABLED);
  const int result = DLGMODAL(recent);
  DLGFREE(recent);
  if (result == cancel_button || s.recent_pick.is_blank()) return;

  // The pick becomes the Geometry File as if it had been typed.
  s.geometry_file = s.recent_pick;
  DLGPUTCHAR(main, geometry_edit, s.geometry_file.trimmed());
  on_name_changed(s, main, geometry_edit, DLGCB_UPDATE);
  on_name_changed(s, main, loading_edit, DLGCB_UPDATE);
  DLGREADCHAR(main, output_edit, s.output_file);
  set_file_list_entry(main, 3, file_is_found(s.platform.files, s.output_file) ? "Output File (old)" : "");
}

void on_recent_list(LauncherState& s, DialogRecord& recent, int, int kind) {
  DLGREADCHAR(recent, recent_list, s.recent_pick, DLGIDX_STATE);
  int entry = 0;
  DLGREADINT(recent, recent_list, entry, 1);
  if (s.recent_pick.is_blank()) {
    DLGPUTLOG(recent, recent_done_button, false, DLGIDX_ENABLED);
    return;
  }
  if (s.platform.files.file_exists(s.recent_pick.trimmed())) {
    if (kind == DLGCB_DBLCLICK) {
      DLGRETURN(recent, recent_double_click);
      DLGEXIT(recent);
    } else {
      DLGPUTLOG(recent, recent_done_button, true, DLGIDX_ENABLED);
    }
    return;
  }
  s.platform.message_boxes.show(" File does not exist (was deleted) !", "Select Recent Message",
                                mb::ok | mb::icon_error);
  if (entry >= 1 && entry <= static_cast<int>(recent_file_count)) s.recent_files[entry - 1] = "";
  s.recent_pick = "";
  DLGEXIT(recent);
  if (s.keep_recent_file) return;  // the unread file keeps the user's list
  // Written and read back, the blank entry closes up: the later ones move up.
  save_recent_list(s.platform.files, s.directories, s.recent_files);
  load_recent_list(s.platform.files, s.directories, s.recent_files);
}

}  // namespace korvel
