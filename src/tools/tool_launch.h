// How a program is found and started: the " 20" variant rule, the solver's
// command line, and the start itself with its failure message.
#pragma once

#include <optional>
#include <string>

#include "common/directories.h"
#include "platform/platform.h"
#include "project/project_state.h"
#include "tools/launch_table.h"

namespace korvel {

// A program to start and the text after the blank that begins its command line.
struct ToolCommand {
  ProgramPathText program_path;
  ArgumentText arguments;
};

// The package program that button starts (package_programs.h): start_directory\<name>.exe,
// or start_directory\<name> 20.exe when that exists and the program has such a variant.
ProgramPathText package_program_path(FileSystem& files, const Directories& dirs, int control_id);

// The solver's argument text: the Geometry File (quoted when it holds a blank),
// the Loading File's name and extension without its folder (quoted when the
// name holds a blank), and the language letter R or E. Each name as the solver
// can read it (program_names.h); when one can't be made readable, no text but
// that name.
struct SolverArguments {
  std::string text;
  std::optional<std::string> unreadable_name;
};
SolverArguments solver_argument_text(FileSystem& files, const PathText& geometry_file, const PathText& loading_file,
                                     bool romanian_output);
// The solver reads its command line in the system's code page, so the limit
// counts the bytes it receives there; text the code page can't hold (none once
// names are readable) counts as the Launcher holds it.
std::size_t solver_argument_length(FileSystem& files, std::string_view text);
inline constexpr std::size_t solver_argument_limit = 260;
std::string too_long_message(std::size_t length);

// The solver with its argument text; a text over the limit is reported and the
// solver gets none (accepted is false then). A name the solver can't read is
// reported and nothing is to be started.
struct SolverCommand {
  ToolCommand command;
  bool accepted;
};
std::optional<SolverCommand> compose_solver_command(Platform& platform, const Directories& dirs,
                                                   const ProjectState& project);

// Adds the newest launch record for the command and starts it; a failed start
// is reported.
void start_tool(Platform& platform, LaunchTable& table, const ToolCommand& command);

}  // namespace korvel
