#include "ui/dialog_layer.h"

#include <algorithm>

#include "ui/window_styles.h"

namespace korvel {

namespace {

bool is_captioned(ControlType type) {
  return type == ControlType::static_text || type == ControlType::group_box || type == ControlType::push_button ||
         type == ControlType::check_box;
}
bool is_list(ControlType type) { return type == ControlType::list_box || type == ControlType::drop_down_list; }

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

// The kinds a control type may have routines for; the first is the default.
std::vector<int> callback_kinds(ControlType type) {
  switch (type) {
    case ControlType::push_button:
    case ControlType::check_box:
      return {DLGCB_CLICKED};
    case ControlType::edit_box:
      return {DLGCB_CHANGE, DLGCB_UPDATE, DLGCB_GOTFOCUS, DLGCB_LOSTFOCUS};
    case ControlType::list_box:
    case ControlType::drop_down_list:
      return {DLGCB_SELCHANGE, DLGCB_DBLCLICK};
    default:
      return {};
  }
}

bool is_item(const ControlEntry& c, int index) { return index >= 1 && index <= static_cast<int>(c.items.size()); }

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

}  // namespace

ControlEntry* DialogRecord::find(int id) {
  for (ControlEntry& control : controls)
    if (control.id == id) return control.addressable ? &control : nullptr;
  return nullptr;
}

DialogRecord* DialogLayer::running_modal() const { return modal_.empty() ? nullptr : modal_.back(); }

// Whether the window's list already holds exactly these items: a list refilled
// with the same texts would only be painted again, at every keystroke.
bool DialogLayer::list_holds(ListKind kind, NativeWindow window, const ControlEntry& c) {
  if (native_.list_count(kind, window, c.id) != static_cast<int>(c.items.size())) return false;
  for (std::size_t i = 0; i < c.items.size(); ++i)
    if (native_.list_item(kind, window, c.id, static_cast<int>(i)) != c.items[i].trimmed()) return false;
  return true;
}

void DialogLayer::push(DialogRecord& dialog, ControlEntry& c) {
  // A control the program can't address keeps what its template gave it.
  if (!c.addressable) return;
  const NativeWindow w = dialog.window;
  const bool was_pushing = dialog.pushing;
  dialog.pushing = true;  // the native controls' own notifications are not the user's doing
  // A text the window already shows is not set again: that would repaint it.
  if ((is_captioned(c.type) || c.type == ControlType::edit_box) && native_.text(w, c.id) != c.text)
    native_.set_text(w, c.id, c.text);
  native_.set_enabled(w, c.id, c.enabled);
  switch (c.type) {
    case ControlType::push_button:
      if (c.id == 2) native_.enable_close_command(w, c.enabled);
      break;
    case ControlType::check_box:
      native_.set_checked(w, c.id, c.checked);
      break;
    case ControlType::edit_box:
      native_.set_caret(w, c.id, c.caret);
      break;
    case ControlType::list_box:
      if (!list_holds(ListKind::list_box, w, c)) {
        native_.list_clear(ListKind::list_box, w, c.id);
        for (const ItemText& item : c.items) native_.list_add(ListKind::list_box, w, c.id, item.trimmed());
      }
      if (c.multiple_selection) {
        for (int n : c.selection) native_.list_set_selected(w, c.id, n - 1, true);
      } else {
        native_.list_select(ListKind::list_box, w, c.id, c.selection.empty() ? -1 : c.selection.front() - 1);
      }
      break;
    case ControlType::drop_down_list:
      if (!list_holds(ListKind::drop_down, w, c)) {
        native_.list_clear(ListKind::drop_down, w, c.id);
        for (const ItemText& item : c.items) native_.list_add(ListKind::drop_down, w, c.id, item.trimmed());
      }
      if (c.selected_by_text)
        native_.list_select_text(w, c.id, c.selection_text.trimmed());
      else
        native_.list_select(ListKind::drop_down, w, c.id, is_item(c, c.selected_item) ? c.selected_item - 1 : -1);
      break;
    default:
      break;
  }
  c.dirty = false;
  dialog.pushing = was_pushing;
}

void DialogLayer::push_dirty(DialogRecord& dialog) {
  if (!dialog.window) return;
  for (ControlEntry& control : dialog.controls)
    if (control.dirty) push(dialog, control);
}

void DialogLayer::pull(DialogRecord& dialog, ControlEntry& c) {
  const NativeWindow w = dialog.window;
  if (!w || !c.addressable) return;
  if (is_captioned(c.type) || c.type == ControlType::edit_box) c.text = native_.text(w, c.id);
  c.enabled = native_.enabled(w, c.id);
  switch (c.type) {
    case ControlType::check_box:
      c.checked = native_.checked(w, c.id);
      break;
    case ControlType::edit_box:
      c.caret = native_.caret(w, c.id);
      break;
    case ControlType::list_box: {
      const int count = native_.list_count(ListKind::list_box, w, c.id);
      c.items.clear();
      c.selection.clear();
      for (int i = 0; i < count; ++i) {
        c.items.emplace_back(native_.list_item(ListKind::list_box, w, c.id, i));
        if (native_.list_selected(w, c.id, i)) c.selection.push_back(i + 1);
      }
      c.selection_text = c.selection.empty() ? std::string_view() : c.items[c.selection.front() - 1].padded();
      break;
    }
    case ControlType::drop_down_list: {
      const int current = native_.list_current(w, c.id);
      c.selected_item = current + 1;
      c.selected_by_text = false;
      c.selection_text = current >= 0 ? native_.list_item(ListKind::drop_down, w, c.id, current) : std::string();
      break;
    }
    default:
      break;
  }
}

void DialogLayer::pull_all(DialogRecord& dialog) {
  for (ControlEntry& control : dialog.controls) pull(dialog, control);
}

void DialogLayer::end(DialogRecord& dialog) {
  if (!dialog.window) return;
  pull_all(dialog);
  const NativeWindow window = dialog.window;
  if (dialog.modal) {
    native_.end_modal(window, dialog.return_value);
  } else {
    native_.destroy(window);
  }
  dialog.window = 0;
}

void DialogLayer::call(DialogRecord& dialog, const DialogRoutine& routine, int control_id, int kind) {
  running_.push_back(&dialog);
  // A routine that throws leaves no record behind as running: the error path
  // ends the Launcher through this layer.
  struct Returned {
    std::vector<DialogRecord*>& running;
    ~Returned() { running.pop_back(); }
  };
  {
    Returned returned{running_};
    routine(dialog, control_id, kind);
  }
  push_dirty(dialog);
}

void DialogLayer::dialog_created(void* d, NativeWindow window) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  dialog.window = window;
  for (ControlEntry& control : dialog.controls) push(dialog, control);
  if (dialog.dialog_routine) call(dialog, dialog.dialog_routine, dialog.template_id, DLGCB_INIT);
}

