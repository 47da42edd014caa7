#include "fake_native_ui.h"

#include <algorithm>
#include <cctype>

#include "common/fixed_text.h"
#include "ui/window_styles.h"

namespace korvel::fake {

NativeWindow FakeNativeDialogs::find(int template_id) const {
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (it->second.open && it->second.layout->id == template_id) return it->first;
  return 0;
}

NativeWindow FakeNativeDialogs::make(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events,
                                     void* dialog) {
  const NativeWindow window = next_window_++;
  note_made(live, ObjectKind::window);
  note_made(live, ObjectKind::dialog_data);
  FakeDialogWindow& w = windows[window];
  w.layout = &layout;
  w.owner = owner;
  w.events = &events;
  w.dialog = dialog;
  for (const ControlTemplate& t : layout.controls) {
    if (!id_is_unique(layout, t.id)) continue;
    FakeControl& c = w.controls[t.id];
    c.control_class = t.control_class;
    c.style = t.style;
    c.text = std::string(t.caption);
    c.enabled = (t.style & style::ws_disabled) == 0;
  }
  return window;
}

NativeWindow FakeNativeDialogs::create_modeless(const DialogTemplate& layout, NativeWindow owner, int show_command,
                                                DialogEvents& events, void* dialog) {
  if (fail_create) return 0;
  const NativeWindow window = make(layout, owner, events, dialog);
  windows[window].show_command = show_command;
  events.dialog_created(dialog, window);
  events.dialog_activated(dialog, true);
  return window;
}

int FakeNativeDialogs::run_modal(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events,
                                 void* dialog) {
  if (fail_create) return -1;
  const NativeWindow window = make(layout, owner, events, dialog);
  windows[window].modal = true;
  events.dialog_created(dialog, window);
  if (!modal_scripts.empty()) {
    const auto script = modal_scripts.front();
    modal_scripts.pop_front();
    try {
      script(window);
    } catch (...) {
      // The adapter parks what a routine throws and ends the modal loop, which
      // destroys the dialog; the run then throws it again.
      destroy(window);
      throw;
    }
  }
  // A user who did nothing more closes the box.
  if (!windows[window].modal_result) escape(window);
  if (!windows[window].modal_result) end_modal(window, 2);
  const int result = *windows[window].modal_result;
  destroy(window);
  return result;
}

void FakeNativeDialogs::end_modal(NativeWindow window, int result) { windows.at(window).modal_result = result; }

void FakeNativeDialogs::destroy(NativeWindow window) {
  FakeDialogWindow& w = windows.at(window);
  if (!w.open) return;
  w.events->dialog_destroyed(w.dialog);
  w.open = false;
  note_released(live, ObjectKind::window);
  note_released(live, ObjectKind::dialog_data);
  if (w.field_brush) {
    note_released(live, ObjectKind::brush);
    note_released(live, ObjectKind::dialog_data);
  }
  w.field_brush = false;
}

void FakeNativeDialogs::send_command(NativeWindow window, int id, int code) {
  FakeDialogWindow& w = windows.at(window);
  if (w.open) w.events->dialog_command(w.dialog, id, code);
}

void FakeNativeDialogs::dpi_changed(NativeWindow window, int dpi) {
  FakeDialogWindow& w = windows.at(window);
  if (w.open) w.events->dialog_dpi_changed(w.dialog, dpi);
}

void FakeNativeDialogs::click(NativeWindow window, int id) {
  FakeDialogWindow& w = windows.at(window);
  const auto it = w.controls.find(id);
  if (!w.open || it == w.controls.end() || !it->second.enabled || !(it->second.style & style::ws_visible)) return;
  if ((it->second.style & style::bs_type_mask) == style::bs_autocheckbox) it->second.checked = !it->second.checked;
  send_command(window, id, notify::button_clicked);
}

void FakeNativeDialogs::type(NativeWindow window, int id, std::string_view text) {
  FakeControl& c = control(window, id);
  if (!c.enabled) return;
  c.text.clear();
  if (text.empty()) {  // deleting the selected text is one change
    send_command(window, id, notify::edit_update);
    send_command(window, id, notify::edit_change);
  }
  for (char key : text) {
    c.text.push_back(key);
    c.caret = {static_cast<int>(c.text.size()), static_cast<int>(c.text.size())};
    send_command(window, id, notify::edit_update);
    send_command(window, id, notify::edit_change);
  }
}

void FakeNativeDialogs::drop_files(NativeWindow window, int id, const std::vector<std::string>& paths) {
  FakeDialogWindow& w = windows.at(window);
  if (w.open && w.accepts_files) w.events->dialog_files_dropped(w.dialog, id, paths);
}

void FakeNativeDialogs::set_caret(NativeWindow window, int id, std::pair<int, int> caret) {
  // As the system does, a position past the text is its end.
  FakeControl& c = control(window, id);
  const int end = static_cast<int>(c.text.size());
  c.caret = {std::min(caret.first, end), std::min(caret.second, end)};
}

void FakeNativeDialogs::select(NativeWindow window, int id, int index) {
  FakeControl& c = control(window, id);
  if (!c.enabled || index < 0 || index >= static_cast<int>(c.items.size())) return;
  if (c.control_class == ControlClass::combo_box) {
    c.current = index;
  } else {
    std::fill(c.selected.begin(), c.selected.end(), false);
    c.selected[static_cast<std::size_t>(index)] = true;
  }
  send_command(window, id, notify::list_selchange);
}

void FakeNativeDialogs::double_click(NativeWindow window, int id, int index) {
  select(window, id, index);
  send_command(window, id, notify::list_dblclick);
}

// The layer decides what Escape and the close box do.
void FakeNativeDialogs::escape(NativeWindow window) {
  FakeDialogWindow& w = windows.at(window);
  if (w.open) w.events->dialog_cancel_requested(w.dialog);
}

void FakeNativeDialogs::close_box(NativeWindow window) {
  if (windows.at(window).close_command_enabled) escape(window);
}

void FakeNativeDialogs::help_key(NativeWindow window) {
  FakeDialogWindow& w = windows.at(window);
  if (w.open) w.events->dialog_help_requested(w.dialog);
}

void FakeNativeDialogs::set_text(NativeWindow window, int id, std::string_view text) {
  FakeControl& c = control(window, id);
  c.text = std::string(text);
  ++c.repaints;
  // Like a single-line edit, the fake reports a change made by a program too.
  if (c.control_class == ControlClass::edit) send_command(window, id, notify::edit_change);
}

void FakeNativeDialogs::list_clear(ListKind, NativeWindow window, int id) {
  FakeControl& c = control(window, id);
  ++c.repaints;
  c.items.clear();
  c.selected.clear();
  c.current = -1;
}

void FakeNativeDialogs::list_add(ListKind, NativeWindow window, int id, std::string_view item) {
  FakeControl& c = control(window, id);
  c.items.emplace_back(item);
  c.selected.push_back(false);
}

void FakeNativeDialogs::list_select(ListKind kind, NativeWindow window, int id, int index) {
  FakeControl& c = control(window, id);
  const bool valid = index >= 0 && index < static_cast<int>(c.items.size());
  if (kind == ListKind::drop_down) {
    c.current = valid ? index : -1;
    return;
  }
  std::fill(c.selected.begin(), c.selected.end(), false);
  if (valid) c.selected[static_cast<std::size_t>(index)] = true;
}

void FakeNativeDialogs::list_select_text(NativeWindow window, int id, std::string_view text) {
  FakeControl& c = control(window, id);
  const auto found = std::find_if(c.items.begin(), c.items.end(), [&](const std::string& item) {
    return item.size() >= text.size() && std::equal(text.begin(), text.end(), item.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
  });
  if (found != c.items.end()) c.current = static_cast<int>(found - c.items.begin());
}

void FakeNativeDialogs::list_set_selected(NativeWindow window, int id, int index, bool selected) {
  FakeControl& c = control(window, id);
  if (index >= 0 && index < static_cast<int>(c.items.size())) c.selected[static_cast<std::size_t>(index)] = selected;
}

bool FakeCanvas::select_font(int height, int weight, bool italic, std::string_view face) {
  if (fail_fonts) return false;
  fonts_made.push_back({height, weight, italic, std::string(face)});
  note_made(live, ObjectKind::font);
  current_ = fonts_made.back();
  return true;
}

void FakeCanvas::end_painting() {
  current_.reset();
  for (std::size_t i = 0; i < fonts_made.size(); ++i) note_released(live, ObjectKind::font);
}

int FakeCanvas::line_height() {
  if (!current_) return 16 * ppi_y_ / 96;
  const int height = current_->height < 0 ? -current_->height : current_->height;
  return height + height / 5;
}

bool FakeWindows::register_welcome_class(IconHandle icon, WelcomeEvents& events) {
  if (fail_register) return false;
  welcome_events = &events;
  class_icon = icon;
  return true;
}

NativeWindow FakeWindows::create_welcome_window(std::string_view title, const Rect& bounds) {
  if (fail_welcome_window) return 0;
  static NativeWindow next = 0x9000;
  const NativeWindow window = next++;
  note_made(live, ObjectKind::window);
  note_made(live, ObjectKind::pen);
  WelcomeWindow& made = welcome[window];
  made.title = std::string(title);
  made.width = bounds.width();
  made.height = bounds.height();
  positions[window] = {bounds.left, bounds.top};
  return window;
}

void FakeWindows::show(NativeWindow window, int show_command) {
  WelcomeWindow& w = welcome.at(window);
  w.show_command = show_command;
  w.needs_paint = !hides_or_minimises(show_command);
}

void FakeWindows::set_timer(NativeWindow window, unsigned, unsigned milliseconds) {
  const auto it = welcome.find(window);
  if (it != welcome.end() && it->second.alive) it->second.timer_ms = milliseconds;
}

// Like DestroyWindow, once: a window already gone is left alone.
void FakeWindows::destroy_window(NativeWindow window) {
  const auto it = welcome.find(window);
  if (it == welcome.end() || !it->second.alive) return;
  it->second.alive = false;
  note_released(live, ObjectKind::window);
  note_released(live, ObjectKind::pen);
}

void FakeWindows::close_box(NativeWindow window) {
  welcome_events->welcome_closing(window);
  destroy_window(window);
}

void FakeWindows::colour_fields(NativeWindow dialog, std::span<const int> edit_ids, std::span<const int> list_ids,
                                std::uint32_t rgb) {
  coloured[dialog] = {{edit_ids.begin(), edit_ids.end()}, {list_ids.begin(), list_ids.end()}, rgb};
  // One brush per dialog: asked again, the new one takes the old one's place.
  const auto it = dialogs_.windows.find(dialog);
  if (it == dialogs_.windows.end() || !it->second.open || it->second.field_brush) return;
  it->second.field_brush = true;
  note_made(live, ObjectKind::brush);
  note_made(live, ObjectKind::dialog_data);
}

void FakeWindows::paint(NativeWindow window) {
  last_canvas.emplace(dpi(window), dpi(window));
  last_canvas->live = live;
  last_canvas->area_width = welcome.at(window).width;
  try {
    welcome_events->welcome_paint(window, *last_canvas);
  } catch (...) {
    last_canvas->end_painting();  // as the adapter's canvas goes with the unwinding
    throw;
  }
  last_canvas->end_painting();
  welcome_events->welcome_painted(window);
  ++welcome.at(window).paints;
}

bool FakeWindows::next_message_for(NativeWindow window, NativeMessage& message) {
  const auto it = welcome.find(window);
  if (it == welcome.end() || !it->second.alive) return false;
  WelcomeWindow& w = it->second;
  std::function<void()> action;
  if (w.needs_paint) {
    w.needs_paint = false;
    action = [this, window] { paint(window); };
  } else if (!splash_actions.empty()) {
    action = std::move(splash_actions.front());
    splash_actions.pop_front();
  } else if (w.timer_ms) {
    action = [this, window] { welcome_events->welcome_timer(window); };
  } else {
    ran_dry = true;
    return false;
  }
  const std::uintptr_t id = next_message_++;
  pending_[id] = std::move(action);
  message.words[0] = id;
  return true;
}

IconHandle FakeWindows::load_icon(const IconRequest& request) {
  const IconHandle handle = files_.file_exists(request.path) ? next_icon_++ : 0;
  if (handle) note_made(live, ObjectKind::icon);
  icon_loads.push_back({request.path, request.width, request.height, request.vga_colour, handle});
  return handle;
}

void FakeWindows::destroy_icon(IconHandle icon) {
  if (!icon) return;
  const auto loaded = [&](const IconLoad& load) { return load.handle == icon; };
  const bool again = std::find(icons_destroyed.begin(), icons_destroyed.end(), icon) != icons_destroyed.end();
  // Still shown: by a window of the class, as a button's image or a dialog's small icon.
  const auto alive = [](const auto& window) { return window.second.alive; };
  bool in_use = icon == class_icon && std::any_of(welcome.begin(), welcome.end(), alive);
  for (const auto& [window, dialog] : dialogs_.windows) {
    if (!dialog.open) continue;
    in_use = in_use || (small_icons.count(window) && small_icons.at(window) == icon);
    in_use = in_use || (big_icons.count(window) && big_icons.at(window) == icon);
    for (const auto& [id, control] : dialog.controls) in_use = in_use || control.image == icon;
  }
  if (again || in_use || std::none_of(icon_loads.begin(), icon_loads.end(), loaded)) {
    ++wrong_icon_releases;
    return;
  }
  icons_destroyed.push_back(icon);
  note_released(live, ObjectKind::icon);
}

bool FakeWindows::next_message(NativeMessage& message) {
  if (quit_pending) {
    quit_pending = false;
    return false;
  }
  if (user_actions.empty()) {
    ran_dry = true;
    return false;
  }
  const std::uintptr_t id = next_message_++;
  pending_[id] = std::move(user_actions.front());
  user_actions.pop_front();
  message.words[0] = id;
  return true;
}

void FakeWindows::translate_and_dispatch(const NativeMessage& message) {
  const auto it = pending_.find(message.words[0]);
  if (it == pending_.end()) return;
  const auto action = std::move(it->second);
  pending_.erase(it);
  action();
}

}  // namespace korvel::fake
