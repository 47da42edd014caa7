#include "tools/commands.h"

#include <set>

#include "project/file_choice.h"
#include "project/file_list.h"
#include "project/project_files.h"
#include "project/recent_files.h"
#include "tools/help_and_guide.h"
#include "tools/package_programs.h"
#include "tools/tool_launch.h"

namespace korvel {

namespace {

// Whether the file named exists; true to go on, false when the user cancels.
bool check_input_file(LauncherState& s, DialogRecord& d, const PathText& name, int choose_button, int kind) {
  if (s.platform.files.file_exists(name.trimmed())) return true;
  const int answer = s.platform.message_boxes.show(
      file_not_found_text(name.trimmed()), "RUN Message",
      mb::retry_cancel | mb::icon_error);
  if (answer != mb::answer_retry) return false;
  // The new choice is not tested again: a cancelled dialog leaves the missing name.
  on_select_file(s, d, choose_button, kind);
  return true;
}

// A double quote would end a name's quoting and a control character (a TAB, a
// CR) split its argument, handing a program arguments of the user's typing; no
// file has either. Such a name is reported as not found; true when refused.
bool refuse_unsafe_name(MessageBoxes& boxes, std::string_view name) {
  if (can_name_a_file(name)) return false;
  boxes.show(file_not_found_text(name), "KORVEL Message", mb::ok | mb::icon_error);
  return true;
}

// The solver's file checks and command line; false when the user cancelled or
// a name was refused.
bool prepare_solver(LauncherState& s, DialogRecord& d, int kind) {
  DLGREADCHAR(d, geometry_edit, s.geometry_file);
  DLGREADCHAR(d, output_edit, s.output_file);
  DLGREADCHAR(d, loading_edit, s.loading_file);
  if (!check_input_file(s, d, s.geometry_file, select_geometry_button, kind)) return false;
  if (!check_input_file(s, d, s.loading_file, select_loading_button, kind)) return false;
  // Retry with a cancelled choice goes on with the typed names: test them here.
  MessageBoxes& boxes = s.platform.message_boxes;
  if (refuse_unsafe_name(boxes, s.geometry_file.name()) || refuse_unsafe_name(boxes, s.loading_file.name()))
    return false;
  if (compose_solver_command(s)) {
    DLGPUTLOG(d, view_edit_button, false, DLGIDX_ENABLED);
    set_file_list_entry(d, 3, "Output File");
    remember_geometry_file(s);
  }
  return true;
}

// What View / Edit and Print act on is refused like any name, but for the
// new-file marker, whose TAB tells the program to start without a file.
bool refuse_view_file(LauncherState& s) {
  return !(s.view_file == new_file_marker) && refuse_unsafe_name(s.platform.message_boxes, s.view_file.name());
}

// Marks a command as in progress while its routine runs. The routine's message
// boxes and file choices run nested loops that still dispatch clicks; a second
// click on the same button then does nothing, so boxes never pile up.
class CommandInProgress {
 public:
  CommandInProgress(std::set<int>& commands, int id) : commands_(commands), id_(id) {
    entered_ = commands_.insert(id_).second;
  }
  ~CommandInProgress() {
    if (entered_) commands_.erase(id_);
  }
  CommandInProgress(const CommandInProgress&) = delete;
  CommandInProgress& operator=(const CommandInProgress&) = delete;
  bool entered() const { return entered_; }

 private:
  std::set<int>& commands_;
  int id_;
  bool entered_ = false;
};

}  // namespace

void on_command(LauncherState& s, DialogRecord& d, int control_id, int kind) {
  const CommandInProgress in_progress(s.commands_in_progress, control_id);
  if (!in_progress.entered()) return;
  FileSystem& files = s.platform.files;
  switch (control_id) {
    case solver_button:
      if (!prepare_solver(s, d, kind)) return;
      break;
    case view_edit_button:  // View / Edit
      if (refuse_view_file(s)) return;
      s.tool_path = files.windows_directory() + "\\Notepad.exe";
      s.tool_arguments = s.view_file.trimmed();
      if (!s.view_file.is_blank()) remember_geometry_file(s);
      break;
    case print_button:  // Print: the print tool has no " 20" variant
      if (refuse_view_file(s)) return;
      s.tool_path = package_program_path(files, s.directories, "Tasprel", false);
      s.tool_arguments = s.view_file.trimmed();
      break;
    case geometry_viewer_button: {  // Sivra gets the Geometry File as held, quoted when it has a blank
      const std::string name(s.geometry_file.name());
      if (refuse_unsafe_name(s.platform.message_boxes, name)) return;
      s.tool_path = package_program_path(files, s.directories, "Sivra");
      s.tool_arguments = quoted_if_blank(name);
      break;
    }
    case help_button:
      if (!prepare_help(s)) return;
      break;
    case users_guide_button:
      if (!prepare_users_guide(s, d)) return;
      break;
    default: {
      const std::optional<PackageProgram> program = package_program_for(control_id);
      if (!program || program->arguments != ArgumentKind::tab) return;
      s.tool_path = package_program_path(files, s.directories, program->name, program->has_variant);
      s.tool_arguments = "\t";
      break;
    }
  }

  start_tool(s);
  if (control_id == solver_button) {
    // After every solver run, also a failed one, the post-processors are offered.
    DLGPUTLOG(d, post_processor_switch, true, DLGIDX_STATE);
    on_post_enable(s, d, control_id, kind);
  }
}

void on_post_enable(LauncherState&, DialogRecord& dialog, int, int) {
  bool checked = false;
  DLGREADLOG(dialog, post_processor_switch, checked, DLGIDX_STATE);
  for (int id : post_processor_buttons) DLGPUTLOG(dialog, id, checked);
}

}  // namespace korvel