void DialogLayer::dialog_command(void* d, int control_id, int code, bool from_control) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  // A dialog that has ended may still see commands queued before its end.
  if (!dialog.window) return;
  ControlEntry* control = dialog.find(control_id);
  if (!control) {
    // Escape or the close box in a dialog without a Cancel control.
    if (control_id == 2 && !from_control && !dialog.pushing) {
      dialog.return_value = 2;
      end(dialog);
    }
    return;
  }
  if (dialog.pushing) return;

  int kind = 0;
  switch (control->type) {
    case ControlType::push_button:
      if (code != notify::button_clicked || !control->enabled) return;
      kind = DLGCB_CLICKED;
      break;
    case ControlType::check_box:
      if (code != notify::button_clicked) return;
      kind = DLGCB_CLICKED;
      break;
    case ControlType::edit_box:
      switch (code) {
        case notify::edit_change: kind = DLGCB_CHANGE; break;
        case notify::edit_update: kind = DLGCB_UPDATE; break;
        case notify::edit_setfocus: kind = DLGCB_GOTFOCUS; break;
        case notify::edit_killfocus: kind = DLGCB_LOSTFOCUS; break;
        default: return;
      }
      break;
    case ControlType::list_box:
    case ControlType::drop_down_list:
      if (code == notify::list_selchange)
        kind = DLGCB_SELCHANGE;
      else if (code == notify::list_dblclick)
        kind = DLGCB_DBLCLICK;
      else
        return;
      break;
    default:
      return;
  }

  const auto routine = control->routines.find(kind);
  if (routine != control->routines.end()) {
    const DialogRoutine chosen = routine->second;  // the routine may re-register its control
    call(dialog, chosen, control_id, kind);
  } else if (control->type == ControlType::push_button) {
    // A push button without a routine ends its dialog with its id.
    dialog.return_value = control_id;
    end(dialog);
  }
}

