// The command buttons of the main dialog and the post-processor switch.
#pragma once

#include "common/directories.h"
#include "project/project_files.h"
#include "tools/launch_table.h"

namespace korvel {

// Starts what the button stands for, with the names it reads from the dialog;
// a refused name or a cancelled box starts nothing.
void on_command(Platform& platform, const Directories& dirs, ProjectState& project, SettingsState& settings,
                ToolsState& tools, DialogRecord& dialog, int control_id);
// Check box post_processor_switch: its checked state enables the six post-processor buttons and Vantik.
void on_post_enable(DialogRecord& dialog);

inline constexpr std::array<int, 7> post_processor_buttons = [] {
  using namespace main_dialog_ids;
  return std::array<int, 7>{displacement_button,   stress_button,        reactions_button,       time_history_button,
                            maximum_values_button, max_processor_button, structure_viewer_button};
}();

}  // namespace korvel
