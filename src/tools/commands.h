// The command buttons of the main dialog and the post-processor switch.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

void on_command(LauncherState& state, DialogRecord& dialog, int control_id, int kind);
// Check box 1013: its checked state enables the six post-processor buttons and Vantik.
void on_post_enable(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

inline constexpr std::array<int, 7> post_processor_buttons{1005, 1006, 1022, 1007, 1008, 1014, 1019};

}  // namespace korvel
