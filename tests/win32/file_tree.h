// Folders the Windows test programs make and remove.
#pragma once

#include <string>

namespace korvel::testing {

// Removes a folder (a UTF-8 path) and everything in it, read-only files and
// names outside the code page included.
void remove_tree(const std::string& folder);

}  // namespace korvel::testing
