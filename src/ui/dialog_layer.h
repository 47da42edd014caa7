// The dialog binding layer. Every dialog of the Launcher is driven through a
// record that holds each control of its template with the control's values.
// Program code stores and reads them by control id and value index; the layer
// copies them to and from the native controls and calls the routine registered
// for a control when the user acts on it. Values stored while the dialog's own
// routine runs reach the window when it returns, and the layer's own copies
// never call routines.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/fixed_text.h"
#include "platform/dialog_template.h"
#include "platform/native_ui.h"

namespace korvel {

// Value indices: negative numbers choose a kind of value, positive ones an item.
inline constexpr int DLGIDX_DEFAULT = -1;
inline constexpr int DLGIDX_TITLE = -2;
inline constexpr int DLGIDX_ENABLED = -3;
inline constexpr int DLGIDX_STATE = -5;
inline constexpr int DLGIDX_COUNT = -13;

// Callback kinds. Registering under the omitted kind (-1) registers the
// control type's first kind.
inline constexpr int DLGCB_DEFAULT = -1;
inline constexpr int DLGCB_INIT = 0;
inline constexpr int DLGCB_DESTROY = -15;
inline constexpr int DLGCB_SIZE = -24;
inline constexpr int DLGCB_CLICKED = -4;
inline constexpr int DLGCB_CHANGE = -6;
inline constexpr int DLGCB_UPDATE = -7;
inline constexpr int DLGCB_GOTFOCUS = -18;
inline constexpr int DLGCB_LOSTFOCUS = -19;
inline constexpr int DLGCB_SELCHANGE = -10;
inline constexpr int DLGCB_DBLCLICK = -14;
// The dialog's own routine, when the dialog is shown at another DPI (`dpi` holds it).
inline constexpr int DLGCB_DPICHANGED = -60;

enum class ControlType { static_text, group_box, push_button, check_box, edit_box, list_box, drop_down_list };

// Which notification of which control type calls which kind of routine; a
// type's first row gives the kind registered when none is named.
struct RoutineKind {
  ControlType type;
  int code;  // notify::
  int kind;  // DLGCB_
};
inline constexpr RoutineKind routine_kinds[] = {
    {ControlType::push_button, notify::button_clicked, DLGCB_CLICKED},
    {ControlType::check_box, notify::button_clicked, DLGCB_CLICKED},
    {ControlType::edit_box, notify::edit_change, DLGCB_CHANGE},
    {ControlType::edit_box, notify::edit_update, DLGCB_UPDATE},
    {ControlType::edit_box, notify::edit_setfocus, DLGCB_GOTFOCUS},
    {ControlType::edit_box, notify::edit_killfocus, DLGCB_LOSTFOCUS},
    {ControlType::list_box, notify::list_selchange, DLGCB_SELCHANGE},
    {ControlType::list_box, notify::list_dblclick, DLGCB_DBLCLICK},
    {ControlType::drop_down_list, notify::list_selchange, DLGCB_SELCHANGE},
    {ControlType::drop_down_list, notify::list_dblclick, DLGCB_DBLCLICK},
};

// A list item holds a whole path: the Recent Dialog lists the recent Geometry
// Files, and a pick shorter than the entry would not name it.
using ItemText = PathText;

struct DialogRecord;
using DialogRoutine = std::function<void(DialogRecord& dialog, int control_id, int kind)>;
// Takes a file dropped on the dialog: on the edit box `control_id`, or elsewhere (0).
using DropRoutine = std::function<void(DialogRecord& dialog, int control_id, std::string_view path)>;

struct ControlEntry {
  int id = 0;
  ControlType type = ControlType::static_text;
  bool addressable = true;  // false for an id that occurs more than once in the template
  bool multiple_selection = false;

  bool enabled = true;
  std::string text;  // caption or edit text
  bool checked = false;
  std::pair<int, int> caret{0, 0};
  std::vector<ItemText> items;
  std::vector<int> selection;  // list box: the selected item numbers, in order
  ItemText selection_text;     // the current selection's text
  int selected_item = 0;       // drop-down list: 1-based, 0 for none
  bool selected_by_text = false;

  bool dirty = false;
  std::map<int, DialogRoutine> routines;  // by callback kind

  bool captioned() const {
    return type == ControlType::static_text || type == ControlType::group_box || type == ControlType::push_button ||
           type == ControlType::check_box;
  }
  bool is_list() const { return type == ControlType::list_box || type == ControlType::drop_down_list; }
  bool has_item(int number) const { return number >= 1 && number <= static_cast<int>(items.size()); }
};

class DialogLayer;

struct DialogRecord {
  explicit DialogRecord(DialogLayer& owner) : layer(owner) {}
  DialogRecord(const DialogRecord&) = delete;
  DialogRecord& operator=(const DialogRecord&) = delete;

