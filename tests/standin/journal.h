// The stand-in package program's journal and its solver arithmetic.
//
// Tests and the demo install one stand-in under every package program's name.
// Each start appends one line to a journal, so a test can see exactly which
// program the Launcher started, with which command line, from which directory
// and in which language. Portable code: no platform headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::standin {

struct JournalEntry {
  std::string program;            // own executable name, no folder: "PUNA 20.exe"
  std::string command_line;       // exactly as the program received it, in UTF-8
  std::string current_directory;  // inherited from the Launcher
  std::string language;           // first record of language.dat, trailing blanks kept
  // The solver's file arguments it could not open as a program that reads its
  // command line in the system's code page does, ';'-separated; empty when it
  // opened both, and for the other programs.
  std::string unopened;

  friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// One journal line: the five fields TAB-separated, each escaped so that any
// text round-trips (\\ \t \r \n \0), ending with CR LF.
std::string format_journal_line(const JournalEntry& entry);

// The entry of one line, with or without its line end; nullopt when the line is
// not a well-formed journal line.
std::optional<JournalEntry> parse_journal_line(std::string_view line);

// The entries of a whole journal, in order. Empty and malformed lines are
// passed over; the last line needs no line end.
std::vector<JournalEntry> parse_journal(std::string_view text);

// The solver's Output File for a Geometry File: everything before the first
// full stop of the whole name (folders included), then ".rez".
std::string output_file_for(std::string_view geometry);

// The solver's command line (a leading blank, then blank-separated tokens; a
// token in double quotes keeps its blanks) as tokens without the quotes.
std::vector<std::string> split_solver_arguments(std::string_view command_line);

// What the stand-in solver writes to its Output File for these arguments
// (Geometry File, Loading File, language letter; missing ones are empty).
std::string solver_output_text(const std::vector<std::string>& arguments);

// The first record of a language.dat content: up to its line end, blanks kept.
std::string first_record(std::string_view content);

}  // namespace korvel::standin
