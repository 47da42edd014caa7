// The package's other programs, as the Launcher knows them: which button starts
// which executable in start_directory, whether a " 20" variant is preferred, and
// what the program is given after the blank that begins its command line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

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
  std::string_view purpose;  // what it is, for people reading the table
  bool has_variant;          // "<name> 20.exe" is preferred when it exists
  ArgumentKind arguments;
};

inline constexpr std::array<PackageProgram, 13> package_programs{{
    {1003, "VEK", "solver", true, ArgumentKind::solver_files},
    {1004, "LORIM", "structure graph", true, ArgumentKind::tab},
    {1005, "PUNA", "displacement", true, ArgumentKind::tab},
    {1006, "POSK", "stress and axial force", true, ArgumentKind::tab},
    {1007, "PIRA", "time history", true, ArgumentKind::tab},
    {1008, "PELU", "maximum values", true, ArgumentKind::tab},
    {1014, "Okumar", "maximum-values processor", true, ArgumentKind::tab},
    {1015, "Gaskol", "geometry-file creator", true, ArgumentKind::tab},
    {1017, "Feltrom", "loading-file creator", true, ArgumentKind::tab},
    {1019, "Vantik", "structure viewer", true, ArgumentKind::tab},
    {1021, "Tasprel", "print tool", false, ArgumentKind::view_file},
    {1022, "PAVO", "reactions", true, ArgumentKind::tab},
    {1023, "Sivra", "geometry viewer", true, ArgumentKind::geometry_file},
}};

// The program a button starts, if it starts a package program.
std::optional<PackageProgram> package_program_for(int control_id);

// "<name>.exe" and "<name> 20.exe".
std::string plain_executable(const PackageProgram& program);
std::string variant_executable(const PackageProgram& program);

// Files the Launcher shares with the package's programs.
enum class SharedFilePlace { current_directory, working_directory };

struct SharedFile {
  std::string_view name;
  SharedFilePlace place;
  bool launcher_writes;  // language.dat only; the others are the package's
};

inline constexpr std::array<SharedFile, 3> shared_files{{
    {"language.dat", SharedFilePlace::current_directory, true},
    {"work_dir.dat", SharedFilePlace::current_directory, false},
    {"ComVek.dat", SharedFilePlace::working_directory, false},
}};

}  // namespace korvel
