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

// A text file as its records are read: a UTF-8 byte-order mark is dropped, and
// UTF-16 with its mark (little or big end first) becomes UTF-8, as an editor
// may save a file. Anything else is returned as it is.
std::string without_byte_order_mark(std::string_view file_text);

// Up to `limit` records from the start of `text`.
std::vector<std::string_view> read_records(std::string_view text, std::size_t limit);

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
