#include "common/fixed_text.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(FixedText, PadsCutsAndTrimsBlanksOnly) {
  FixedText<8> field("abc");
  EXPECT_EQ(field.padded(), "abc     ");
  EXPECT_EQ(field.trimmed(), "abc");

  field = "abcdefghij";  // longer than the field: cut
  EXPECT_EQ(field.padded(), "abcdefgh");

  field = "  a b \t ";  // leading blanks and a TAB are part of the value
  EXPECT_EQ(field.trimmed(), "  a b \t");

  field = "";
  EXPECT_TRUE(field.is_blank());
  EXPECT_EQ(field.padded().size(), 8u);
}

// Widths count characters: a UTF-8 value takes one position per character
// whatever its bytes and is cut after its last whole character that fits; other
// bytes (an older system's code page) take one position each.
TEST(FixedText, WidthsCountCharactersOfUtf8AndBytesOfOtherText) {
  struct Case {
    std::string value;
    std::string padded;
  } cases[] = {
      {"C:\\Ștefan", "C:\\Ștefa"},        // nine characters: cut after the eighth
      {"abcdefgă", "abcdefgă"},            // eight characters in nine bytes: whole
      {"ăăăăăăăăă", "ăăăăăăăă"},
      {"abcdeȘ", "abcdeȘ  "},              // six characters, two blanks
      {"abcde€xyz", "abcde€xy"},           // three bytes
      {"abcd😀xyz", "abcd😀xyz"},          // four bytes
      {"abcdefgh😀", "abcdefgh"},
      {"abcdefg\xE9x", "abcdefg\xE9"},     // not UTF-8 (Latin-1 é): cut by bytes
      {"abcdef\xE9", "abcdef\xE9 "},
      {"abcdefg\xC4x", "abcdefg\xC4"},     // nor is a character cut short
      {"abc\xED\xA0\x80" "defg", "abc\xED\xA0\x80" "de"},  // nor is a surrogate
      {"abcd\xC0\xAF" "efg", "abcd\xC0\xAF" "ef"},  // nor an overlong form
  };
  for (const Case& c : cases) {
    const FixedText<8> field(c.value);
    EXPECT_EQ(field.padded(), c.padded) << c.value;
    EXPECT_EQ(field_length(field.padded()), 8u) << c.value;
  }

  // A path Windows holds (259 characters) stays whole in any script.
  std::string path = "C:\\";
  while (field_length(path) < 259) path += "Ș";
  EXPECT_EQ(PathText(path).trimmed(), path);
  EXPECT_EQ(PathText(path + "ăă").trimmed(), path + "ă") << "cut after the 260th character";
}

TEST(FixedText, EqualityIgnoresOnlyTrailingBlanks) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"frame.dat", "frame.dat   ", true},
      {"", "    ", true},
      {" frame.dat", "frame.dat", false},  // leading blanks count
      {"Frame.dat", "frame.dat", false},   // letter case counts
      {"frame.dat\t", "frame.dat", false},  // a TAB is not padding
  };
  for (const Case& c : cases) {
    EXPECT_EQ(same_text(c.a, c.b), c.equal) << '"' << c.a << "\" vs \"" << c.b << '"';
    EXPECT_EQ(PathText(c.a) == PathText(c.b), c.equal) << c.a;
    EXPECT_EQ(PathText(c.a) == std::string_view(c.b), c.equal) << c.a;
  }
}

TEST(FixedText, NameEndsAtNulAndLosesTrailingBlanks) {
  std::string raw = "C:\\Jobs\\frame.dat";
  raw += '\0';
  raw += "garbage";
  const PathText field(raw);
  EXPECT_EQ(field.name(), "C:\\Jobs\\frame.dat");
  EXPECT_EQ(field.trimmed().size(), raw.size());  // trimming alone keeps the NUL and what follows

  EXPECT_EQ(PathText(std::string("ab \0cd", 6)).name(), "ab");
  EXPECT_EQ(cut_at_nul(std::string_view("\0x", 2)), "");
}

TEST(FixedText, WidthsOfTheLaunchersFields) {
  EXPECT_EQ(PathText().padded().size(), 260u);
  EXPECT_EQ(ProgramPathText().padded().size(), 255u);
  EXPECT_EQ(LanguageText("Romanian").padded(), "Romanian            ");
  EXPECT_EQ(MessageText().padded().size(), 100u);
}

}  // namespace
}  // namespace korvel
