// The package's other programs, as the Launcher knows them: which button starts
// which executable in start_directory, whether a " 20" variant is preferred, and
// what the program is given after the blank that begins its command line.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/control_ids.h"

namespace korvel {

enum class ArgumentKind {
  solver_files,     // Geometry File, Loading File name and extension, language letter
  tab,              // a single TAB
  view_file,        // the file chosen in the File list, unquoted
  geometry_file,    // the Geometry File, in double quotes when it holds a blank
};

struct PackageProgram {
  int control_id;            // the main dialog's button that starts it
  std::string_view name;     // executable name without ".exe"
  bool has_variant;          // "<name> 20.exe" is preferred when it exists
  ArgumentKind arguments;
};

inline constexpr std::array<PackageProgram, 13> package_programs{{
    {main_dialog_ids::solver_button, "VEK", true, ArgumentKind::solver_files},
    {main_dialog_ids::structure_graph_button, "LORIM", true, ArgumentKind::tab},
    {main_dialog_ids::displacement_button, "PUNA", true, ArgumentKind::tab},
    {main_dialog_ids::stress_button, "POSK", true, ArgumentKind::tab},
    {main_dialog_ids::time_history_button, "PIRA", true, ArgumentKind::tab},
    {main_dialog_ids::maximum_values_button, "PELU", true, ArgumentKind::tab},
    {main_dialog_ids::max_processor_button, "Okumar", true, ArgumentKind::tab},
    {main_dialog_ids::geometry_creator_button, "Gaskol", true, ArgumentKind::tab},
    {main_dialog_ids::loading_creator_button, "Feltrom", true, ArgumentKind::tab},
    {main_dialog_ids::structure_viewer_button, "Vantik", true, ArgumentKind::tab},
    {main_dialog_ids::print_button, "Tasprel", false, ArgumentKind::view_file},
    {main_dialog_ids::reactions_button, "PAVO", true, ArgumentKind::tab},
    {main_dialog_ids::geometry_viewer_button, "Sivra", true, ArgumentKind::geometry_file},
}};

// The program a button starts, if it starts a package program.
std::optional<PackageProgram> package_program_for(int control_id);

}  // namespace korvel
