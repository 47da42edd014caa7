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

// Up to `limit` records from the start of `text`.
std::vector<std::string_view> read_records(std::string_view text, std::size_t limit);

// Reads exactly `count` bytes from `offset`; nothing when that fails.
using TailReader = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t count)>;

// The last record of a file of `size` bytes, found by reading back from its end
// in chunks, so that a long file costs no more than a short one. Nothing when
// the file is empty or a read fails.
std::optional<std::string> last_record(std::uint64_t size, const TailReader& read, std::size_t chunk = 4096);

}  // namespace korvel
