#include "tools/tool_launch.h"

#include "project/project_files.h"
#include "tools/package_programs.h"
#include "tools/program_names.h"

namespace korvel {

ProgramPathText package_program_path(FileSystem& files, const Directories& dirs, int control_id) {
  const PackageProgram program = package_program_for(control_id).value();  // callers name a program's button
  const std::string plain = path_in(dirs.start_directory, "\\" + std::string(program.name) + ".exe");
  if (program.has_variant) {
    const PathText variant(path_in(dirs.start_directory, "\\" + std::string(program.name) + " 20.exe"));
    if (files.file_exists(variant.trimmed())) return ProgramPathText(variant.padded());
  }
  return ProgramPathText(plain);
}

namespace {

// The Loading File's name without folder and extension, and its extension from
// the last full stop, in a 4-character field; as the solver can read them.
struct NameParts {
  FixedText<255> name;
  FixedText<4> extension;
  bool readable = true;
};

NameParts split_loading_name(FileSystem& files, const PathText& loading_file) {
  NameParts parts;
  const std::optional<std::string> full = files.full_path(cut_at_nul(loading_file.trimmed()));
  if (!full) return parts;
  // The folder is dropped: only the file's own name needs to be readable.
  const std::optional<std::string> readable = readable_last_part(files, *full);
  if (!readable) {
    parts.readable = false;
    return parts;
  }
  const std::string_view file = *readable;
  const std::size_t stop = file.rfind('.');
  parts.name = file.substr(0, stop);
  if (stop != std::string_view::npos) parts.extension = file.substr(stop);
  return parts;
}

}  // namespace

SolverArguments solver_argument_text(FileSystem& files, const PathText& geometry_file, const PathText& loading_file,
                                     bool romanian_output) {
  const char letter = romanian_output ? 'R' : 'E';
  const std::optional<std::string> geometry = readable_name(files, geometry_file.name());
  if (!geometry) return {{}, std::string(geometry_file.name())};
  const NameParts loading = split_loading_name(files, loading_file);
  if (!loading.readable) return {{}, std::string(loading_file.name())};

  const PathText geometry_part(quoted_if_blank(*geometry));
  const PathText loading_part(has_blank(loading.name.padded())
                                  ? quoted(std::string(loading.name.trimmed()) + loading.extension.padded())
                                  : std::string(loading.name.trimmed()) + loading.extension.padded());
  std::string text(geometry_part.trimmed());
  text.append(" ").append(loading_part.trimmed()).append(" ").push_back(letter);
  return {text, std::nullopt};
}

std::size_t solver_argument_length(FileSystem& files, std::string_view text) {
  const std::optional<std::string> in_system_code_page = files.to_system_code_page(text);
  return in_system_code_page ? in_system_code_page->size() : text.size();
}

std::string too_long_message(std::size_t length) {
  return "Command Line too long. (" + std::to_string(length) +
         " >260)\n\nRename Input_File and/or Loading file or their directory - to shorter new names.";
}

std::optional<SolverCommand> compose_solver_command(Platform& platform, const Directories& dirs,
                                                   const ProjectState& project) {
  const SolverArguments arguments =
      solver_argument_text(platform.files, project.geometry_file, project.loading_file, project.romanian_output);
  if (arguments.unreadable_name) {
    platform.message_boxes.show(unreadable_name_text(*arguments.unreadable_name), "KORVEL Message",
                                mb::ok | mb::icon_error);
    return std::nullopt;
  }
  const std::string& text = arguments.text;
  const ProgramPathText solver_path = package_program_path(platform.files, dirs, main_dialog_ids::solver_button);
  SolverCommand solver{{solver_path, ArgumentText()}, true};
  const std::size_t length = solver_argument_length(platform.files, text);
  if (length <= solver_argument_limit) {
    solver.command.arguments = text;
    return solver;
  }
  platform.message_boxes.show(too_long_message(length), "KORVEL Message", mb::ok_cancel | mb::icon_error);
  solver.accepted = false;
  return solver;
}

void start_tool(Platform& platform, LaunchTable& table, const ToolCommand& command) {
  LaunchRecord& record = add_launch_record(table, command.program_path.padded(), command.arguments.padded());
  // The command line is built at the length it needs: an accepted argument text
  // of 260 characters reaches the program whole.
  const std::string application(record.program_path.trimmed());
  const std::string command_line = " " + std::string(record.arguments.trimmed());
  const std::optional<StartedProcess> started = platform.processes.start(application, command_line);
  if (started) {
    record.launch_state = LaunchState::started;
    record.process_handle = started->handle;
    record.process_id = started->id;
    return;
  }
  platform.message_boxes.show(application + ": Failed run!", "KORVEL: CreateProcess Message",
                              mb::ok | mb::icon_information);
  record.launch_state = LaunchState::start_failed;
}

}  // namespace korvel
