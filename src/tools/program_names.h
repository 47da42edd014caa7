// Names on the command lines of the package's programs.
//
// Those programs read their command line in the system's ANSI code page, where
// a character it can't hold arrives as "?". A file or folder name holding such
// a character is passed as its short (8.3) name instead, which names the same
// file or folder in plain ASCII. The editor and the help viewer read their
// command line in Unicode and take every name whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace korvel {

// The last part of `path` (a file or folder name) as such a program can read
// it: itself when the system's code page holds it, else its short name; nothing
// when it has none (a volume that makes none, or a file not made yet).
std::optional<std::string> readable_last_part(FileSystem& files, std::string_view path);

// The name with each part the system's code page can't hold replaced by its
// short name; unchanged when the code page holds all of it. Nothing when a part
// that needs a short name has none: a file that does not exist yet keeps its
// own name only when that name is plain.
std::optional<std::string> readable_name(FileSystem& files, std::string_view name);

// The message for a name that can't be passed; caption "KORVEL Message".
std::string unreadable_name_text(std::string_view name);

// readable_name, or the message (error icon, OK) and nothing.
std::optional<std::string> readable_name_or_report(Platform& platform, std::string_view name);

}  // namespace korvel
