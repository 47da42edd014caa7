// The Launcher's three dialogs: 102 the main dialog, 103 an About box that no
// command opens, 106 the Recent Dialog.
#include <array>

#include "ui/control_ids.h"
#include "platform/dialog_template.h"
#include "ui/welcome_window.h"
#include "ui/window_styles.h"

namespace korvel {

namespace {

using namespace style;
using namespace main_dialog_ids;
constexpr std::uint32_t visible = ws_visible;
constexpr std::uint32_t tab = ws_tabstop;

// Control kinds as the templates use them.
constexpr ControlTemplate push(int id, short x, short y, short w, short h, std::string_view caption,
                               std::uint32_t extra = 0) {
  return {id, ControlClass::button, bs_pushbutton | visible | tab | extra, 0, x, y, w, h, caption};
}
constexpr ControlTemplate icon_push(int id, short x, short y, short w, short h, std::string_view caption,
                                    std::uint32_t extra = 0) {
  return push(id, x, y, w, h, caption, bs_icon | extra);
}
constexpr ControlTemplate default_push(int id, short x, short y, short w, short h, std::string_view caption,
                                       std::uint32_t extra = 0) {
  return {id, ControlClass::button, bs_defpushbutton | visible | tab | extra, 0, x, y, w, h, caption};
}
constexpr ControlTemplate check(int id, short x, short y, short w, short h, std::string_view caption,
                                std::uint32_t extra = 0) {
  return {id, ControlClass::button, bs_autocheckbox | visible | tab | extra, 0, x, y, w, h, caption};
}
constexpr ControlTemplate group(short x, short y, short w, short h, std::string_view caption) {
  return {-1, ControlClass::button, bs_groupbox | bs_flat | visible, 0, x, y, w, h, caption};
}
constexpr ControlTemplate text(short x, short y, short w, short h, std::string_view caption) {
  return {-1, ControlClass::static_text, ss_left | ws_group | visible, 0, x, y, w, h, caption};
}
constexpr ControlTemplate name_edit(int id, short x, short y, short w, short h) {
  return {id, ControlClass::edit, es_left | es_multiline | ws_border | ws_vscroll | visible | tab, 0, x, y, w, h, ""};
}

constexpr std::uint32_t multiline = bs_multiline;

constexpr std::array main_dialog_controls{
    icon_push(select_geometry_button, 14, 28, 16, 13, "Select #1"),
    icon_push(select_loading_button, 14, 92, 16, 13, "Select #2"),
    icon_push(solver_button, 163, 166, 27, 25, "V E K"),
    icon_push(displacement_button, 59, 219, 25, 20, "Displacement", multiline),
    icon_push(time_history_button, 165, 219, 25, 20, "Time History", multiline),
    icon_push(stress_button, 59, 249, 25, 20, "Stress/Axial Force", multiline),
    icon_push(maximum_values_button, 165, 249, 25, 20, "Maximum Values (All)", multiline),
    icon_push(max_processor_button, 158, 279, 32, 21, "MAX Processor", multiline),
    check(post_processor_switch, 34, 321, 135, 11, "Post-Processors and Structure Vantik"),
    default_push(exit_button, 298, 337, 40, 15, "E X I T", bs_icon),
    ControlTemplate{dialog_ids::cancel, ControlClass::button, bs_pushbutton | tab, 0, 301, 315, 30, 11,
                    "Cancel"},  // hidden
    group(7, 3, 196, 196, "V E K"),
    name_edit(geometry_edit, 36, 24, 161, 20),
    name_edit(output_edit, 36, 132, 161, 20),
    text(94, 12, 43, 8, "Geometry File"),
    text(94, 120, 35, 8, "Output File"),
    group(7, 203, 196, 101, "POST Processors"),
    group(211, 94, 127, 104, "GRAPH Processors"),
    name_edit(loading_edit, 36, 89, 161, 20),
    text(94, 77, 39, 8, "Loading File"),
    icon_push(about_button, 248, 338, 35, 14, "About"),
    icon_push(structure_viewer_button, 274, 156, 31, 29, ""),
    icon_push(select_recent_button, 66, 51, 16, 13, "Select Recent 5"),
    icon_push(structure_graph_button, 274, 111, 31, 29, "", bs_center | multiline),
    icon_push(view_edit_button, 313, 244, 17, 16, "View / Edit", multiline),
    group(211, 203, 127, 101, "TEXT Processors"),
    group(211, 3, 127, 87, "CREATE"),
    icon_push(geometry_creator_button, 274, 20, 22, 22, "Input FILE #1", multiline | bs_flat),
    ControlTemplate{file_list, ControlClass::list_box,
                    lbs_notify | lbs_nointegralheight | ws_border | ws_vscroll | visible | tab, 0, 219, 233, 65, 27,
                    ""},
    text(221, 222, 13, 8, "File"),
    icon_push(loading_creator_button, 274, 54, 22, 22, "", multiline | bs_flat),
    icon_push(print_button, 313, 220, 17, 12, "Print"),
    group(7, 307, 196, 45, "Enable"),
    text(14, 170, 36, 17, "Output File\nLanguage"),
    icon_push(users_guide_button, 266, 275, 24, 24, ""),
    icon_push(reactions_button, 59, 279, 25, 20, "Reactions", multiline),
    ControlTemplate{language_list, ControlClass::combo_box, cbs_dropdownlist | ws_vscroll | visible | tab, 0, 54, 175,
                    50, 40, ""},
    text(134, 170, 26, 17, "V E K\nProgram"),
    text(227, 26, 44, 9, "Geometry File"),
    text(230, 60, 40, 9, "Loading File"),
    text(220, 283, 41, 9, "User's Guide"),
    text(240, 117, 30, 17, "Structure Graph"),
    text(240, 162, 30, 17, "Structure Vantik"),
    text(292, 222, 15, 8, "Print"),
    text(291, 244, 17, 16, "View\nEdit"),
    text(30, 224, 24, 9, "Vantik"),
    text(22, 251, 33, 16, "Stress /\nAxial force"),
    text(25, 284, 29, 9, "Reaction"),
    text(139, 221, 22, 17, "Time History"),
    text(126, 250, 35, 16, "Maximum Values (All)"),
    text(122, 282, 33, 15, "MAX Processor"),
    text(36, 53, 25, 9, "Recent"),
    icon_push(geometry_viewer_button, 177, 51, 20, 20, ""),
    text(146, 57, 28, 9, "Sivra"),
    icon_push(help_button, 215, 332, 21, 20, "Button1"),
    text(217, 321, 15, 8, "Help"),
    check(sound_check_box, 34, 336, 54, 13, "Sound", bs_flat),
};
static_assert(main_dialog_controls.size() == 57);

constexpr std::array about_box_controls{
    default_push(dialog_ids::ok, 132, 93, 35, 12, "OK"),
    ControlTemplate{dialog_ids::cancel, ControlClass::button, bs_pushbutton | tab, 0, 7, 93, 32, 12,
                    "Cancel"},  // hidden
    ControlTemplate{about_box_ids::program_text, ControlClass::static_text, ss_left | ws_group | visible,
                    ws_ex_staticedge, 7, 7, 160, 47,
                    "KORVEL Program\nfor Windows\n\nNon-Linear Dynamic Analysis of Pin-Jointed Bar and Cable "
                    "Structures"},
    ControlTemplate{about_box_ids::copyright_text, ControlClass::static_text, ss_left | ws_group | visible,
                    ws_ex_staticedge, 7, 60, 160, 18, copyright_notice},
    ControlTemplate{-1, ControlClass::static_text, ss_icon | ss_centerimage | visible, 0, 77, 89, 16, 15, ""},
};
static_assert(about_box_controls.size() == 5);

constexpr std::array recent_dialog_controls{
    ControlTemplate{recent_dialog_ids::recent_list, ControlClass::list_box,
                    lbs_notify | ws_border | ws_vscroll | visible | tab, 0, 13, 24, 330, 46, ""},
    default_push(recent_dialog_ids::done_button, 306, 74, 43, 14, "DONE"),
    push(dialog_ids::cancel, 7, 74, 43, 14, "Cancel"),
    text(11, 11, 56, 9, "Select Input File"),
};
static_assert(recent_dialog_controls.size() == 4);

constexpr std::uint32_t frame = ws_popup | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont;

constexpr std::array<DialogTemplate, 3> dialog_templates{{
    {main_dialog_template, "KORVEL", 345, 359, 8, "MS Sans Serif", frame | ws_minimizebox | ds_center,
     main_dialog_controls},
    {about_box_ids::about_dialog_template, "About KORVEL", 174, 112, 11, "Times New Roman", frame | ds_center,
     about_box_controls},
    {recent_dialog_ids::recent_dialog_template, "Recent Dialog", 356, 95, 8, "MS Sans Serif", frame,
     recent_dialog_controls},
}};

}  // namespace

const DialogTemplate* find_dialog_template(int id) {
  for (const DialogTemplate& t : dialog_templates)
    if (t.id == id) return &t;
  return nullptr;
}

}  // namespace korvel
