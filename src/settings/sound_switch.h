// The Sound check box: every sound cue plays only while it is checked.
#pragma once

#include "startup/launcher_state.h"

namespace korvel {

inline constexpr int sound_check_box = 1028;

std::string_view sound_caption(bool sound_on);
void on_sound_switch(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
