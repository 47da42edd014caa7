// Names as the package's programs read them.
//
// Those programs read their command line in the system's ANSI code page, where
// a character it can't hold arrives as "?". A file or folder name holding such
// a character is passed as its short (8.3) name instead, which names the same
// file or folder in plain ASCII. The Output name follows from the name the
// solver gets, so the file names know this too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace korvel {

// What ends a folder's name in a path (a drive's colon too).
inline constexpr std::string_view part_separators = "\\/:";

// The last part of `path` (a file or folder name) as such a program can read
// it: itself when the system's code page holds it, else its short name; nothing
// when it has none (a volume that makes none, or a file not made yet).
std::optional<std::string> readable_last_part(FileSystem& files, std::string_view path);

// The name with each part the system's code page can't hold replaced by its
// short name; unchanged when the code page holds all of it. Nothing when a part
// that needs a short name has none: a file that does not exist yet keeps its
// own name only when that name is plain.
std::optional<std::string> readable_name(FileSystem& files, std::string_view name);

}  // namespace korvel
