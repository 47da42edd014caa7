// Dialog templates as data: the dialog's frame and every control in template
// order (which is also the tab order). The Win32 adapter turns a template into
// an in-memory extended dialog template; the binding layer builds its dialog
// record from the same data.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace korvel {

// The predefined window classes a template control can be of.
enum class ControlClass { button, edit, static_text, list_box, combo_box };

struct ControlTemplate {
  int id;
  ControlClass control_class;
  std::uint32_t style;  // WS_CHILD is added when the dialog is made; a hidden control lacks WS_VISIBLE
  std::uint32_t extended_style;
  short x, y, width, height;  // dialog units from the client origin
  std::string_view caption;
};

struct DialogTemplate {
  int id;
  std::string_view title;
  short width, height;  // dialog units
  short point_size;
  std::string_view font;
  std::uint32_t style;
  std::span<const ControlTemplate> controls;
};

// Whether only one control has that id: the statics' shared -1 names none.
inline bool id_is_unique(const DialogTemplate& layout, int id) {
  return std::ranges::count(layout.controls, id, &ControlTemplate::id) == 1;
}

// The template with that id, or nothing.
const DialogTemplate* find_dialog_template(int id);

}  // namespace korvel
