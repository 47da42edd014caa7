// The Launcher's dialog templates and control ids, one scope per dialog: the
// template table, the control routines and the tests all use these.
#pragma once

namespace korvel {

// The ids the system gives a meaning in every dialog: the default button, and
// Cancel (what Escape and the close box send).
namespace dialog_ids {
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
}  // namespace dialog_ids

namespace main_dialog_ids {
inline constexpr int main_dialog_template = 102;
inline constexpr int exit_button = dialog_ids::ok;   // "E X I T"
inline constexpr int select_geometry_button = 1000;  // "Select #1"
inline constexpr int geometry_edit = 1001;
inline constexpr int output_edit = 1002;
inline constexpr int solver_button = 1003;  // "V E K"
inline constexpr int structure_graph_button = 1004;
inline constexpr int displacement_button = 1005;
inline constexpr int stress_button = 1006;  // "Stress/Axial Force"
inline constexpr int time_history_button = 1007;
inline constexpr int maximum_values_button = 1008;  // "Maximum Values (All)"
inline constexpr int view_edit_button = 1010;
inline constexpr int select_loading_button = 1011;  // "Select #2"
inline constexpr int loading_edit = 1012;
inline constexpr int post_processor_switch = 1013;  // check box
inline constexpr int max_processor_button = 1014;
inline constexpr int geometry_creator_button = 1015;  // "Input FILE #1"
inline constexpr int file_list = 1016;
inline constexpr int loading_creator_button = 1017;
inline constexpr int about_button = 1018;
inline constexpr int structure_viewer_button = 1019;
inline constexpr int select_recent_button = 1020;  // "Select Recent 5"
inline constexpr int print_button = 1021;
inline constexpr int reactions_button = 1022;
inline constexpr int geometry_viewer_button = 1023;  // Sivra
inline constexpr int users_guide_button = 1025;
inline constexpr int language_list = 1026;  // the output-language drop-down
inline constexpr int help_button = 1027;
inline constexpr int sound_check_box = 1028;

// The File list's entries, by their item number (0: none selected).
enum FileListEntry : int { no_entry = 0, geometry_entry = 1, loading_entry = 2, output_entry = 3, new_file_entry = 4 };
inline constexpr int file_list_entry_count = new_file_entry;

// The language list's items.
enum LanguageItem : int { english_item = 1, romanian_item = 2 };
inline constexpr int language_item_count = romanian_item;
}  // namespace main_dialog_ids

namespace about_box_ids {
inline constexpr int about_dialog_template = 103;
inline constexpr int program_text = 1022;
inline constexpr int copyright_text = 1023;
}  // namespace about_box_ids

namespace recent_dialog_ids {
inline constexpr int recent_dialog_template = 106;
inline constexpr int done_button = dialog_ids::ok;  // "DONE"
inline constexpr int recent_list = 1041;
// The dialog's result when an existing file was double-clicked.
inline constexpr int double_click_result = 2000;
}  // namespace recent_dialog_ids

}  // namespace korvel
