// The settings files' record formats, as plain functions over text.
//
//   Sound.dat     one record: the sound switch as a logical value, " T" or " F"
//   recent.dat    up to five records, one recent Geometry File each, trimmed
//   language.dat  one record: the output-language text, all 20 characters
//   work_dir.dat  first record: the package's working directory (260 characters)
//   ComVek.dat    in the working directory; the first 20 characters of its last
//                 record are the output language to start with
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/fixed_text.h"

namespace korvel {

inline constexpr std::size_t recent_file_count = 5;
using RecentFiles = std::array<PathText, recent_file_count>;

// A logical value as the package writes and reads it: after optional blanks and
// an optional full stop, T or t is true and F or f is false. Nothing when the
// first record holds no such value.
std::optional<bool> parse_logical_record(std::string_view file_text);
std::string format_logical_record(bool value);

// recent.dat: the first five records, each read as a 260-character field; the
// entries after the last record read are blank.
RecentFiles parse_recent_list(std::string_view file_text);
// The entries worth keeping, one trimmed record each: blank entries and unset
// names (a leading full stop, as ".dat") are skipped, and a name ends at a NUL.
// A list with none is written as five blank records, like a new file.
std::string format_recent_list(const RecentFiles& entries);
// A new recent.dat: five records of 260 blanks.
std::string format_blank_recent_list();

std::string format_language_record(const LanguageText& language);

// work_dir.dat: its first record as a 260-character field; nothing for an empty file.
std::optional<PathText> parse_work_dir(std::string_view file_text);

// The language text of ComVek.dat's last record.
LanguageText language_from_record(std::string_view record);

// The start-up language when the package's files don't name one.
inline constexpr std::string_view default_language = "English";

}  // namespace korvel
