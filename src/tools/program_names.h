// Names on the command lines of the package's programs: each part the system's
// code page can't hold goes as its short name (project/readable_names.h), and a
// name that can't be made readable is refused with a message. The editor and
// the help viewer read their command line in Unicode and take every name whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "project/readable_names.h"

namespace korvel {

// The message for a name that can't be passed; caption "KORVEL Message".
std::string unreadable_name_text(std::string_view name);

// readable_name, or the message (error icon, OK) and nothing.
std::optional<std::string> readable_name_or_report(Platform& platform, std::string_view name);

}  // namespace korvel
