#include "settings/settings_formats.h"

#include <vector>

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

namespace {

// A record of a file without a mark. The Launcher before this one wrote a name
// the system's code page can't hold in UTF-8, without a mark: such a record is
// taken as UTF-8. Every other record is in the system's code page, also one
// whose bytes happen to form UTF-8 of characters that code page holds.
std::string unmarked_record_text(std::string_view record, const SystemCodePage& system) {
  if (!system.from) return std::string(record);
  if (system.to && is_utf8(record) && !system.to(record)) return std::string(record);
  return system.from(record);
}

// The names worth keeping, in order: see format_recent_list.
std::vector<std::string_view> names_to_keep(const RecentFiles& entries) {
  std::vector<std::string_view> names;
  for (const PathText& entry : entries) {
    if (entry.is_blank() || entry[0] == '.') continue;
    // An entry that is empty once cut at its NUL would read back as a blank
    // line and push the entries after it down; it is skipped like a blank one.
    if (!entry.name().empty()) names.push_back(entry.name());
  }
  return names;
}

// The names in the system's code page without a mark, when every one reads back
// from that as itself; nothing when one does not.
std::optional<std::string> unmarked_recent_list(const std::vector<std::string_view>& names,
                                                const SystemCodePage& system) {
  std::string text;
  for (const std::string_view name : names) {
    const std::optional<std::string> in_system = system.to ? system.to(name) : std::string(name);
    if (!in_system) return std::nullopt;
    text.append(*in_system).append(record_end);
  }
  const RecentFiles back = parse_recent_list(text, system);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (back[i].name() != names[i]) return std::nullopt;
  }
  return text;
}

}  // namespace

RecentFiles recent_list_from_records(const FirstRecords& file, const SystemCodePage& system) {
  RecentFiles entries;
  for (std::size_t i = 0; i < file.records.size() && i < entries.size(); ++i) {
    const std::optional<std::string>& record = file.records[i];
    if (!record) continue;  // not read whole: a blank entry
    entries[i] = file.mark == TextMark::none ? unmarked_record_text(*record, system) : *record;
  }
  return entries;
}

RecentFiles parse_recent_list(std::string_view file_text, const SystemCodePage& system) {
  const HeadReader read = [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
    if (offset >= file_text.size()) return std::string();
    return std::string(file_text.substr(static_cast<std::size_t>(offset), count));
  };
  return recent_list_from_records(*first_records(read, recent_file_count), system);
}

std::string format_recent_list(const RecentFiles& entries, const SystemCodePage& system) {
  const std::vector<std::string_view> names = names_to_keep(entries);
  // An empty list is kept as a new file is made, so that an entry removed last
  // does not come back.
  if (names.empty()) return format_blank_recent_list();
  if (std::optional<std::string> unmarked = unmarked_recent_list(names, system)) return *unmarked;
  std::string text(utf8_mark);
  for (const std::string_view name : names) text.append(name).append(record_end);
  return text;
}

std::string format_blank_recent_list() {
  std::string text;
  for (std::size_t i = 0; i < recent_file_count; ++i) text.append(PathText().padded()).append(record_end);
  return text;
}

std::optional<PathText> parse_work_dir(std::string_view file_text, const FromSystemCodePage& from_system) {
  const auto records = read_records(file_text, 1);
  if (records.empty()) return std::nullopt;
  return PathText(record_text(records.front(), from_system));
}

std::string format_language_record(const LanguageText& language) {
  std::string text(whole_characters(language.trimmed(), language_record_size));
  text.resize(language_record_size, ' ');
  return text.append(record_end);
}

std::string_view whole_characters(std::string_view text, std::size_t size, const SystemCodePage& system) {
  if (text.size() <= size) return text;
  if (size == 0) return {};
  if (is_utf8(text)) return text.substr(0, utf8_prefix_within(text, size));
  std::string_view cut = text.substr(0, size);
  // A character the cut splits (a double-byte code page's lead byte) does not
  // come back the same through the process's code page.
  const auto comes_back = [&](std::string_view part) {
    const std::optional<std::string> back = system.to(system.from(part));
    return back && *back == part;
  };
  if (system.from && system.to && !comes_back(cut) && comes_back(cut.substr(0, size - 1))) cut.remove_suffix(1);
  return cut;
}

LanguageText language_from_record(std::string_view record, const SystemCodePage& system) {
  return LanguageText(whole_characters(record, language_record_size, system));
}

}  // namespace korvel
