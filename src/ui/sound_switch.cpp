#include "ui/sound_switch.h"

#include "settings/settings_store.h"

namespace korvel {
using namespace main_dialog_ids;

std::string_view sound_caption(bool sound_on) { return sound_on ? "Sound On" : "Sound Off"; }

void on_sound_switch(FileSystem& files, const Directories& dirs, bool& sound_on, DialogRecord& dialog) {
  sound_on = is_checked(dialog, sound_check_box);
  set_text(dialog, sound_check_box, sound_caption(sound_on));
  write_sound_file(files, dirs, sound_on);
}

}  // namespace korvel
