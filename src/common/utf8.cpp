#include "common/utf8.h"

namespace korvel {

namespace {
bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

bool is_utf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t lowest = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, lowest = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, lowest = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, lowest = 0x10000, code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if (!is_continuation(byte)) return false;
      code = (code << 6) | (byte & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::size_t utf8_length(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text)
    if (!is_continuation(static_cast<unsigned char>(c))) ++count;
  return count;
}

std::size_t utf8_prefix_length(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t seen = 0; i < text.size(); ++i) {
    if (is_continuation(static_cast<unsigned char>(text[i]))) continue;
    if (seen++ == count) break;
  }
  return i;
}

std::size_t utf8_prefix_within(std::string_view text, std::size_t size) {
  if (text.size() <= size) return text.size();
  std::size_t n = size;
  while (n > 0 && is_continuation(static_cast<unsigned char>(text[n]))) --n;
  return n;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
  const auto unit_at = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  constexpr char32_t replacement = 0xFFFD;
  std::string out;
  const std::size_t units = bytes.size() / 2;
  for (std::size_t u = 0; u < units; ++u) {
    const char32_t unit = unit_at(2 * u);
    if (unit >= 0xD800 && unit <= 0xDBFF && u + 1 < units) {
      const char32_t low = unit_at(2 * (u + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++u;
        continue;
      }
    }
    append_utf8(out, unit >= 0xD800 && unit <= 0xDFFF ? replacement : unit);
  }
  return out;
}

}  // namespace korvel
