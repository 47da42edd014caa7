// The names screen readers and tooltips give the dialogs' controls: the label
// beside a field or list, a text button's own words, and for an icon button
// what it does. Window texts stay as the templates have them.
#pragma once

#include <span>

#include "platform/native_ui.h"

namespace korvel {

// The names of a dialog's controls, by template id; empty for a template without.
std::span<const ControlName> control_names(int template_id);

}  // namespace korvel
