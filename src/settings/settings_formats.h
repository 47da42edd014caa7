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
#include "settings/records.h"

namespace korvel {

inline constexpr std::size_t recent_file_count = 5;
using RecentFiles = std::array<PathText, recent_file_count>;

// The package's other programs write in the system's code page; the Launcher
// holds text in its process's code page (UTF-8 where the platform allows it).
// An empty conversion keeps the bytes as they are.
using FromSystemCodePage = std::function<std::string(std::string_view)>;
// Nothing when the system's code page can't hold the text.
using ToSystemCodePage = std::function<std::optional<std::string>(std::string_view)>;
struct SystemCodePage {
  FromSystemCodePage from;
  ToSystemCodePage to;
};

// A record another program may have written: kept when it is valid UTF-8 (plain
// ASCII is), else converted from the system's code page.
std::string record_text(std::string_view record, const FromSystemCodePage& from_system);

// A logical value as the package writes and reads it: after optional blanks and
// an optional full stop, T or t is true and F or f is false. Nothing when the
// first record holds no such value.
std::optional<bool> parse_logical_record(std::string_view file_text);
std::string format_logical_record(bool value);

// recent.dat: the first five records, each read as a 260-character field; the
// entries after the last record read are blank, and so is one for a record not
// read whole (see first_records). How the records are written follows the
// file's mark: with the UTF-8 mark they are UTF-8, UTF-16 with its mark (as an
// editor saves it) is read as UTF-8, and without a mark they are in the
// system's code page, except that a record that is UTF-8 of a character that
// code page can't hold is UTF-8, as the Launcher before this one wrote it.
RecentFiles parse_recent_list(std::string_view file_text, const SystemCodePage& system = {});
RecentFiles recent_list_from_records(const FirstRecords& file, const SystemCodePage& system = {});
// The entries worth keeping, one trimmed record each: blank entries and unset
// names (a leading full stop, as ".dat") are skipped, and a name ends at a NUL.
// A list with none is written as five blank records, like a new file. The names
// are written in the system's code page without a mark when every one of them
// reads back from that as itself, so that an older Launcher reads the file and
// a list of ASCII names is written as it always was; else the file is the UTF-8
// mark and the names as the Launcher holds them (UTF-8).
std::string format_recent_list(const RecentFiles& entries, const SystemCodePage& system = {});
// A new recent.dat: five records of 260 blanks.
std::string format_blank_recent_list();

// language.dat: the language text as one record of exactly 20 bytes, whatever
// the field holds: cut at a whole character, then blank-padded.
inline constexpr std::size_t language_record_size = 20;
std::string format_language_record(const LanguageText& language);

// work_dir.dat: its first record, as record_text reads it, in a 260-character
// field; nothing for an empty file.
std::optional<PathText> parse_work_dir(std::string_view file_text, const FromSystemCodePage& from_system = {});

// The longest start of `text` of at most `size` bytes that ends at a whole
// character: of UTF-8 when the text is valid UTF-8, else of the system's code
// page (with a double-byte code page, a lead byte cut from its second byte is
// left out; without the conversions every byte is a character).
std::string_view whole_characters(std::string_view text, std::size_t size, const SystemCodePage& system = {});

// The language text of ComVek.dat's last record: its first 20 bytes, cut at a
// whole character, which reach language.dat unchanged (never converted).
LanguageText language_from_record(std::string_view record, const SystemCodePage& system = {});

// The start-up language when the package's files don't name one.
inline constexpr std::string_view default_language = "English";

}  // namespace korvel
