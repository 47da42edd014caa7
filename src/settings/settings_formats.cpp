#include "settings/settings_formats.h"

#include "common/utf8.h"
#include "settings/records.h"

namespace korvel {

std::string record_text(std::string_view record, const FromSystemCodePage& from_system) {
  if (!from_system || is_utf8(record)) return std::string(record);
  return from_system(record);
}

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

RecentFiles parse_recent_list(std::string_view file_text, const FromSystemCodePage& from_system) {
  RecentFiles entries;
  const std::string text = without_byte_order_mark(file_text);
  const auto records = read_records(text, recent_file_count);
  for (std::size_t i = 0; i < records.size(); ++i) entries[i] = record_text(records[i], from_system);
  return entries;
}

std::string format_recent_list(const RecentFiles& entries, const ToSystemCodePage& to_system) {
  std::string text;
  for (const PathText& entry : entries) {
    if (entry.is_blank() || entry[0] == '.') continue;
    // An entry that is empty once cut at its NUL would read back as a blank
    // line and push the entries after it down; it is skipped like a blank one.
    const std::string_view name = entry.name();
    if (name.empty()) continue;
    const std::optional<std::string> in_system_code_page = to_system ? to_system(name) : std::nullopt;
    text.append(in_system_code_page ? std::string_view(*in_system_code_page) : name).append(record_end);
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

std::optional<PathText> parse_work_dir(std::string_view file_text, const FromSystemCodePage& from_system) {
  const auto records = read_records(file_text, 1);
  if (records.empty()) return std::nullopt;
  return PathText(record_text(records.front(), from_system));
}

LanguageText language_from_record(std::string_view record) { return LanguageText::bytes(record); }

}  // namespace korvel
