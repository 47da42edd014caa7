#include "settings/settings_formats.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/records.h"

namespace korvel {
namespace {

TEST(LogicalRecord, ReadsTheWaysThePackageWritesIt) {
  struct Case {
    std::string text;
    std::optional<bool> value;
  } cases[] = {
      {" T\r\n", true},
      {" F\r\n", false},
      {" T", true},  // no line end
      {" F\n", false},  // LF only
      {"  .t\r\n", true},
      {"F", false},
      {".f", false},
      {"true", true},
      {"t rest of line", true},
      {"", std::nullopt},
      {"\r\n", std::nullopt},
      {"   \r\n T\r\n", std::nullopt},  // only the first record counts
      {"X", std::nullopt},
      {" .", std::nullopt},
      {"..T", std::nullopt},
      {std::string("\0\xff\x01T", 4), std::nullopt},
      {"\tT", std::nullopt},  // only blanks may lead
      {std::string(1 << 20, ' '), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_logical_record(c.text), c.value) << '"' << c.text.substr(0, 20) << '"';
  EXPECT_EQ(format_logical_record(true), " T\r\n");
  EXPECT_EQ(format_logical_record(false), " F\r\n");
}

std::string record(std::string_view text) { return std::string(text) + "\r\n"; }

TEST(RecentList, ReadsAtMostFiveRecordsAsFixedFields) {
  const RecentFiles seven = parse_recent_list(record("a.dat") + record("b.dat") + record("c.dat") + record("d.dat") +
                                              record("e.dat") + record("f.dat") + record("g.dat"));
  EXPECT_EQ(seven[0], "a.dat");
  EXPECT_EQ(seven[4], "e.dat");

  const RecentFiles two = parse_recent_list("C:\\x\\one.dat\nC:\\two.dat");  // LF only, no final line end
  EXPECT_EQ(two[0], "C:\\x\\one.dat");
  EXPECT_EQ(two[1], "C:\\two.dat");
  EXPECT_TRUE(two[2].is_blank() && two[3].is_blank() && two[4].is_blank());

  const RecentFiles long_line = parse_recent_list(record(std::string(300, 'x')));
  EXPECT_EQ(long_line[0].padded(), std::string(260, 'x'));

  const RecentFiles none = parse_recent_list("");
  for (const PathText& entry : none) EXPECT_TRUE(entry.is_blank());
}

TEST(RecentList, WritesOnlyEntriesWorthKeeping) {
  RecentFiles entries;
  entries[0] = "C:\\Jobs\\frame.dat";
  entries[1] = ".dat";  // an unset name
  entries[2] = "";
  entries[3] = std::string("C:\\Jobs\\tower.dat  \0junk", 24);
  entries[4] = std::string("\0junk", 5);  // nothing before the NUL
  EXPECT_EQ(format_recent_list(entries), "C:\\Jobs\\frame.dat\r\nC:\\Jobs\\tower.dat\r\n");
  std::string five_blank_records;
  for (int i = 0; i < 5; ++i) five_blank_records += std::string(260, ' ') + "\r\n";
  const std::string blank = format_blank_recent_list();
  EXPECT_EQ(blank, five_blank_records);
  EXPECT_EQ(format_recent_list(RecentFiles()), five_blank_records) << "an empty list is kept as a new file";
  for (const PathText& entry : parse_recent_list(blank)) EXPECT_TRUE(entry.is_blank());
}

TEST(RecentList, RoundTripKeepsOrder) {
  RecentFiles entries;
  entries[0] = "C:\\A.dat";
  entries[2] = "C:\\Program Files\\B C.dat";
  entries[4] = "D:\\e.dat";
  const RecentFiles back = parse_recent_list(format_recent_list(entries));
  EXPECT_EQ(back[0], "C:\\A.dat");
  EXPECT_EQ(back[1], "C:\\Program Files\\B C.dat");
  EXPECT_EQ(back[2], "D:\\e.dat");
  EXPECT_TRUE(back[3].is_blank());
}

// Where the process's code page is the system's (a Windows older than 10 1903
// ignores the manifest's UTF-8), names are read and written as they are.
TEST(RecentList, AnOlderSystemKeepsTheBytesAsTheyAre) {
  fake::FakeFileSystem files;
  files.utf8_process = false;
  const std::string text = "C:\\caf\xE9.dat\r\nC:\\Ștefan.dat\r\n";
  const SystemCodePage system{[&](std::string_view t) { return files.from_system_code_page(t); },
                              [&](std::string_view t) { return files.to_system_code_page(t); }};
  const RecentFiles entries = parse_recent_list(text, system);
  EXPECT_EQ(entries[0], "C:\\caf\xE9.dat");
  EXPECT_EQ(entries[1], "C:\\Ștefan.dat");
  EXPECT_EQ(format_recent_list(entries, system), text);
}

// A double-byte code page as the round trip through the process's code page
// shows it: a lead byte (0x81 to 0x9F) without its second byte comes back as '?'.
SystemCodePage double_byte_code_page() {
  return {[](std::string_view bytes) {
            std::string text(bytes);
            for (std::size_t i = 0; i < text.size(); ++i) {
              const auto byte = static_cast<unsigned char>(text[i]);
              if (byte >= 0x81 && byte <= 0x9F && ++i == text.size()) text.back() = '?';
            }
            return text;
          },
          [](std::string_view text) { return std::optional<std::string>(text); }};
}

TEST(LanguageRecord, TwentyBytesCutAtAWholeCharacterAndALineEnd) {
  EXPECT_EQ(format_language_record(LanguageText("Romanian")), "Romanian            \r\n");
  EXPECT_EQ(format_language_record(LanguageText("")), std::string(20, ' ') + "\r\n");
  struct Case {
    std::string record;
    std::string language;  // as language.dat holds it, before its line end
    SystemCodePage system = {};
  } cases[] = {
      {"Romanian and more text here", "Romanian and more te"},
      {"Romana 123456789012ă", "Romana 123456789012 "},       // UTF-8: ă would be split
      {"Romana 123456789012\x81\x40", "Romana 123456789012 ", double_byte_code_page()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_language_record(language_from_record(c.record, c.system)), c.language + "\r\n") << c.record;
  }
}

// Records are read whole or not at all, however the file is laid out.
TEST(FirstRecords, AreReadWholeOrStandAsNothing) {
  const std::optional<std::string> none;
  struct Case {
    std::string file;
    std::vector<std::optional<std::string>> records;  // with a record limit of 4 bytes, 3 records at most
    std::uint64_t look_limit = record_look_limit;
  } cases[] = {
      {"", {}},
      {"a\r\nbb\nccc", {"a", "bb", "ccc"}},
      {"a\nb\nc\nd\n", {"a", "b", "c"}},
      {"\n\r\n", {"", ""}},
      {std::string("a\0\nb", 4), {std::string("a\0", 2), "b"}},
      {"abcd\nabcde\nab\n", {"abcd", none, "ab"}},
      {"abcd\r\nx", {none, "x"}},  // the CR counts
      {"abcdefgh", {none}},
      {"\xEF\xBB\xBF" "abcd\n", {"abcd"}},
      {std::string("\xFF\xFE" "a\0A\n\n\0b\0", 10), {"a\u0A41", "b"}},  // UTF-16: only the unit LF ends a line
      {std::string("\xFE\xFF\0a\0\r\0\n\0b", 10), {"a", "b"}},
      {"a\nbcdefghij\nc\n", {"a", none}, 10},
      {"a\nb\n", {"a", "b"}, 4},
  };
  for (const Case& c : cases) {
    const HeadReader read = [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
      return offset >= c.file.size() ? std::string() : c.file.substr(static_cast<std::size_t>(offset), count);
    };
    const std::optional<FirstRecords> file = first_records(read, 3, 4, c.look_limit);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->records, c.records) << c.file;
  }
  int reads = 0;
  const HeadReader failing_later = [&](std::uint64_t, std::size_t count) -> std::optional<std::string> {
    if (++reads > 1) return std::nullopt;
    return std::string(count, 'x');
  };
  EXPECT_FALSE(first_records(failing_later, 3, 4)) << "a failed read gives nothing, never a part of a list";
}

TEST(WorkDir, FirstRecordAsAPathField) {
  EXPECT_EQ(parse_work_dir("C:\\Work\r\nignored\r\n"), std::optional<PathText>(PathText("C:\\Work")));
  EXPECT_EQ(parse_work_dir(""), std::nullopt);
  EXPECT_EQ(parse_work_dir(std::string(300, 'w'))->padded(), std::string(260, 'w'));
}

// The last record is found the same way whatever the size of the chunks read.
TEST(LastRecord, FoundFromTheEndForAnyChunkSize) {
  struct Case {
    std::string text;
    std::optional<std::string> last;
  } cases[] = {
      {"", std::nullopt},
      {"Romanian\r\n", "Romanian"},
      {"English\r\nRomanian\r\n", "Romanian"},
      {"English\r\nRomanian", "Romanian"},  // last line without line end
      {"English\r\n\r\n", ""},               // last record empty
      {"English\n\n", ""},
      {"\r\n", ""},
      {"\n", ""},
      {"a\nb\nc", "c"},
      {std::string(10000, 'x') + "\r\nRo\r\n", "Ro"},
      {"first\r\n" + std::string(10000, 'y'), std::string(10000, 'y')},
  };
  for (const Case& c : cases) {
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
      const auto reader = [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
        return c.text.substr(static_cast<std::size_t>(offset), count);
      };
      EXPECT_EQ(last_record(c.text.size(), reader, chunk), c.last) << c.text.substr(0, 30) << " chunk " << chunk;
    }
  }
}

TEST(LastRecord, AFailedReadGivesNothing) {
  const auto failing = [](std::uint64_t, std::size_t) -> std::optional<std::string> { return std::nullopt; };
  EXPECT_EQ(last_record(100, failing), std::nullopt);
  const auto short_read = [](std::uint64_t, std::size_t) -> std::optional<std::string> { return std::string("x"); };
  EXPECT_EQ(last_record(100, short_read, 10), std::nullopt);
}

}  // namespace
}  // namespace korvel
