#include "ui/sound_switch.h"

#include "settings/settings_store.h"

namespace korvel {

std::string_view sound_caption(bool sound_on) { return sound_on ? "Sound On" : "Sound Off"; }

void on_sound_switch(FileSystem& files, const Directories& dirs, bool& sound_on, DialogRecord& dialog) {
  DLGREADLOG(dialog, sound_check_box, sound_on);
  DLGPUTCHAR(dialog, sound_check_box, sound_caption(sound_on), DLGIDX_TITLE);
  write_sound_file(files, dirs, sound_on);
}

}  // namespace korvel
