// The open-file dialogs' buffers. They live for the whole run and nothing
// clears them between dialogs: the last chosen path is offered as the next
// initial name, and the Loading dialog opens where the last Geometry dialog did.
#pragma once

#include <array>

namespace korvel {

inline constexpr std::size_t file_buffer_size = 260;
using FileBuffer = std::array<char, file_buffer_size>;

struct FileChoiceBuffers {
  FileBuffer filter{};
  FileBuffer default_extension{};
  FileBuffer title{};
  FileBuffer initial_directory{};
  FileBuffer file_name{};  // the chosen path, NUL-terminated
};

}  // namespace korvel
