#include "project/file_list.h"

namespace korvel {

bool on_file_list(Platform& platform, ProjectState& s, DialogRecord& d) {
  int entry = 0;
  DLGREADINT(d, file_list, entry, 1);
  if (entry == 4) {
    s.view_file = new_file_marker;
    DLGPUTLOG(d, view_edit_button, true, DLGIDX_ENABLED);
    DLGPUTLOG(d, print_button, true, DLGIDX_ENABLED);
    return true;
  }
  if (entry == 1) s.view_file = s.geometry_file;
  if (entry == 2) s.view_file = s.loading_file;
  if (entry == 3) s.view_file = s.output_file;

  if (file_is_found(platform.files, s.view_file)) {
    DLGPUTLOG(d, view_edit_button, entry != 0, DLGIDX_ENABLED);
    DLGPUTLOG(d, print_button, entry != 0, DLGIDX_ENABLED);
    return true;
  }
  platform.message_boxes.show(file_not_found_text(s.view_file.trimmed()), "Wiew/Edit Message",
                              mb::ok | mb::icon_error);
  set_file_list_entry(d, entry, "");
  DLGPUTLOG(d, view_edit_button, false, DLGIDX_ENABLED);
  return false;
}

}  // namespace korvel
