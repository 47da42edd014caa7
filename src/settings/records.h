// Records of the sequential text files the Launcher reads and writes.
//
// A record is one line. Records are written ending in CR LF; on reading, a line
// ends at LF and a CR just before it is dropped, so LF-only files read the same.
// A last line without a line end is still a record; an empty file has none.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline constexpr std::string_view record_end = "\r\n";

// How far the Launcher looks into a file it reads: from its start for the first
// records, from its end for the last. No record it uses is longer than 260
// characters, so every file the package writes is read whole, and a start-up
// costs the same whatever the size of a file.
inline constexpr std::size_t record_read_limit = 64 * 1024;
// How far a list of records (recent.dat) is read in all: a record longer than
// record_read_limit is passed over to reach the ones after it, but no further
// than this into the file.
inline constexpr std::uint64_t record_look_limit = 16 * 1024 * 1024;

// What a file's first bytes say about how its text is written: a UTF-8
// byte-order mark, a UTF-16 one (either byte order, as an editor saves
// "Unicode"), or none.
enum class TextMark { none, utf8, utf16_little_end, utf16_big_end };
inline constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
TextMark text_mark(std::string_view file_start);

// Up to `limit` records from the start of `text`.
std::vector<std::string_view> read_records(std::string_view text, std::size_t limit);

// Up to `count` bytes from `offset`, fewer at the end of the file; nothing when
// the read fails.
using HeadReader = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t count)>;

// The first records of a file, after its mark. UTF-16 is given as UTF-8; any
// other text as its bytes.
struct FirstRecords {
  TextMark mark = TextMark::none;
  // In file order; nothing for a record that was not read whole.
  std::vector<std::optional<std::string>> records;
};

// Up to `count` records from the start of the file. A record is only ever read
// whole: one longer than `record_limit` bytes is passed over to its end and
// stands as nothing, so it costs no other record its place or its text.
// Reading ends `look_limit` bytes into the file; a record not ended there
// stands as nothing and is the last. Nothing when a read fails.
std::optional<FirstRecords> first_records(const HeadReader& read, std::size_t count,
                                          std::size_t record_limit = record_read_limit,
                                          std::uint64_t look_limit = record_look_limit);

// Reads exactly `count` bytes from `offset`; nothing when that fails.
using TailReader = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t count)>;

// The last record of a file of `size` bytes, found by reading back from its end
// in chunks, so that a long file costs no more than a short one. Nothing when
// the file is empty, a read fails, or the record starts before the last `limit`
// bytes (a longer one could start anywhere, and looking for it would mean
// reading the whole file).
std::optional<std::string> last_record(std::uint64_t size, const TailReader& read, std::size_t chunk = 4096,
                                       std::size_t limit = record_read_limit);

}  // namespace korvel
