// Where the installation lies. The Launcher is started with the installation's
// Exe folder as its current directory and finds everything from there; it never
// looks at its own executable's location.
#pragma once

#include <optional>
#include <string_view>

#include "common/fixed_text.h"

namespace korvel {

struct Directories {
  PathText start_directory;  // the current directory at start: tools, help, settings files
  PathText install_root;     // start_directory up to its last backslash: parent of Dat and Doc
  PathText wav_directory;    // start_directory + "\Wav\"
  PathText icon_directory;   // start_directory + "\Uir\"
  PathText data_directory;   // install root + "\Dat\"
  PathText doc_directory;    // start_directory up to its last backslash, blanks kept, + "Doc"; else Doc
};

// The directory values for a start in `current_directory` (blank when the
// platform could not report it). A start in a drive's root, C:\, gives the root
// C: and the sound and icon folders C:\\Wav\ and C:\\Uir\.
Directories directories_from(std::optional<std::string_view> current_directory);

// trimmed `directory` followed by `name`: a path inside a directory value.
std::string path_in(const PathText& directory, std::string_view name);

}  // namespace korvel
