// Fixed-width text fields.
//
// Every text value of the Launcher is a field of a fixed width, blank-padded on
// the right. Widths count characters: a UTF-8 text (the Launcher's own, where
// the platform runs it in that code page) takes one position per code point,
// whatever its bytes, so a path Windows holds fits whole in any script. Other
// text (an older system's ANSI code page) takes one position per byte.
// Assigning a longer value cuts it after its last whole character that fits.
// Only the blank counts as padding:
// a TAB or a NUL is part of the value. Two values are equal when they differ
// only in trailing blanks; leading blanks and letter case count. Names that the
// platform hands back may end at a NUL inside such a field.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace korvel {

// The value without its trailing blanks.
std::string_view trim_blanks(std::string_view text);

// The part before the first NUL, or the whole text when it has none.
std::string_view cut_at_nul(std::string_view text);

// True when the two texts are equal after padding the shorter with blanks.
bool same_text(std::string_view a, std::string_view b);

// True when the two texts are equal, the letter case of A to Z aside, as the
// platform compares folder names and extensions.
bool same_any_case(std::string_view a, std::string_view b);

// The positions a text takes in a field: its characters when it is valid UTF-8,
// else its bytes.
std::size_t field_length(std::string_view text);

// The text blank-padded or cut to exactly `width` positions (field_length).
std::string pad_to(std::string_view text, std::size_t width);

template <std::size_t Width>
class FixedText {
 public:
  static constexpr std::size_t width = Width;

  FixedText() : text_(Width, ' ') {}
  explicit FixedText(std::string_view value) : text_(pad_to(value, Width)) {}
  FixedText& operator=(std::string_view value) {
    text_ = pad_to(value, Width);
    return *this;
  }
  FixedText& operator=(const char* value) { return *this = std::string_view(value); }

  // All `Width` positions, trailing blanks included.
  const std::string& padded() const { return text_; }
  // Without trailing blanks.
  std::string_view trimmed() const { return trim_blanks(text_); }
  // Cut at the first NUL, then without trailing blanks: how a name is shown or stored.
  std::string_view name() const { return trim_blanks(cut_at_nul(text_)); }

  bool is_blank() const { return trimmed().empty(); }
  char operator[](std::size_t i) const { return text_[i]; }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.text_ == b.text_; }
  friend bool operator==(const FixedText& a, std::string_view b) { return same_text(a.text_, b); }
  friend bool operator==(const FixedText& a, const char* b) { return same_text(a.text_, b); }
  friend std::ostream& operator<<(std::ostream& out, const FixedText& text) {
    return out << '"' << text.trimmed() << '"';
  }

 private:
  std::string text_;
};

using PathText = FixedText<260>;       // paths and file names
using ProgramPathText = FixedText<255>;  // a program path to start
using ArgumentText = FixedText<262>;     // a program's arguments: a full-width name, quoted
using LanguageText = FixedText<20>;    // the output-language text
using MessageText = FixedText<100>;    // message texts

}  // namespace korvel
