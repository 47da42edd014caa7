// The settings files read from any bytes: Sound.dat, recent.dat, work_dir.dat
// and ComVek.dat, checked against plain restatements of their record rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.h"
#include "fake_platform.h"
#include "fuzz_check.h"
#include "settings/records.h"
#include "settings/settings_formats.h"
#include "settings/settings_store.h"

namespace korvel {
namespace {

std::string_view without_cr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Every record of the text, split the obvious way.
std::vector<std::string> all_records(std::string_view text) {
  std::vector<std::string> records;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      records.emplace_back(without_cr(line));
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) records.emplace_back(without_cr(line));
  return records;
}

std::optional<std::string> naive_last_record(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.back() == '\n') text.remove_suffix(1);
  const std::size_t lf = text.rfind('\n');
  return std::string(without_cr(lf == std::string_view::npos ? text : text.substr(lf + 1)));
}

void check_sound_file(std::string_view text, const std::vector<std::string>& records) {
  std::optional<bool> expected;
  if (!records.empty()) {
    std::string_view value = records.front();
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    if (!value.empty() && value.front() == '.') value.remove_prefix(1);
    if (!value.empty() && (value.front() == 'T' || value.front() == 't')) expected = true;
    if (!value.empty() && (value.front() == 'F' || value.front() == 'f')) expected = false;
  }
  FUZZ_CHECK(parse_logical_record(text) == expected);
  if (expected) FUZZ_CHECK(parse_logical_record(format_logical_record(*expected)) == expected);
}

bool lone_lf(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return true;
  return false;
}

// recent.dat's text after its byte-order mark, UTF-16 decoded.
std::string text_after_mark(std::string_view file_text) {
  switch (text_mark(file_text)) {
    case TextMark::utf8:
      return std::string(file_text.substr(utf8_mark.size()));
    case TextMark::utf16_little_end:
      return utf16_to_utf8(file_text.substr(2), false);
    case TextMark::utf16_big_end:
      return utf16_to_utf8(file_text.substr(2), true);
    default:
      return std::string(file_text);
  }
}

// The names a write keeps, in order.
std::vector<std::string> kept_names(const RecentFiles& entries) {
  std::vector<std::string> kept;
  for (const PathText& entry : entries) {
    const std::string_view name = entry.name();
    if (!entry.is_blank() && entry[0] != '.' && !name.empty()) kept.emplace_back(name);
  }
  return kept;
}

// The list written, then read back: the same names in the same order, and the
// same file when written again.
void check_round_trip(const RecentFiles& entries, const SystemCodePage& system) {
  const std::vector<std::string> kept = kept_names(entries);
  const std::string written = format_recent_list(entries, system);
  FUZZ_CHECK(!lone_lf(written));
  FUZZ_CHECK(written.size() >= 2 && written.substr(written.size() - 2) == record_end);
  if (kept.empty()) FUZZ_CHECK(written == format_blank_recent_list());
  const RecentFiles back = parse_recent_list(written, system);
  for (std::size_t i = 0; i < back.size(); ++i) {
    if (i < kept.size()) {
      FUZZ_CHECK(back[i].name() == kept[i]);
    } else {
      FUZZ_CHECK(back[i].is_blank());
    }
  }
  FUZZ_CHECK(format_recent_list(back, system) == written);
}

// recent.dat's records are those of the text after its mark; without a
// conversion every record is kept as it is.
void check_recent_list(std::string_view file_text) {
  const std::vector<std::string> records = all_records(text_after_mark(file_text));
  const RecentFiles first = parse_recent_list(file_text);
  for (std::size_t i = 0; i < first.size(); ++i) {
    // The field is full: 260 positions, or 260 bytes where text that is not
    // UTF-8 was cut by bytes (the cut may leave valid UTF-8).
    const std::string& field = first[i].padded();
    FUZZ_CHECK(field_length(field) == PathText::width || field.size() == PathText::width);
    // A record past the read bound stands as a blank entry.
    if (file_text.size() <= record_read_limit) {
      FUZZ_CHECK(first[i].padded() == pad_to(i < records.size() ? records[i] : std::string(), PathText::width));
    }
  }
  check_round_trip(first, {});

  // With the fake's code pages (UTF-8 inside, Latin-1 outside) a file without a
  // mark reads as valid UTF-8, and every list round-trips.
  fake::FakeFileSystem files;
  const SystemCodePage system{[&](std::string_view t) { return files.from_system_code_page(t); },
                              [&](std::string_view t) { return files.to_system_code_page(t); }};
  const RecentFiles converted = parse_recent_list(file_text, system);
  if (text_mark(file_text) == TextMark::none) {
    for (const PathText& entry : converted) FUZZ_CHECK(is_utf8(entry.padded()));
  }
  check_round_trip(converted, system);
}

