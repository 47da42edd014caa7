// Help opens the package's help file in the platform's help viewer; User's
// Guide opens the guide in Microsoft Word, in the output language chosen.
#pragma once

#include <array>
#include <string_view>

#include "startup/launcher_state.h"

namespace korvel {

// Where Word is looked for, in this order; the first found is used.
inline constexpr std::array<std::string_view, 6> word_program_list{
    "c:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE",
    "c:\\Program Files (x86)\\Microsoft Office\\Office14\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office10\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office11\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office\\WINWORD.EXE",
};

// Each fills tool_path and tool_arguments and returns true, or shows why not
// and returns false.
bool prepare_help(LauncherState& state);
bool prepare_users_guide(LauncherState& state, DialogRecord& dialog);

}  // namespace korvel
