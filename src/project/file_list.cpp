#include "project/file_list.h"

#include "project/project_files.h"
#include "tools/commands.h"

namespace korvel {

void on_file_list(LauncherState& s, DialogRecord& d, int, int kind) {
  int entry = 0;
  DLGREADINT(d, file_list, entry, 1);
  if (entry == 4) {
    s.view_file = new_file_marker;
    DLGPUTLOG(d, view_edit_button, true, DLGIDX_ENABLED);
    DLGPUTLOG(d, print_button, true, DLGIDX_ENABLED);
    if (kind == DLGCB_DBLCLICK) on_command(s, d, view_edit_button, kind);
    return;
  }
  if (entry == 1) s.view_file = s.geometry_file;
  if (entry == 2) s.view_file = s.loading_file;
  if (entry == 3) s.view_file = s.output_file;

  if (file_is_found(s.platform.files, s.view_file)) {
    DLGPUTLOG(d, view_edit_button, entry != 0, DLGIDX_ENABLED);
    DLGPUTLOG(d, print_button, entry != 0, DLGIDX_ENABLED);
    if (kind == DLGCB_DBLCLICK) on_command(s, d, view_edit_button, kind);
    return;
  }
  s.platform.message_boxes.show(file_not_found_text(s.view_file.trimmed()), "Wiew/Edit Message",
                                mb::ok | mb::icon_error);
  set_file_list_entry(d, entry, "");
  DLGPUTLOG(d, view_edit_button, false, DLGIDX_ENABLED);
}

}  // namespace korvel