void check_work_dir(std::string_view text, const std::vector<std::string>& records) {
  const std::optional<PathText> work_dir = parse_work_dir(text);
  FUZZ_CHECK(work_dir.has_value() == !text.empty());
  if (work_dir) {
    FUZZ_CHECK(!records.empty());
    FUZZ_CHECK(work_dir->padded() == pad_to(records.front(), PathText::width));
  }
}

void check_last_record(std::string_view text, const std::vector<std::string>& records) {
  const std::optional<std::string> expected = naive_last_record(text);
  FUZZ_CHECK(expected.has_value() == !records.empty());
  if (expected) FUZZ_CHECK(*expected == records.back());

  std::uint64_t lowest = text.size();  // the first byte any read reached
  const TailReader read = [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
    FUZZ_CHECK(count > 0);
    FUZZ_CHECK(offset + count <= text.size());  // never past the end
    lowest = std::min(lowest, offset);
    return std::string(text.substr(static_cast<std::size_t>(offset), count));
  };
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}})
    FUZZ_CHECK(last_record(text.size(), read, chunk) == expected);
  // Looking back no further than a limit: the record when it starts within the
  // last `limit` bytes (or they are the whole file), else nothing.
  for (const std::size_t limit : {std::size_t{1}, std::size_t{16}, std::size_t{100}}) {
    std::string_view tail = text.substr(text.size() - std::min(text.size(), limit));
    const bool whole = tail.size() == text.size();
    if (!tail.empty() && tail.back() == '\n') tail.remove_suffix(1);
    const bool starts_within = whole || tail.find('\n') != std::string_view::npos;
    lowest = text.size();
    FUZZ_CHECK(last_record(text.size(), read, 7, limit) == (starts_within ? expected : std::nullopt));
    FUZZ_CHECK(text.size() - lowest <= limit);
  }
  // A failed read gives nothing, never a part of a record.
  const TailReader failing = [](std::uint64_t, std::size_t) -> std::optional<std::string> { return std::nullopt; };
  FUZZ_CHECK(!last_record(text.size(), failing, 7).has_value());
}

// The input up to its first 0xFF byte is work_dir.dat, the rest ComVek.dat in
// the folder that work_dir.dat names (none when there is no 0xFF byte).
void check_start_language(std::string_view text) {
  const std::size_t split = text.find('\xff');
  const std::string_view work_dir_text = text.substr(0, split);

  fake::FakeFileSystem files;
  files.current = "C:\\KORVEL\\Exe";
  files.add_file("work_dir.dat", work_dir_text);

  LanguageText expected(default_language);
  const std::vector<std::string> work_dir_records = all_records(work_dir_text);
  if (!work_dir_records.empty() && split != std::string_view::npos) {
    const std::string_view comvek = text.substr(split + 1);
    // The path as the package wrote it: UTF-8, else Latin-1 (the fake's system code page).
    const std::string& path = work_dir_records.front();
    const PathText work_dir(is_utf8(path) ? path : files.from_system_code_page(path));
    files.add_file(std::string(work_dir.trimmed()) + "\\ComVek.dat", comvek);
    // The language text reaches language.dat byte for byte, cut at a whole
    // character: of UTF-8 when the record is UTF-8, else at the 20th byte
    // (Latin-1, the fake's system code page, has one byte a character).
    if (const std::optional<std::string> last = naive_last_record(comvek)) {
      std::size_t size = std::min<std::size_t>(last->size(), 20);
      while (is_utf8(*last) && size < last->size() && (static_cast<unsigned char>((*last)[size]) & 0xC0) == 0x80) --size;
      expected = LanguageText(std::string_view(*last).substr(0, size));
    }
  }
  const LanguageText language = language_from_work_dir(files);
  FUZZ_CHECK(language.padded() == expected.padded());
  const std::string record = format_language_record(language);
  FUZZ_CHECK(record.size() == language_record_size + record_end.size());
  FUZZ_CHECK(!is_utf8(expected.padded()) || is_utf8(record));
}

}  // namespace
}  // namespace korvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> records = all_records(text);
  check_sound_file(text, records);
  check_recent_list(text);
  check_work_dir(text, records);
  check_last_record(text, records);
  check_start_language(text);
  return 0;
}
