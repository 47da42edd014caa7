#include "project/readable_names.h"

namespace korvel {

std::optional<std::string> readable_last_part(FileSystem& files, std::string_view path) {
  const std::size_t folder = path.find_last_of(part_separators);
  const std::string_view part = folder == std::string_view::npos ? path : path.substr(folder + 1);
  if (files.to_system_code_page(part)) return std::string(part);
  std::optional<std::string> short_part = files.short_name(path);
  // A short name may keep a letter of the user's language; it must still fit.
  if (!short_part || !files.to_system_code_page(*short_part)) return std::nullopt;
  return short_part;
}

std::optional<std::string> readable_name(FileSystem& files, std::string_view name) {
  if (files.to_system_code_page(name)) return std::string(name);
  std::string readable;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = name.find_first_of(part_separators, start);
    if (end == std::string_view::npos) end = name.size();
    if (end > start) {
      const std::optional<std::string> part = readable_last_part(files, name.substr(0, end));
      if (!part) return std::nullopt;
      readable += *part;
    }
    if (end == name.size()) return readable;
    readable += name[end];
    start = end + 1;
  }
}

}  // namespace korvel
