// The button icons, loaded from the installation's Uir folder. A file that is
// missing or unreadable leaves its button without an image, silently.
#pragma once

#include <array>
#include <string_view>

#include "common/directories.h"
#include "platform/native_ui.h"
#include "ui/control_ids.h"

namespace korvel {

struct IconFile {
  std::string_view file;
  int width, height;  // 0 x 0: the size stored in the file
  bool vga_colour;
  std::array<int, 2> buttons;  // the buttons that show it (0: none)
};

inline constexpr std::array<IconFile, 20> icon_files{{
    {"iconKorvel.ico", 0, 0, false, {main_dialog_ids::solver_button, 0}},
    {"puna.ico", 0, 0, false, {main_dialog_ids::displacement_button, 0}},
    {"Stress2.ico", 0, 0, false, {main_dialog_ids::stress_button, 0}},
    {"Reaction2.ico", 0, 0, false, {main_dialog_ids::reactions_button, 0}},
    {"History2.ico", 0, 0, false, {main_dialog_ids::time_history_button, 0}},
    {"Max.ico", 0, 0, false, {main_dialog_ids::maximum_values_button, 0}},
    {"Post.ico", 48, 48, false, {main_dialog_ids::max_processor_button, 0}},
    {"InputFile1.ico", 0, 0, false, {main_dialog_ids::geometry_creator_button, 0}},
    {"InputFile2.ico", 0, 0, false, {main_dialog_ids::loading_creator_button, 0}},
    {"IconStructure.ico", 48, 48, true, {main_dialog_ids::structure_graph_button, 0}},
    {"IconVantik.ico", 48, 48, true, {main_dialog_ids::structure_viewer_button, 0}},
    {"IconWord3.ico", 0, 0, false, {main_dialog_ids::users_guide_button, 0}},
    {"Print.ico", 0, 0, false, {main_dialog_ids::print_button, 0}},
    {"Notepad.ico", 32, 32, false, {main_dialog_ids::view_edit_button, 0}},
    {"IconExit.ico", 48, 48, false, {main_dialog_ids::exit_button, 0}},
    {"About.ico", 48, 48, false, {main_dialog_ids::about_button, 0}},
    {"Open.ico", 0, 0, false, {main_dialog_ids::select_geometry_button, main_dialog_ids::select_loading_button}},
    {"Open5.ico", 0, 0, false, {main_dialog_ids::select_recent_button, 0}},
    {"IconSivra.ico", 0, 0, false, {main_dialog_ids::geometry_viewer_button, 0}},
    {"KorvelHelp.ico", 0, 0, false, {main_dialog_ids::help_button, 0}},
}};

// The order in which the main dialog's buttons get their images.
inline constexpr std::array<int, 21> icon_button_order = [] {
  using namespace main_dialog_ids;
  return std::array<int, 21>{solver_button,          displacement_button,     stress_button,
                             reactions_button,       time_history_button,     maximum_values_button,
                             max_processor_button,   geometry_creator_button, loading_creator_button,
                             structure_graph_button, structure_viewer_button, print_button,
                             view_edit_button,       users_guide_button,      exit_button,
                             about_button,           select_geometry_button,  select_loading_button,
                             select_recent_button,   geometry_viewer_button,  help_button};
}();

struct Icons {
  std::array<IconHandle, icon_files.size()> handles{};
  int dpi = 96;  // the DPI the icons were loaded for
  // The application icon as first loaded: the welcome class's, the windows'
  // own. The solver button's (handles[0]) follows the DPI without it.
  IconHandle application = 0;
  IconHandle korvel() const { return application; }
  IconHandle for_button(int id) const;
};

// The application icon first (the welcome window's class needs it), the others
// later. The others' files are read while the welcome window is made: the
// platform starts on them at start_loading_button_icons and load_button_icons
// takes them.
// All at the system's DPI, which the application icon's load asks for.
void load_application_icon(Windows& windows, const Directories& dirs, Icons& icons);
void start_loading_button_icons(Windows& windows, const Directories& dirs, const Icons& icons);
void load_button_icons(Windows& windows, const Directories& dirs, Icons& icons);

// High DPI.
// The request for icon_files[i] at a DPI: at 96 the table's own, elsewhere its
// size scaled, the file's own size counted as its first image's, 32 by 32. The
// files carry images of the scaled sizes, so none is stretched.
IconRequest icon_request(const Directories& dirs, std::size_t i, int dpi);
// Gives the main dialog's buttons their images for the DPI it is shown at. The
// button icons are loaded again when they were loaded for another, and the old
// ones released once no button shows them; Icons::application stays.
void show_button_icons(Windows& windows, const Directories& dirs, Icons& icons, NativeWindow dialog, int dpi);
// At the end of the run, once no window shows or draws them: each icon
// released once, the application icon (the welcome class's) last.
void release_icons(Windows& windows, Icons& icons);

}  // namespace korvel
