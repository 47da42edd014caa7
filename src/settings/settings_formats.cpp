#include "settings/settings_formats.h"

#include "settings/records.h"

namespace korvel {

std::optional<bool> parse_logical_record(std::string_view file_text) {
  const auto records = read_records(file_text, 1);
  if (records.empty()) return std::nullopt;
  std::string_view value = records.front();
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  value.remove_prefix(first);
  if (value.front() == '.') value.remove_prefix(1);
  if (value.empty()) return std::nullopt;
  switch (value.front()) {
    case 'T':
    case 't':
      return true;
    case 'F':
    case 'f':
      return false;
    default:
      return std::nullopt;
  }
}

std::string format_logical_record(bool value) {
  return std::string(value ? " T" : " F") + std::string(record_end);
}

RecentFiles parse_recent_list(std::string_view file_text) {
  RecentFiles entries;
  const auto records = read_records(file_text, recent_file_count);
  for (std::size_t i = 0; i < records.size(); ++i) entries[i] = records[i];
  return entries;
}

std::string format_recent_list(const RecentFiles& entries) {
  std::string text;
  for (const PathText& entry : entries) {
    if (entry.is_blank() || entry[0] == '.') continue;
    // An entry that is empty once cut at its NUL would read back as a blank
    // line and push the entries after it down; it is skipped like a blank one.
    const std::string_view name = entry.name();
    if (name.empty()) continue;
    text.append(name).append(record_end);
  }
  // An empty list is kept as a new file is made, so that an entry removed last
  // does not come back.
  return text.empty() ? format_blank_recent_list() : text;
}

std::string format_blank_recent_list() {
  std::string text;
  for (std::size_t i = 0; i < recent_file_count; ++i) text.append(PathText().padded()).append(record_end);
  return text;
}

std::string format_language_record(const LanguageText& language) {
  return language.padded() + std::string(record_end);
}

std::optional<PathText> parse_work_dir(std::string_view file_text) {
  const auto records = read_records(file_text, 1);
  if (records.empty()) return std::nullopt;
  return PathText(records.front());
}

LanguageText language_from_record(std::string_view record) { return LanguageText(record); }

}  // namespace korvel
