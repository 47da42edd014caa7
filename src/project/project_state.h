// What the project module holds for the run: the three file names, the
// output language, what View / Edit and Print act on, and the open-file
// dialogs' buffers.
#pragma once

#include <array>

#include "common/fixed_text.h"

namespace korvel {

// The open-file dialog speaks the process's code page, UTF-8 where the platform
// allows it: a buffer holds the longest path Windows keeps, 259 characters of up
// to four bytes each, and its NUL. A shorter buffer makes the dialog fail as if
// cancelled.
inline constexpr std::size_t longest_path_characters = 259;
inline constexpr std::size_t file_buffer_size = 4 * longest_path_characters + 1;
using FileBuffer = std::array<char, file_buffer_size>;

// The open-file dialogs' buffers. They live for the whole run and nothing
// clears them between dialogs: the last chosen path is offered as the next
// initial name, and the Loading dialog opens where the last Geometry dialog did.
struct FileChoiceBuffers {
  FileBuffer filter{};
  FileBuffer default_extension{};
  FileBuffer title{};
  FileBuffer initial_directory{};
  FileBuffer file_name{};  // the chosen path, NUL-terminated
};

struct ProjectState {
  PathText geometry_file;
  PathText loading_file;
  PathText output_file;
  bool romanian_output = false;
  PathText view_file;  // what View / Edit and Print act on
  FileChoiceBuffers file_choice;
};

}  // namespace korvel
