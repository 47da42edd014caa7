// The command buttons of the main dialog and the post-processor switch.
#pragma once

#include "startup/launcher_state.h"
#include "ui/control_ids.h"

namespace korvel {

void on_command(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
// Check box post_processor_switch: its checked state enables the six post-processor buttons and Vantik.
void on_post_enable(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

inline constexpr std::array<int, 7> post_processor_buttons{
    displacement_button,   stress_button,        reactions_button,       time_history_button,
    maximum_values_button, max_processor_button, structure_viewer_button};

}  // namespace korvel
