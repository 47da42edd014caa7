#include "project/file_list.h"

namespace korvel {
using namespace main_dialog_ids;

bool on_file_list(Platform& platform, ProjectState& project, DialogRecord& d) {
  const auto entry = static_cast<FileListEntry>(selected_item(d, file_list));
  if (entry == new_file_entry) {
    project.view_file = new_file_marker;
    set_enabled(d, view_edit_button, true);
    set_enabled(d, print_button, true);
    return true;
  }
  if (entry == geometry_entry) project.view_file = project.geometry_file;
  if (entry == loading_entry) project.view_file = project.loading_file;
  if (entry == output_entry) project.view_file = project.output_file;

  if (file_is_found(platform.files, project.view_file)) {
    set_enabled(d, view_edit_button, entry != no_entry);
    set_enabled(d, print_button, entry != no_entry);
    return true;
  }
  platform.message_boxes.show(file_not_found_text(project.view_file.trimmed()), "Wiew/Edit Message",
                              mb::ok | mb::icon_error);
  set_file_list_entry(d, entry, "");
  set_enabled(d, view_edit_button, false);
  return false;
}

}  // namespace korvel
