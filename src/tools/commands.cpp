#include "tools/commands.h"

#include "common/at_scope_exit.h"
#include "project/file_choice.h"
#include "project/file_list.h"
#include "project/recent_files.h"
#include "tools/help_and_guide.h"
#include "tools/package_programs.h"
#include "tools/program_names.h"
#include "tools/tool_launch.h"

namespace korvel {
using namespace main_dialog_ids;

namespace {

// What a command reads and writes, for the helpers below.
struct CommandScope {
  Platform& platform;
  const Directories& dirs;
  ProjectState& project;
  SettingsState& settings;
};

// Whether the file named exists; true to go on, false when the user cancels.
bool check_input_file(CommandScope& scope, DialogRecord& d, const PathText& name, int choose_button) {
  if (scope.platform.files.file_exists(name.trimmed())) return true;
  const int answer = scope.platform.message_boxes.show(file_not_found_text(name.trimmed()), "RUN Message",
                                                       mb::retry_cancel | mb::icon_error);
  if (answer != mb::answer_retry) return false;
  // The new choice is not tested again: a cancelled dialog leaves the missing name.
  on_select_file(scope.platform, scope.dirs, scope.project, scope.settings.language_files, d, choose_button);
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

// The solver's file checks and command line; nothing when the user cancelled
// or a name was refused.
std::optional<ToolCommand> solver_command(CommandScope& scope, DialogRecord& d) {
  ProjectState& project = scope.project;
  project.geometry_file = text_of(d, geometry_edit);
  project.output_file = text_of(d, output_edit);
  project.loading_file = text_of(d, loading_edit);
  if (!check_input_file(scope, d, project.geometry_file, select_geometry_button)) return std::nullopt;
  if (!check_input_file(scope, d, project.loading_file, select_loading_button)) return std::nullopt;
  // Retry with a cancelled choice goes on with the typed names: test them here.
  MessageBoxes& boxes = scope.platform.message_boxes;
  if (refuse_unsafe_name(boxes, project.geometry_file.name()) || refuse_unsafe_name(boxes, project.loading_file.name()))
    return std::nullopt;
  const std::optional<SolverCommand> composed = compose_solver_command(scope.platform, scope.dirs, project);
  if (!composed) return std::nullopt;
  const SolverCommand& solver = *composed;
  if (solver.accepted) {
    set_enabled(d, view_edit_button, false);
    set_file_list_entry(d, output_entry, "Output File");
    // A Geometry name that went as short names gives the solver an Output File
    // of its own: the Output entry, View / Edit and Print must reach that one,
    // also when the name was typed before its file existed.
    const PathText written = solver_output_name(scope.platform.files, project.geometry_file);
    if (!(written == derive_name(project.geometry_file, ".rez"))) {
      project.output_file = written;
      show_name(d, output_edit, project.output_file.trimmed());
    }
    remember_geometry_file(project.geometry_file, scope.settings.recent_files);
  }
  return solver.command;
}

// What View / Edit and Print act on is refused like any name, but for the
// new-file marker, whose TAB tells the program to start without a file.
bool refuse_view_file(MessageBoxes& boxes, const ProjectState& project) {
  return !(project.view_file == new_file_marker) && refuse_unsafe_name(boxes, project.view_file.name());
}

// The program a button starts and its arguments; nothing when it starts none.
std::optional<ToolCommand> command_for(CommandScope& scope, DialogRecord& d, int control_id) {
  FileSystem& files = scope.platform.files;
  MessageBoxes& boxes = scope.platform.message_boxes;
  ProjectState& project = scope.project;
  switch (control_id) {
    case solver_button:
      return solver_command(scope, d);
    case view_edit_button: {
      if (refuse_view_file(boxes, project)) return std::nullopt;
      ToolCommand editor{ProgramPathText(files.windows_directory() + "\\Notepad.exe"),
                         ArgumentText(project.view_file.trimmed())};
      if (!project.view_file.is_blank()) remember_geometry_file(project.geometry_file, scope.settings.recent_files);
      return editor;
    }
    case print_button: {
      if (refuse_view_file(boxes, project)) return std::nullopt;
      const std::optional<std::string> name = readable_name_or_report(scope.platform, project.view_file.trimmed());
      if (!name) return std::nullopt;
      return ToolCommand{package_program_path(files, scope.dirs, control_id), ArgumentText(*name)};
    }
    case geometry_viewer_button: {  // the viewer gets the Geometry File, quoted when it has a blank
      const std::string held(project.geometry_file.name());
      if (refuse_unsafe_name(boxes, held)) return std::nullopt;
      const std::optional<std::string> name = readable_name_or_report(scope.platform, held);
      if (!name) return std::nullopt;
      return ToolCommand{package_program_path(files, scope.dirs, control_id), ArgumentText(quoted_if_blank(*name))};
    }
    case help_button:
      return help_command(scope.platform, scope.dirs);
    case users_guide_button:
      return users_guide_command(scope.platform, scope.dirs, project, d);
    default: {
      const std::optional<PackageProgram> program = package_program_for(control_id);
      if (!program || program->arguments != ArgumentKind::tab) return std::nullopt;
      return ToolCommand{package_program_path(files, scope.dirs, control_id), ArgumentText("\t")};
    }
  }
}

}  // namespace

void on_command(Platform& platform, const Directories& dirs, ProjectState& project, SettingsState& settings,
                ToolsState& tools, DialogRecord& d, int control_id) {
  // In progress while its routine runs. The routine's message boxes and file
  // choices run nested loops that still dispatch clicks; a second click on the
  // same button then does nothing, so boxes never pile up.
  if (!tools.commands_in_progress.insert(control_id).second) return;
  const AtScopeExit done([&] { tools.commands_in_progress.erase(control_id); });
  CommandScope scope{platform, dirs, project, settings};
  const std::optional<ToolCommand> command = command_for(scope, d, control_id);
  if (!command) return;
  start_tool(platform, tools.launch_table, *command);
  if (control_id == solver_button) {
    // After every solver run, also a failed one, the post-processors are offered.
    set_checked(d, post_processor_switch, true);
    on_post_enable(d);
  }
}

void on_post_enable(DialogRecord& dialog) {
  const bool checked = is_checked(dialog, post_processor_switch);
  for (int id : post_processor_buttons) set_enabled(dialog, id, checked);
}

}  // namespace korvel
