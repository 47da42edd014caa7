// Dialog records: one built from its template, the routines registered on it,
// and the DLGPUT*/DLGREAD* accessors. Program code touches only the record, by
// control id and value index; dialog_sync.cpp carries its values to the window.
#include "ui/dialog_layer.h"

#include <algorithm>

#include "ui/window_styles.h"

namespace korvel {

namespace {

std::optional<ControlType> control_type(const ControlTemplate& t, bool& multiple_selection) {
  using namespace style;
  multiple_selection = false;
  switch (t.control_class) {
    case ControlClass::static_text:
      return ControlType::static_text;
    case ControlClass::edit:
      return ControlType::edit_box;
    case ControlClass::button:
      switch (t.style & bs_type_mask) {
        case bs_pushbutton:
        case bs_defpushbutton:
          return ControlType::push_button;
        case bs_autocheckbox:
          return ControlType::check_box;
        case bs_groupbox:
          return ControlType::group_box;
        default:
          return std::nullopt;
      }
    case ControlClass::list_box:
      if (t.style & (lbs_ownerdrawfixed | lbs_ownerdrawvariable)) return std::nullopt;
      multiple_selection = (t.style & (lbs_multiplesel | lbs_extendedsel)) != 0;
      return ControlType::list_box;
    case ControlClass::combo_box:
      if ((t.style & cbs_type_mask) != cbs_dropdownlist) return std::nullopt;
      return ControlType::drop_down_list;
  }
  return std::nullopt;
}

// Finds the control and, while the window shows it and nothing is waiting to be
// copied out, first takes the user's latest values from the window.
ControlEntry* fresh_control(DialogRecord& dialog, int id) {
  ControlEntry* control = dialog.find(id);
  if (control && dialog.window && !control->dirty) dialog.layer.pull(dialog, *control);
  return control;
}

// A stored value reaches the window at once, unless the dialog's own routine is
// running (then it goes when the routine returns) or there is no window yet.
void stored(DialogRecord& dialog, ControlEntry& control) {
  control.dirty = true;
  if (dialog.window && dialog.layer.running() != &dialog) dialog.layer.push_dirty(dialog);
}

void set_count(ControlEntry& c, int count) {
  c.items.assign(static_cast<std::size_t>(std::max(count, 0)), ItemText());
  c.selection.clear();
  c.selection_text = "";
  c.selected_item = 0;
  c.selected_by_text = false;
}

// The logical value an index names, the same for storing and reading (as is
// text_value's); nothing for a pair outside the table.
bool* logical_value(ControlEntry& c, int index) {
  if (index == DLGIDX_ENABLED) return &c.enabled;
  if (c.type == ControlType::check_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) return &c.checked;
  if (c.captioned() && index == DLGIDX_DEFAULT) return &c.enabled;
  return nullptr;
}

// The text an index names: a caption, or an edit's contents.
std::string* text_value(ControlEntry& c, int index) {
  if (c.captioned() && (index == DLGIDX_DEFAULT || index == DLGIDX_TITLE)) return &c.text;
  if (c.type == ControlType::edit_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) return &c.text;
  return nullptr;
}

}  // namespace

ControlEntry* DialogRecord::find(int id) {
  for (ControlEntry& control : controls)
    if (control.id == id) return control.addressable ? &control : nullptr;
  return nullptr;
}

bool DLGOPEN(int template_id, DialogRecord& dialog) {
  const DialogTemplate* layout = find_dialog_template(template_id);
  if (!layout) return false;
  std::vector<ControlEntry> controls;
  for (const ControlTemplate& t : layout->controls) {
    ControlEntry c;
    c.id = t.id;
    c.addressable = id_is_unique(*layout, t.id);
    const std::optional<ControlType> type = control_type(t, c.multiple_selection);
    if (!type) return false;
    c.type = *type;
    c.enabled = (t.style & style::ws_disabled) == 0;
    c.text = std::string(t.caption);
    controls.push_back(std::move(c));
  }
  DLGFREE(dialog);  // a record opened again starts afresh
  dialog.template_id = template_id;
  dialog.layout = layout;
  dialog.controls = std::move(controls);
  dialog.return_value = 1;
  dialog.modal = false;
  dialog.pushing = false;
  dialog.help_control = 0;
  return true;
}

bool DLGCALLBACK(DialogRecord& dialog, int control_id, DialogRoutine routine, int kind) {
  if (control_id == dialog.template_id && dialog.layout) {
    if (kind == DLGCB_SIZE)
      dialog.size_routine = std::move(routine);
    else
      dialog.dialog_routine = std::move(routine);
    return true;
  }
  ControlEntry* control = dialog.find(control_id);
  if (!control) return false;
  const auto first = std::ranges::find(routine_kinds, control->type, &RoutineKind::type);
  if (first == std::ranges::end(routine_kinds)) return false;
  if (kind == DLGCB_DEFAULT) kind = first->kind;
  const auto has_kind = [&](const RoutineKind& row) { return row.type == control->type && row.kind == kind; };
  if (std::ranges::none_of(routine_kinds, has_kind)) return false;
  control->routines[kind] = std::move(routine);
  return true;
}

bool DLGPUTINT(DialogRecord& dialog, int control_id, int value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c || !c->is_list()) return false;
  if (index == DLGIDX_DEFAULT || index == DLGIDX_COUNT) {
    set_count(*c, value);
  } else if (index == DLGIDX_STATE && c->type == ControlType::drop_down_list) {
    c->selected_item = value;
    c->selected_by_text = false;
    c->selection_text = c->has_item(value) ? c->items[value - 1].padded() : std::string();
  } else {
    return false;
  }
  stored(dialog, *c);
  return true;
}

