// The button icons, loaded from the installation's Uir folder. A file that is
// missing or unreadable leaves its button without an image, silently.
#pragma once

#include <array>
#include <string_view>

#include "platform/native_ui.h"
#include "startup/directories.h"

namespace korvel {

struct IconFile {
  std::string_view file;
  int width, height;  // 0 x 0: the size stored in the file
  bool vga_colour;
  std::array<int, 2> buttons;  // the buttons that show it (0: none)
};

inline constexpr std::array<IconFile, 20> icon_files{{
    {"iconKorvel.ico", 0, 0, false, {1003, 0}},
    {"puna.ico", 0, 0, false, {1005, 0}},
    {"Stress2.ico", 0, 0, false, {1006, 0}},
    {"Reaction2.ico", 0, 0, false, {1022, 0}},
    {"History2.ico", 0, 0, false, {1007, 0}},
    {"Max.ico", 0, 0, false, {1008, 0}},
    {"Post.ico", 48, 48, false, {1014, 0}},
    {"InputFile1.ico", 0, 0, false, {1015, 0}},
    {"InputFile2.ico", 0, 0, false, {1017, 0}},
    {"IconStructure.ico", 48, 48, true, {1004, 0}},
    {"IconVantik.ico", 48, 48, true, {1019, 0}},
    {"IconWord3.ico", 0, 0, false, {1025, 0}},
    {"Print.ico", 0, 0, false, {1021, 0}},
    {"Notepad.ico", 32, 32, false, {1010, 0}},
    {"IconExit.ico", 48, 48, false, {1, 0}},
    {"About.ico", 48, 48, false, {1018, 0}},
    {"Open.ico", 0, 0, false, {1000, 1011}},
    {"Open5.ico", 0, 0, false, {1020, 0}},
    {"IconSivra.ico", 0, 0, false, {1023, 0}},
    {"KorvelHelp.ico", 0, 0, false, {1027, 0}},
}};

// The order in which the main dialog's buttons get their images.
inline constexpr std::array<int, 21> icon_button_order{1003, 1005, 1006, 1022, 1007, 1008, 1014,
                                                       1015, 1017, 1004, 1019, 1021, 1010, 1025,
                                                       1,    1018, 1000, 1011, 1020, 1023, 1027};

struct Icons {
  std::array<IconHandle, icon_files.size()> handles{};
  IconHandle korvel() const { return handles[0]; }
  IconHandle for_button(int id) const;
};

// The application icon first (the welcome window's class needs it), the others later.
void load_application_icon(Windows& windows, const Directories& dirs, Icons& icons);
void load_button_icons(Windows& windows, const Directories& dirs, Icons& icons);

}  // namespace korvel
