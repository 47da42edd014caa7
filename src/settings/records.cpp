#include "settings/records.h"

#include <algorithm>

#include "common/utf8.h"

namespace korvel {

namespace {
std::string_view drop_cr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}
}  // namespace

std::string without_byte_order_mark(std::string_view file_text) {
  constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
  constexpr std::string_view utf16_little_end_mark = "\xFF\xFE";
  constexpr std::string_view utf16_big_end_mark = "\xFE\xFF";
  if (file_text.substr(0, utf8_mark.size()) == utf8_mark) return std::string(file_text.substr(utf8_mark.size()));
  if (file_text.substr(0, 2) == utf16_little_end_mark) return utf16_to_utf8(file_text.substr(2), false);
  if (file_text.substr(0, 2) == utf16_big_end_mark) return utf16_to_utf8(file_text.substr(2), true);
  return std::string(file_text);
}

std::vector<std::string_view> read_records(std::string_view text, std::size_t limit) {
  std::vector<std::string_view> records;
  while (!text.empty() && records.size() < limit) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      records.push_back(drop_cr(text));
      break;
    }
    records.push_back(drop_cr(text.substr(0, lf)));
    text.remove_prefix(lf + 1);
  }
  return records;
}

std::optional<std::string> last_record(std::uint64_t size, const TailReader& read, std::size_t chunk,
                                       std::size_t limit) {
  if (size == 0 || chunk == 0 || limit == 0) return std::nullopt;
  std::string tail;  // the bytes from `start` to the end of the file
  std::uint64_t start = size;
  for (;;) {
    std::string_view body(tail);
    // The line end of the last record is not part of it.
    if (!body.empty() && body.back() == '\n') body.remove_suffix(1);
    const std::size_t lf = body.rfind('\n');
    if (lf != std::string_view::npos) return std::string(drop_cr(body.substr(lf + 1)));
    if (start == 0) return std::string(drop_cr(body));
    if (tail.size() >= limit) return std::nullopt;
    // Read back in growing steps, so a long last line costs linear time.
    const std::uint64_t step = std::min<std::uint64_t>({std::max(chunk, tail.size()), start, limit - tail.size()});
    start -= step;
    std::optional<std::string> piece = read(start, static_cast<std::size_t>(step));
    if (!piece || piece->size() != step) return std::nullopt;
    tail.insert(0, *piece);
  }
}

}  // namespace korvel
