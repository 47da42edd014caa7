// Folders the Windows test programs make and remove.
#pragma once

#include <string>

namespace korvel::testing {

// Removes a folder and everything in it, read-only files included.
void remove_tree(const std::string& folder);

}  // namespace korvel::testing