void DialogLayer::dialog_activated(void* d, bool active) {
  auto* dialog = static_cast<DialogRecord*>(d);
  if (dialog->modal) return;
  if (active)
    active_ = dialog;
  else if (active_ == dialog)
    active_ = nullptr;
}

void DialogLayer::dialog_resized(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (dialog.size_routine) call(dialog, dialog.size_routine, dialog.template_id, DLGCB_SIZE);
}

void DialogLayer::dialog_destroyed(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (active_ == &dialog) active_ = nullptr;
  if (!dialog.modal) pull_all(dialog);
  if (dialog.dialog_routine) call(dialog, dialog.dialog_routine, dialog.template_id, DLGCB_DESTROY);
  if (!dialog.modal) dialog.window = 0;
}

bool DLGOPEN(int template_id, DialogRecord& dialog) {
  const DialogTemplate* layout = find_dialog_template(template_id);
  if (!layout) return false;
  std::vector<ControlEntry> controls;
  for (const ControlTemplate& t : layout->controls) {
    ControlEntry c;
    c.id = t.id;
    const std::optional<ControlType> type = control_type(t, c.multiple_selection);
    if (!type) return false;
    c.type = *type;
    c.enabled = (t.style & style::ws_disabled) == 0;
    c.text = std::string(t.caption);
    controls.push_back(std::move(c));
  }
  for (ControlEntry& c : controls)
    c.addressable = std::count_if(controls.begin(), controls.end(), [&](const ControlEntry& o) { return o.id == c.id; }) == 1;
  dialog.template_id = template_id;
  dialog.layout = layout;
  dialog.controls = std::move(controls);
  dialog.return_value = 1;
  dialog.dialog_routine = nullptr;
  dialog.size_routine = nullptr;
  dialog.window = 0;
  dialog.modal = false;
  dialog.pushing = false;
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
  const std::vector<int> kinds = callback_kinds(control->type);
  if (kinds.empty()) return false;
  if (kind == DLGCB_DEFAULT) kind = kinds.front();
  if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) return false;
  control->routines[kind] = std::move(routine);
  return true;
}

bool DLGPUTINT(DialogRecord& dialog, int control_id, int value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c || !is_list(c->type)) return false;
  if (index == DLGIDX_DEFAULT || index == DLGIDX_COUNT) {
    set_count(*c, value);
  } else if (index == DLGIDX_STATE && c->type == ControlType::drop_down_list) {
    c->selected_item = value;
    c->selected_by_text = false;
    c->selection_text = is_item(*c, value) ? c->items[value - 1].padded() : std::string();
  } else {
    return false;
  }
  stored(dialog, *c);
  return true;
}

