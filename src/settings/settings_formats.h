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
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/fixed_text.h"

namespace korvel {

inline constexpr std::size_t recent_file_count = 5;
using RecentFiles = std::array<PathText, recent_file_count>;

// The package's other programs write in the system's code page; the Launcher
// holds text in its process's code page (UTF-8 where the platform allows it).
// An empty conversion keeps the bytes as they are.
using FromSystemCodePage = std::function<std::string(std::string_view)>;
// Nothing when the system's code page can't hold the text.
using ToSystemCodePage = std::function<std::optional<std::string>(std::string_view)>;

// A record another program may have written: kept when it is valid UTF-8 (plain
// ASCII is), else converted from the system's code page.
std::string record_text(std::string_view record, const FromSystemCodePage& from_system);

// A logical value as the package writes and reads it: after optional blanks and
// an optional full stop, T or t is true and F or f is false. Nothing when the
// first record holds no such value.
std::optional<bool> parse_logical_record(std::string_view file_text);
std::string format_logical_record(bool value);

// recent.dat: the first five records, each read as a 260-character field; the
// entries after the last record read are blank. A byte-order mark is taken as
// an editor means it (see without_byte_order_mark), and each record as
// record_text reads it.
RecentFiles parse_recent_list(std::string_view file_text, const FromSystemCodePage& from_system = {});
// The entries worth keeping, one trimmed record each: blank entries and unset
// names (a leading full stop, as ".dat") are skipped, and a name ends at a NUL.
// A list with none is written as five blank records, like a new file. A name
// the system's code page holds is written in it, so that an older Launcher
// reads the file; any other name is written as the Launcher holds it (UTF-8).
std::string format_recent_list(const RecentFiles& entries, const ToSystemCodePage& to_system = {});
// A new recent.dat: five records of 260 blanks.
std::string format_blank_recent_list();

std::string format_language_record(const LanguageText& language);

// work_dir.dat: its first record, as record_text reads it, in a 260-character
// field; nothing for an empty file.
std::optional<PathText> parse_work_dir(std::string_view file_text, const FromSystemCodePage& from_system = {});

// The language text of ComVek.dat's last record: its first 20 bytes, which
// reach language.dat unchanged.
LanguageText language_from_record(std::string_view record);

// The start-up language when the package's files don't name one.
inline constexpr std::string_view default_language = "English";

}  // namespace korvel
