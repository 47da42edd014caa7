#include "tools/package_programs.h"

namespace korvel {

std::optional<PackageProgram> package_program_for(int control_id) {
  for (const PackageProgram& program : package_programs)
    if (program.control_id == control_id) return program;
  return std::nullopt;
}

std::string plain_executable(const PackageProgram& program) { return std::string(program.name) + ".exe"; }

std::string variant_executable(const PackageProgram& program) { return std::string(program.name) + " 20.exe"; }

}  // namespace korvel
