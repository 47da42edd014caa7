// The calls the control routines make on a dialog's values, each saying what
// it does: set_enabled(d, print_button, false). Each is one of the layer's
// DLGPUT* and DLGREAD* operations with its value index chosen. A call on a
// control the dialog does not hold, or of a kind the call does not suit, is a
// programming error: a debug build stops on it, a release build changes nothing.
#pragma once

#include <cassert>
#include <string>
#include <string_view>

#include "ui/dialog_layer.h"

namespace korvel {

inline void expect_done([[maybe_unused]] bool done) { assert(done && "no such control here, or not of this kind"); }

inline void set_enabled(DialogRecord& d, int id, bool on) { expect_done(DLGPUTLOG(d, id, on, DLGIDX_ENABLED)); }
inline void set_checked(DialogRecord& d, int id, bool on) { expect_done(DLGPUTLOG(d, id, on, DLGIDX_STATE)); }
inline bool is_checked(DialogRecord& d, int id) {
  bool checked = false;
  expect_done(DLGREADLOG(d, id, checked, DLGIDX_STATE));
  return checked;
}

// An edit's text or a button's caption.
inline void set_text(DialogRecord& d, int id, std::string_view text) { expect_done(DLGPUTCHAR(d, id, text)); }
inline std::string text_of(DialogRecord& d, int id, int index = DLGIDX_DEFAULT) {
  std::string text;
  expect_done(DLGREADCHAR(d, id, text, index));
  return text;
}

// A name the Launcher puts into a field: the field shows its end, the file's own name.
inline void show_name(DialogRecord& d, int id, std::string_view name) {
  set_text(d, id, name);
  expect_done(put_caret_at_end(d, id));
}
// A name put into a field as if the user had typed it: the field's change routine follows.
inline void type_name(DialogRecord& d, int id, std::string_view name) {
  show_name(d, id, name);
  d.layer.dialog_command(&d, id, notify::edit_change);  // what the edit reports of typing
}

// Lists, their items counted from 1.
inline void set_item_count(DialogRecord& d, int id, int count) { expect_done(DLGPUTINT(d, id, count, DLGIDX_COUNT)); }
inline void set_item(DialogRecord& d, int id, int item, std::string_view text) {
  expect_done(DLGPUTCHAR(d, id, text, item));
}
inline void select_item(DialogRecord& d, int id, int item) { expect_done(DLGPUTINT(d, id, item, DLGIDX_STATE)); }
// A list box's first selected item, 0 for none.
inline int selected_item(DialogRecord& d, int id) {
  int item = 0;
  expect_done(DLGREADINT(d, id, item, 1));
  return item;
}
// The selected item's text as the list holds it, padded; blank for none.
inline std::string selected_text(DialogRecord& d, int id) { return text_of(d, id, DLGIDX_STATE); }

}  // namespace korvel
