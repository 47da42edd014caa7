// The Sound check box: every sound cue plays only while it is checked.
#pragma once

#include "startup/launcher_state.h"
#include "ui/control_ids.h"

namespace korvel {

std::string_view sound_caption(bool sound_on);
void on_sound_switch(LauncherState& state, DialogRecord& dialog, int control_id, int kind);

}  // namespace korvel