  DialogLayer& layer;
  int template_id = 0;
  const DialogTemplate* layout = nullptr;
  NativeWindow window = 0;  // 0 before the dialog is shown and after it ended
  int return_value = 1;
  bool modal = false;
  DialogRoutine dialog_routine;
  DialogRoutine size_routine;
  DropRoutine drop_routine;  // none: the dialog takes no dropped files
  std::vector<ControlEntry> controls;
  bool pushing = false;
  int dpi = 0;  // what the last DPI change gave; 0 before any

  // The button F1 clicks; 0: F1 does nothing in this dialog.
  int help_control = 0;

  ControlEntry* find(int id);
};

// The layer's own state: the native side, the dialogs whose routines are
// running (innermost last) and the active modeless dialog.
class DialogLayer final : public DialogEvents {
 public:
  explicit DialogLayer(NativeDialogs& native) : native_(native) {}

  NativeDialogs& native() { return native_; }
  DialogRecord* running() const { return running_.empty() ? nullptr : running_.back(); }
  DialogRecord* active_modeless() const { return active_; }
  DialogRecord* running_modal() const { return modal_.empty() ? nullptr : modal_.back(); }
  // Modal runs nest; the innermost owns the next one.
  void enter_modal(DialogRecord& dialog) { modal_.push_back(&dialog); }
  void leave_modal() { modal_.pop_back(); }

  // Copies values between the record and its window.
  void push(DialogRecord& dialog, ControlEntry& control);
  void push_dirty(DialogRecord& dialog);
  void pull(DialogRecord& dialog, ControlEntry& control);
  void pull_all(DialogRecord& dialog);
  // Reads every control back, then ends the dialog: the modal run returns or the
  // modeless window is destroyed.
  void end(DialogRecord& dialog);
  // Calls a routine with the dialog as the running one, then pushes what it changed.
  void call(DialogRecord& dialog, const DialogRoutine& routine, int control_id, int kind);

  void dialog_created(void* dialog, NativeWindow window) override;
  void dialog_command(void* dialog, int control_id, int code) override;
  void dialog_cancel_requested(void* dialog) override;
  void dialog_activated(void* dialog, bool active) override;
  void dialog_resized(void* dialog) override;
  void dialog_destroyed(void* dialog) override;
  void dialog_files_dropped(void* dialog, int control_id, const std::vector<std::string>& paths) override;
  void dialog_dpi_changed(void* dialog, int dpi) override;
  void dialog_help_requested(void* dialog) override;

 private:
  void fill_list(ListKind kind, NativeWindow window, const ControlEntry& c);

  NativeDialogs& native_;
  std::vector<DialogRecord*> running_;
  std::vector<DialogRecord*> modal_;
  DialogRecord* active_ = nullptr;
};

bool DLGOPEN(int template_id, DialogRecord& dialog);
bool DLGCALLBACK(DialogRecord& dialog, int control_id, DialogRoutine routine, int kind = DLGCB_DEFAULT);

bool DLGPUTINT(DialogRecord& dialog, int control_id, int value, int index = DLGIDX_DEFAULT);
bool DLGPUTLOG(DialogRecord& dialog, int control_id, bool value, int index = DLGIDX_DEFAULT);
bool DLGPUTCHAR(DialogRecord& dialog, int control_id, std::string_view value, int index = DLGIDX_DEFAULT);

bool DLGREADINT(DialogRecord& dialog, int control_id, int& value, int index = DLGIDX_DEFAULT);
bool DLGREADLOG(DialogRecord& dialog, int control_id, bool& value, int index = DLGIDX_DEFAULT);
// The text as held: callers give it the width they want.
bool DLGREADCHAR(DialogRecord& dialog, int control_id, std::string& value, int index = DLGIDX_DEFAULT);
template <std::size_t Width>
bool DLGREADCHAR(DialogRecord& dialog, int control_id, FixedText<Width>& value, int index = DLGIDX_DEFAULT) {
  std::string text;
  if (!DLGREADCHAR(dialog, control_id, text, index)) return false;
  value = text;
  return true;
}

// Beyond the operations above, for the users of today's shell. The dialog takes
// files dropped on it; the routine gets the first.
void accept_dropped_files(DialogRecord& dialog, DropRoutine routine);
// Puts an edit box's caret after its text, so that a narrow field shows the text's end.
bool put_caret_at_end(DialogRecord& dialog, int control_id);

// Shows the dialog modally; its return value, or -1 when the window can't be made.
int DLGMODAL(DialogRecord& dialog);
bool DLGMODELESS(DialogRecord& dialog, int show_command = show_normally,
                 std::optional<NativeWindow> owner = std::nullopt);
bool DLGPRETRANSLATE(DialogLayer& layer, const NativeMessage& message);
void DLGRETURN(DialogRecord& dialog, int value);
bool DLGEXIT(DialogRecord& dialog);
void DLGFREE(DialogRecord& dialog);

}  // namespace korvel