bool DLGPUTLOG(DialogRecord& dialog, int control_id, bool value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c) return false;
  if (index == DLGIDX_ENABLED) {
    c->enabled = value;
  } else if (c->type == ControlType::check_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    c->checked = value;
  } else if (is_captioned(c->type) && index == DLGIDX_DEFAULT) {
    c->enabled = value;
  } else {
    return false;
  }
  stored(dialog, *c);
  return true;
}

bool DLGPUTCHAR(DialogRecord& dialog, int control_id, std::string_view value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c) return false;
  if (is_captioned(c->type) && (index == DLGIDX_DEFAULT || index == DLGIDX_TITLE)) {
    c->text = std::string(value);
  } else if (c->type == ControlType::edit_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    c->text = std::string(value);
  } else if (is_list(c->type) && index >= 1) {
    if (!is_item(*c, index)) return false;
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

bool DLGREADINT(DialogRecord& dialog, int control_id, int& value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c || !is_list(c->type)) return false;
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
  if (!c) return false;
  if (index == DLGIDX_ENABLED) {
    value = c->enabled;
  } else if (c->type == ControlType::check_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    value = c->checked;
  } else if (is_captioned(c->type) && index == DLGIDX_DEFAULT) {
    value = c->enabled;
  } else {
    return false;
  }
  return true;
}

bool DLGREADCHAR(DialogRecord& dialog, int control_id, std::string& value, int index) {
  ControlEntry* c = fresh_control(dialog, control_id);
  if (!c) return false;
  if (is_captioned(c->type) && (index == DLGIDX_DEFAULT || index == DLGIDX_TITLE)) {
    value = c->text;
  } else if (c->type == ControlType::edit_box && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    value = c->text;
  } else if (is_list(c->type) && (index == DLGIDX_DEFAULT || index == DLGIDX_STATE)) {
    value = c->selection_text.padded();
  } else if (is_list(c->type) && index >= 1) {
    if (!is_item(*c, index)) return false;
    value = c->items[index - 1].padded();
  } else {
    return false;
  }
  return true;
}

int DLGMODAL(DialogRecord& dialog) {
  DialogLayer& layer = dialog.layer;
  if (!dialog.layout) return -1;
  DialogRecord* owner = layer.running_modal() ? layer.running_modal() : layer.running();
  dialog.modal = true;
  layer.enter_modal(dialog);
  // Also when the run ends with an exception: the record may go with the caller's frame.
  struct Ended {
    DialogRecord& dialog;
    ~Ended() {
      dialog.layer.leave_modal();
      dialog.modal = false;
      dialog.window = 0;
    }
  };
  Ended ended{dialog};
  const int result = layer.native().run_modal(*dialog.layout, owner ? owner->window : 0, layer, &dialog);
  return result == -1 ? -1 : dialog.return_value;
}

bool DLGMODELESS(DialogRecord& dialog, int show_command, std::optional<NativeWindow> owner) {
  DialogLayer& layer = dialog.layer;
  if (!dialog.layout) return false;
  const NativeWindow owner_window = owner ? *owner : (layer.running() ? layer.running()->window : 0);
  dialog.modal = false;
  return layer.native().create_modeless(*dialog.layout, owner_window, show_command, layer, &dialog) != 0;
}

bool DLGPRETRANSLATE(DialogLayer& layer, const NativeMessage& message) {
  DialogRecord* active = layer.active_modeless();
  return active && active->window && layer.native().is_dialog_message(active->window, message);
}

void DLGRETURN(DialogRecord& dialog, int value) { dialog.return_value = value; }

bool DLGEXIT(DialogRecord& dialog) {
  if (!dialog.window) return false;
  dialog.layer.end(dialog);
  return true;
}

void DLGFREE(DialogRecord& dialog) {
  dialog.controls.clear();
  dialog.controls.shrink_to_fit();
  dialog.dialog_routine = nullptr;
  dialog.size_routine = nullptr;
  dialog.layout = nullptr;
  dialog.template_id = 0;
  dialog.window = 0;
}

}  // namespace korvel
