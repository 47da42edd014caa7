// Files and folders the Windows test programs make, remove and start.
#pragma once

#include <string>

namespace korvel::testing {

// Removes a folder (a UTF-8 path) and everything in it, read-only files and
// names outside the code page included.
void remove_tree(const std::string& folder);

// The stand-in built beside this test program, told by the environment to end
// at once and to keep no journal: its path, for starting it.
std::string standin_that_exits();

}  // namespace korvel::testing
