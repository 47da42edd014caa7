#include "journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace korvel::standin {
namespace {

using namespace std::string_literals;

// Lines the Launcher really produces, and the characters that would break a
// naive TAB-separated format.
TEST(Journal, TrickyEntriesRoundTripExactly) {
  const JournalEntry entries[] = {
      {"PUNA 20.exe", " \t", "C:\\Korvel\\Exe", "English             ", ""},
      {"VEK.exe", " \"C:\\x\\Tower A.dat\" \"My Load.in \" R", "Z:\\tmp\\work dir", "Romanian            "},
      {"Tasprel.exe", " C:\\a\\b\\\\c\\", "C:\\", ""},
      {"a\tb", "\r\n\0\\t\\\\"s, "\\\\server\\share", "x\ty\r"},
      {"", "", "", ""},
      {"Sivra.exe", "   ", " lead and trail ", "\t\t", "C:\\a b.dat;frame.inc"},
  };
  std::string text;
  for (const JournalEntry& entry : entries) {
    std::string line = format_journal_line(entry);
    ASSERT_TRUE(line.ends_with("\r\n"));
    // One physical line with exactly four separators, whatever the fields hold.
    EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
    EXPECT_EQ(line.find('\0'), std::string::npos);
    EXPECT_EQ(parse_journal_line(line), entry) << line;
    text += line;
  }
  std::vector<JournalEntry> parsed = parse_journal(text);
  EXPECT_EQ(parsed, std::vector<JournalEntry>(std::begin(entries), std::end(entries)));
}

TEST(Journal, LineFormatIsReadableText) {
  EXPECT_EQ(format_journal_line({"PUNA.exe", " \t", "C:\\Korvel", "English "}),
            "PUNA.exe\t \\t\tC:\\\\Korvel\tEnglish \t\r\n");
}

TEST(Journal, WholeJournalToleratesMissingLastLineEndAndBlankLines) {
  std::string text = format_journal_line({"A.exe", " \t", "C:\\", "English"}) + "\r\n" +
                     format_journal_line({"B.exe", " x", "D:\\", "Romanian"}) + "C.exe\t \\t\tE:\\\\\tEnglish\t";
  std::vector<JournalEntry> entries = parse_journal(text);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].program, "A.exe");
  EXPECT_EQ(entries[1].command_line, " x");
  EXPECT_EQ(entries[2], (JournalEntry{"C.exe", " \t", "E:\\", "English"}));
  EXPECT_TRUE(parse_journal("").empty());
}

TEST(Journal, MalformedLinesAreRejected) {
  EXPECT_FALSE(parse_journal_line("A.exe\tcmd\tdir\tlang"));          // four fields
  EXPECT_FALSE(parse_journal_line("A.exe\tcmd\tdir\tlang\t\tx"));    // six fields
  EXPECT_FALSE(parse_journal_line("A.exe\tcmd\\\tdir\tlang\t"));   // escape cut by a separator
  EXPECT_FALSE(parse_journal_line("A.exe\tcmd\tdir\tlang\t\\"));   // lone backslash at the end
  EXPECT_FALSE(parse_journal_line("A.exe\tc\\qmd\tdir\tlang\t"));  // unknown escape
  std::vector<JournalEntry> entries = parse_journal("garbage\r\nA.exe\t\t\t\t\r\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0], (JournalEntry{"A.exe", "", "", ""}));
}

TEST(Solver, OutputFileCutsAtTheFirstFullStopOfTheWholeName) {
  EXPECT_EQ(output_file_for("C:\\Work\\frame.dat"), "C:\\Work\\frame.rez");
  EXPECT_EQ(output_file_for("C:\\Work.2020\\frame.dat"), "C:\\Work.rez");
  EXPECT_EQ(output_file_for("C:\\Work\\Tower A.v2.dat"), "C:\\Work\\Tower A.rez");
  EXPECT_EQ(output_file_for("frame.dat"), "frame.rez");
  EXPECT_EQ(output_file_for(".\\frame.dat"), ".rez");
  EXPECT_EQ(output_file_for("C:\\Work\\frame"), ".rez");
  EXPECT_EQ(output_file_for(""), ".rez");
}

TEST(Solver, ArgumentsSplitAtBlanksOutsideQuotes) {
  using Tokens = std::vector<std::string>;
  EXPECT_EQ(split_solver_arguments(" C:\\Work\\frame.dat frame.inc E"),
            (Tokens{"C:\\Work\\frame.dat", "frame.inc", "E"}));
  EXPECT_EQ(split_solver_arguments(" \"C:\\Work\\Tower A.dat\" Wind.inc R"),
            (Tokens{"C:\\Work\\Tower A.dat", "Wind.inc", "R"}));
  EXPECT_EQ(split_solver_arguments(" \"C:\\x\\a.dat\" \"My Load.in \" E"),
            (Tokens{"C:\\x\\a.dat", "My Load.in ", "E"}));
  EXPECT_EQ(split_solver_arguments("  a   b  "), (Tokens{"a", "b"}));
  EXPECT_EQ(split_solver_arguments(" \"\" x"), (Tokens{"", "x"}));
  EXPECT_EQ(split_solver_arguments(" \"open ended"), (Tokens{"open ended"}));
  EXPECT_EQ(split_solver_arguments(" \t"), (Tokens{"\t"}));  // only blanks separate
  EXPECT_TRUE(split_solver_arguments(" ").empty());
}

TEST(Solver, OutputNamesWhatTheSolverWasGiven) {
  std::string text = solver_output_text({"C:\\x\\a.dat", "My Load.in ", "R"});
  EXPECT_NE(text.find("Geometry: C:\\x\\a.dat\r\n"), std::string::npos);
  EXPECT_NE(text.find("Loading: My Load.in \r\n"), std::string::npos);
  EXPECT_NE(text.find("Language: R\r\n"), std::string::npos);
  EXPECT_NE(solver_output_text({}).find("Loading: \r\n"), std::string::npos);
}

TEST(Language, FirstRecordKeepsTrailingBlanks) {
  EXPECT_EQ(first_record("English             \r\n"), "English             ");
  EXPECT_EQ(first_record("Romanian            \r\nEnglish\r\n"), "Romanian            ");
  EXPECT_EQ(first_record("English  "), "English  ");
  EXPECT_EQ(first_record(""), "");
}

}  // namespace
}  // namespace korvel::standin
