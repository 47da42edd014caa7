#include "common/fixed_text.h"

#include <algorithm>
#include <cctype>

#include "common/utf8.h"

namespace korvel {

std::string_view trim_blanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view cut_at_nul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool same_text(std::string_view a, std::string_view b) { return trim_blanks(a) == trim_blanks(b); }

bool same_any_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::size_t field_length(std::string_view text) { return is_utf8(text) ? utf8_length(text) : text.size(); }

std::string pad_to(std::string_view text, std::size_t width) {
  if (!is_utf8(text)) {  // an older system's code page: a byte a position
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
  }
  std::string out(text.substr(0, utf8_prefix_length(text, width)));
  out.append(width - utf8_length(out), ' ');
  return out;
}

}  // namespace korvel
