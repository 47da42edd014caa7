#include "settings/sound_switch.h"

namespace korvel {

std::string_view sound_caption(bool sound_on) { return sound_on ? "Sound On" : "Sound Off"; }

void on_sound_switch(LauncherState& state, DialogRecord& dialog, int, int) {
  DLGREADLOG(dialog, sound_check_box, state.sound_on);
  DLGPUTCHAR(dialog, sound_check_box, sound_caption(state.sound_on), DLGIDX_TITLE);
  write_sound_file(state.platform.files, state.directories, state.sound_on);
}

}  // namespace korvel
