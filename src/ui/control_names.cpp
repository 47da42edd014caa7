#include "ui/control_names.h"

#include "ui/control_ids.h"

namespace korvel {

namespace {

constexpr ControlTip icon = ControlTip::name;
constexpr ControlTip cut_text = ControlTip::whole_text_when_cut;

using namespace main_dialog_ids;

// In the order of the dialog's tab stops, more or less: top to bottom, left to right.
constexpr ControlName main_dialog_names[] = {
    {geometry_edit, "Geometry File", cut_text},
    {select_geometry_button, "Select Geometry File", icon},
    {select_recent_button, "Select Recent Geometry File", icon},
    {geometry_viewer_button, "Sivra geometry viewer", icon},
    {loading_edit, "Loading File", cut_text},
    {select_loading_button, "Select Loading File", icon},
    {output_edit, "Output File", cut_text},
    {language_list, "Output File Language"},
    {solver_button, "Run VEK Program", icon},
    {geometry_creator_button, "Create Geometry File", icon},
    {loading_creator_button, "Create Loading File", icon},
    {structure_graph_button, "Structure Graph", icon},
    {structure_viewer_button, "Structure Vantik", icon},
    {displacement_button, "Displacement", icon},
    {time_history_button, "Time History", icon},
    {stress_button, "Stress / Axial Force", icon},
    {maximum_values_button, "Maximum Values (All)", icon},
    {reactions_button, "Reactions", icon},
    {max_processor_button, "MAX Processor", icon},
    {file_list, "File"},
    {print_button, "Print", icon},
    {view_edit_button, "View / Edit", icon},
    {users_guide_button, "User's Guide", icon},
    {post_processor_switch, "Post-Processors and Structure Vantik"},
    {sound_check_box, "Sound"},
    {help_button, "Help", icon},
    {about_button, "About", icon},
    {exit_button, "Exit", icon},
    {dialog_ids::cancel, "Cancel"},
};

constexpr ControlName about_box_names[] = {
    {dialog_ids::ok, "OK"},
    {dialog_ids::cancel, "Cancel"},
};

constexpr ControlName recent_dialog_names[] = {
    {recent_dialog_ids::recent_list, "Select Input File"},
    {recent_dialog_ids::done_button, "Done"},
    {dialog_ids::cancel, "Cancel"},
};

}  // namespace

std::span<const ControlName> control_names(int template_id) {
  switch (template_id) {
    case main_dialog_ids::main_dialog_template:
      return main_dialog_names;
    case about_box_ids::about_dialog_template:
      return about_box_names;
    case recent_dialog_ids::recent_dialog_template:
      return recent_dialog_names;
    default:
      return {};
  }
}

}  // namespace korvel
