#include "common/directories.h"

#include <string>

namespace korvel {

Directories directories_from(std::optional<std::string_view> current_directory) {
  Directories d;
  d.start_directory = current_directory.value_or(std::string_view());
  const std::string_view start = d.start_directory.trimmed();
  const std::size_t last_backslash = start.rfind('\\');
  d.install_root = last_backslash == std::string_view::npos ? std::string_view() : start.substr(0, last_backslash);
  d.wav_directory = path_in(d.start_directory, "\\Wav\\");
  d.icon_directory = path_in(d.start_directory, "\\Uir\\");
  d.data_directory = path_in(d.install_root, "\\Dat\\");
  d.doc_directory = last_backslash == std::string_view::npos ? std::string("Doc")
                                                             : std::string(start.substr(0, last_backslash + 1)) + "Doc";
  return d;
}

std::string path_in(const PathText& directory, std::string_view name) {
  std::string path(directory.trimmed());
  path.append(name);
  return path;
}

}  // namespace korvel
