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

TextMark text_mark(std::string_view file_start) {
  if (file_start.starts_with(utf8_mark)) return TextMark::utf8;
  if (file_start.starts_with("\xFF\xFE")) return TextMark::utf16_little_end;
  if (file_start.starts_with("\xFE\xFF")) return TextMark::utf16_big_end;
  return TextMark::none;
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

namespace {

// Where the records of a file of that mark end: LF, or in UTF-16 the unit LF at
// an even place.
class LineEnds {
 public:
  explicit LineEnds(TextMark mark)
      : unit_(mark == TextMark::utf16_little_end || mark == TextMark::utf16_big_end ? 2 : 1),
        big_end_(mark == TextMark::utf16_big_end) {}

  std::size_t unit() const { return unit_; }

  // The first line end at or after `from` (a place of a whole unit), or npos.
  std::size_t next(std::string_view data, std::size_t from) const {
    if (unit_ == 1) return data.find('\n', from);
    for (std::size_t i = from; i + 1 < data.size(); i += 2) {
      if (data[i + (big_end_ ? 1 : 0)] == '\n' && data[i + (big_end_ ? 0 : 1)] == '\0') return i;
    }
    return std::string_view::npos;
  }

  std::string text(std::string_view bytes) const {
    std::string out = unit_ == 2 ? utf16_to_utf8(bytes, big_end_) : std::string(bytes);
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return out;
  }

 private:
  std::size_t unit_;
  bool big_end_;
};

std::size_t mark_size(TextMark mark) {
  switch (mark) {
    case TextMark::none:
      return 0;
    case TextMark::utf8:
      return utf8_mark.size();
    default:
      return 2;
  }
}

}  // namespace

std::optional<FirstRecords> first_records(const HeadReader& read, std::size_t count, std::size_t record_limit,
                                          std::uint64_t look_limit) {
  FirstRecords result;
  std::string record;        // the bytes of the record being read, while it fits the limit
  bool in_record = false;    // bytes have come since the last line end
  bool too_long = false;     // the record being read is past the limit: its bytes are dropped
  const auto take = [&](std::string_view bytes) {
    if (bytes.empty() || too_long) {
      in_record = in_record || !bytes.empty();
      return;
    }
    in_record = true;
    if (record.size() + bytes.size() > record_limit) {
      too_long = true;
      std::string().swap(record);
    } else {
      record.append(bytes);
    }
  };
  std::optional<LineEnds> ends;
  const auto finish = [&](bool whole) {
    if (whole && !too_long) {
      result.records.emplace_back(ends->text(record));
    } else {
      result.records.emplace_back(std::nullopt);
    }
    record.clear();
    in_record = too_long = false;
  };

  std::uint64_t offset = 0;
  std::size_t chunk = record_read_limit;
  while (result.records.size() < count) {
    if (offset >= look_limit) {
      if (in_record) finish(false);
      break;
    }
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, look_limit - offset));
    const std::optional<std::string> piece = read(offset, want);
    if (!piece) return std::nullopt;
    const std::string_view data = std::string_view(*piece).substr(0, want);
    std::size_t begin = 0;
    if (!ends) {
      result.mark = text_mark(data);
      ends.emplace(result.mark);
      begin = std::min(mark_size(result.mark), data.size());
    }
    for (std::size_t lf = ends->next(data, begin); lf != std::string_view::npos && result.records.size() < count;
         lf = ends->next(data, begin)) {
      take(data.substr(begin, lf - begin));
      finish(true);
      begin = lf + ends->unit();
    }
    if (result.records.size() == count) break;
    take(data.substr(begin));
    offset += data.size();
    if (data.size() < want) {  // the end of the file
      if (in_record) finish(true);
      break;
    }
    // Passing over a long record in growing steps keeps the number of reads small.
    chunk = too_long ? std::min<std::size_t>(chunk * 2, 16 * record_read_limit) : record_read_limit;
  }
  return result;
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
