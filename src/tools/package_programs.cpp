#include "tools/package_programs.h"

namespace korvel {

std::optional<PackageProgram> package_program_for(int control_id) {
  for (const PackageProgram& program : package_programs)
    if (program.control_id == control_id) return program;
  return std::nullopt;
}

}  // namespace korvel