bool DLGPUTLOG(DialogRecord& dialog, int control_id, bool value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  bool* held = c ? logical_value(*c, index) : nullptr;
  if (!held) return false;
  *held = value;
  stored(dialog, *c);
  return true;
}

bool DLGPUTCHAR(DialogRecord& dialog, int control_id, std::string_view value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c) return false;
  if (std::string* text = text_value(*c, index)) {
    *text = std::string(value);
  } else if (c->is_list() && index >= 1) {
    if (!c->has_item(index)) return false;
    c->items[index - 1] = value;
  } else if (c->type == ControlType::drop_down_list && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    const auto found = std::find_if(c->items.begin(), c->items.end(),
                                    [&](const ItemText& item) { return same_text(item.padded(), value); });
    if (found == c->items.end()) return false;
    c->selected_item = static_cast<int>(found - c->items.begin()) + 1;
    c->selection_text = value;
    c->selected_by_text = true;
  } else {
    return false;
  }
  stored(dialog, *c);
  return true;
}

bool put_caret_at_end(DialogRecord& dialog, int control_id) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c || c->type != ControlType::edit_box) return false;
  c->caret = {end_of_text, end_of_text};
  stored(dialog, *c);
  return true;
}

void accept_dropped_files(DialogRecord& dialog, DropRoutine routine) {
  dialog.drop_routine = std::move(routine);
  if (dialog.window) dialog.layer.native().accept_dropped_files(dialog.window);
}

bool DLGREADINT(DialogRecord& dialog, int control_id, int& value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c || !c->is_list()) return false;
  if (index == DLGIDX_DEFAULT || index == DLGIDX_COUNT) {
    value = static_cast<int>(c->items.size());
  } else if (index == DLGIDX_STATE && c->type == ControlType::drop_down_list) {
    value = c->selected_item;
  } else if (index >= 1 && c->type == ControlType::list_box) {
    value = index <= static_cast<int>(c->selection.size()) ? c->selection[index - 1] : 0;
  } else {
    return false;
  }
  return true;
}

bool DLGREADLOG(DialogRecord& dialog, int control_id, bool& value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  const bool* held = c ? logical_value(*c, index) : nullptr;
  if (!held) return false;
  value = *held;
  return true;
}

bool DLGREADCHAR(DialogRecord& dialog, int control_id, std::string& value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c) return false;
  if (const std::string* text = text_value(*c, index)) {
    value = *text;
  } else if (c->is_list() && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    value = c->selection_text.padded();
  } else if (c->is_list() && index >= 1) {
    if (!c->has_item(index)) return false;
    value = c->items[index - 1].padded();
  } else {
    return false;
  }
  return true;
}

void DLGFREE(DialogRecord& dialog) {
  dialog.controls.clear();
  dialog.controls.shrink_to_fit();
  dialog.dialog_routine = nullptr;
  dialog.size_routine = nullptr;
  dialog.drop_routine = nullptr;
  dialog.layout = nullptr;
  dialog.template_id = 0;
  dialog.window = 0;
}

}  // namespace korvel
