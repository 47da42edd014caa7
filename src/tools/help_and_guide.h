// Help opens the package's help file in the platform's help viewer; User's
// Guide opens the guide in Microsoft Word, in the output language chosen.
#pragma once

#include <array>
#include <string_view>

#include "tools/tool_launch.h"
#include "ui/dialog_layer.h"

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

// Each gives the program and its arguments, or shows why not and gives nothing.
// The guide takes the output language from the dialog's drop-down.
std::optional<ToolCommand> help_command(Platform& platform, const Directories& dirs);
std::optional<ToolCommand> users_guide_command(Platform& platform, const Directories& dirs, ProjectState& project,
                                               DialogRecord& dialog);

}  // namespace korvel
