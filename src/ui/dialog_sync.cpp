// Value sync: a record's values copied to its window (push) and the user's back
// (pull), the only code that sets or reads the native controls' values. It sets
// only what differs: every write repaints.
#include "ui/dialog_layer.h"

#include "ui/control_ids.h"

namespace korvel {

// Unless it holds these very texts: refilling a list repaints it, at every keystroke.
void DialogLayer::fill_list(ListKind kind, NativeWindow window, const ControlEntry& c) {
  bool holds = native_.list_count(kind, window, c.id) == static_cast<int>(c.items.size());
  for (std::size_t i = 0; holds && i < c.items.size(); ++i)
    holds = native_.list_item(kind, window, c.id, static_cast<int>(i)) == c.items[i].trimmed();
  if (holds) return;
  native_.list_clear(kind, window, c.id);
  for (const ItemText& item : c.items) native_.list_add(kind, window, c.id, item.trimmed());
}

void DialogLayer::push(DialogRecord& dialog, ControlEntry& c) {
  // A control the program can't address keeps what its template gave it.
  if (!c.addressable) return;
  const NativeWindow w = dialog.window;
  const bool was_pushing = dialog.pushing;
  dialog.pushing = true;  // the native controls' own notifications are not the user's doing
  if ((c.captioned() || c.type == ControlType::edit_box) && native_.text(w, c.id) != c.text)
    native_.set_text(w, c.id, c.text);
  native_.set_enabled(w, c.id, c.enabled);
  switch (c.type) {
    case ControlType::push_button:
      if (c.id == dialog_ids::cancel) native_.enable_close_command(w, c.enabled);
      break;
    case ControlType::check_box:
      native_.set_checked(w, c.id, c.checked);
      break;
    case ControlType::edit_box:
      native_.set_caret(w, c.id, c.caret);
      break;
    case ControlType::list_box:
      fill_list(ListKind::list_box, w, c);
      if (c.multiple_selection) {
        for (int n : c.selection) native_.list_set_selected(w, c.id, n - 1, true);
      } else {
        native_.list_select(ListKind::list_box, w, c.id, c.selection.empty() ? -1 : c.selection.front() - 1);
      }
      break;
    case ControlType::drop_down_list:
      fill_list(ListKind::drop_down, w, c);
      if (c.selected_by_text)
        native_.list_select_text(w, c.id, c.selection_text.trimmed());
      else
        native_.list_select(ListKind::drop_down, w, c.id, c.has_item(c.selected_item) ? c.selected_item - 1 : -1);
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
  if (c.captioned() || c.type == ControlType::edit_box) c.text = native_.text(w, c.id);
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

}  // namespace korvel
