// The Sound check box: every sound cue plays only while it is checked.
#pragma once

#include "common/directories.h"
#include "platform/platform.h"
#include "ui/control_ids.h"
#include "ui/dialog_calls.h"

namespace korvel {

std::string_view sound_caption(bool sound_on);
// Reads the box into `sound_on`, shows its caption and writes Sound.dat.
void on_sound_switch(FileSystem& files, const Directories& dirs, bool& sound_on, DialogRecord& dialog);

}  // namespace korvel
