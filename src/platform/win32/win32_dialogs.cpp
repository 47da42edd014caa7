#include "platform/win32/win32_dialogs.h"

#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/callback_guard.h"
#include "platform/win32/dialog_template_writer.h"
#include "platform/win32/dropped_files.h"
#include "platform/win32/named_controls.h"
#include "platform/win32/native_message.h"

namespace korvel::win32 {

namespace {

// Whom a dialog window reports to. WM_INITDIALOG gets a copy on the creator's
// stack; the window keeps its own in DWLP_USER until WM_NCDESTROY.
struct Binding {
  DialogEvents* events;
  void* dialog;
};

Binding* binding_of(HWND hwnd) { return reinterpret_cast<Binding*>(GetWindowLongPtrA(hwnd, DWLP_USER)); }

// Every message is passed on unless a case says otherwise, so the dialog
// manager keeps its own handling (focus, default button, the background).
// A callback may destroy the window, which frees the binding: nothing may
// touch it after a call into the events.
INT_PTR dialog_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto owned = std::make_unique<Binding>(*reinterpret_cast<const Binding*>(lparam));
    SetLastError(0);
    if (SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.get())) == 0 && GetLastError() != 0) {
      // A dialog that can't report is not made: its creator hears of a failure.
      DestroyWindow(hwnd);
      return FALSE;
    }
    Binding* binding = owned.release();  // the window's until WM_NCDESTROY
    binding->events->dialog_created(binding->dialog, window_of(hwnd));
    return TRUE;  // the first tab stop gets the focus
  }
  Binding* binding = binding_of(hwnd);
  if (binding == nullptr) return FALSE;  // messages before WM_INITDIALOG

  switch (message) {
    case WM_CLOSE:
      // The close box (and Escape in a multi-line edit, which closes its dialog) is
      // posted on as Windows' dialog manager does, as a Cancel command no control
      // sent. The layer decides whether Cancel takes it: Wine clicks a disabled one.
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL && lparam == 0)
        binding->events->dialog_cancel_requested(binding->dialog);
      else
        binding->events->dialog_command(binding->dialog, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_ACTIVATE:
      binding->events->dialog_activated(binding->dialog, LOWORD(wparam) != WA_INACTIVE);
      return FALSE;
    case WM_SIZE:
      if (wparam == SIZE_RESTORED || wparam == SIZE_MINIMIZED || wparam == SIZE_MAXIMIZED)
        binding->events->dialog_resized(binding->dialog);
      return FALSE;
    case WM_DROPFILES: {
      const DroppedFiles dropped = take_dropped_files(hwnd, wparam);
      binding->events->dialog_files_dropped(binding->dialog, dropped.control_id, dropped.paths);
      return TRUE;
    }
    case WM_DESTROY:
      binding->events->dialog_destroyed(binding->dialog);
      return FALSE;
    case WM_DPICHANGED:
      // Passed on too: the dialog manager lays the dialog out at the new DPI.
      binding->events->dialog_dpi_changed(binding->dialog, LOWORD(wparam));
      return FALSE;
    case WM_HELP:  // F1, from the focused control or the system
      binding->events->dialog_help_requested(binding->dialog);
      return TRUE;
    case WM_NCDESTROY: {
      const std::unique_ptr<Binding> last(binding);
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

// What the events throw stays on this side of the system's frames.
INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded<INT_PTR>(FALSE, [&] { return dialog_message(hwnd, message, wparam, lparam); });
}

HWND item(NativeWindow window, int id) { return GetDlgItem(hwnd_of(window), id); }

// Ctrl+A in an edit box selects its whole text, as in Windows 10 and later;
// Wine's edit control takes it as a character. True when the key was taken.
bool selects_whole_text(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != 'A' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
    return false;
  if (!is_edit_box(msg.hwnd)) return false;
  SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
  return true;
}

LRESULT send(NativeWindow window, int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return SendDlgItemMessageA(hwnd_of(window), id, message, wparam, lparam);
}

// The messages of the two list kinds, which differ only in name.
struct ListMessages {
  UINT reset, add, count, text_length, text, set_current;
};
constexpr ListMessages list_box{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_SETCURSEL};
constexpr ListMessages drop_down{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                 CB_SETCURSEL};
const ListMessages& messages_of(ListKind kind) { return kind == ListKind::list_box ? list_box : drop_down; }

}  // namespace

NativeWindow Win32NativeDialogs::create_modeless(const DialogTemplate& layout, NativeWindow owner, int show_command,
                                                 DialogEvents& events, void* dialog) {
  const std::vector<std::uint8_t> bytes = write_dialog_template(layout);
  Binding binding{&events, dialog};
  HWND hwnd = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                         hwnd_of(owner), dialog_proc, reinterpret_cast<LPARAM>(&binding));
  if (hwnd == nullptr) return 0;
  ShowWindow(hwnd, show_command);
  // A dialog whose set-up threw is not left on the screen half made.
  if (exception_parked()) DestroyWindow(hwnd);
  rethrow_parked();
  return window_of(hwnd);
}

int Win32NativeDialogs::run_modal(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events,
                                  void* dialog) {
  // The system answers 0 for an owner that is gone, which reads as a result.
  if (owner != 0 && !IsWindow(hwnd_of(owner))) return -1;
  const std::vector<std::uint8_t> bytes = write_dialog_template(layout);
  Binding binding{&events, dialog};
  const INT_PTR result =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                              hwnd_of(owner), dialog_proc, reinterpret_cast<LPARAM>(&binding));
  rethrow_parked();  // the quit message the parking posted ended the modal loop
  return static_cast<int>(result);  // -1 when the window could not be made
}

void Win32NativeDialogs::end_modal(NativeWindow window, int result) { EndDialog(hwnd_of(window), result); }

void Win32NativeDialogs::destroy(NativeWindow window) {
  DestroyWindow(hwnd_of(window));
  rethrow_parked();
}

// What DragAcceptFiles does, without loading the shell at start-up.
void Win32NativeDialogs::accept_dropped_files(NativeWindow window) {
  HWND dialog = hwnd_of(window);
  SetWindowLongPtrA(dialog, GWL_EXSTYLE, GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

bool Win32NativeDialogs::is_dialog_message(NativeWindow window, const NativeMessage& message) {
  MSG msg = message_of(message);
  if (selects_whole_text(msg)) return true;
  const bool consumed = IsDialogMessageA(hwnd_of(window), &msg) != 0;
  rethrow_parked();
  return consumed;
}

void Win32NativeDialogs::set_text(NativeWindow window, int id, std::string_view text) {
  const std::string z(text);
  send(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(z.c_str()));
  rethrow_parked();  // an edit reports the change to its dialog at once
}

std::string Win32NativeDialogs::text(NativeWindow window, int id) {
  HWND control = item(window, id);
  if (control == nullptr) return {};
  const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void Win32NativeDialogs::set_enabled(NativeWindow window, int id, bool enabled) {
  if (HWND control = item(window, id)) EnableWindow(control, enabled);
}

bool Win32NativeDialogs::enabled(NativeWindow window, int id) {
  HWND control = item(window, id);
  return control != nullptr && IsWindowEnabled(control);
}

void Win32NativeDialogs::enable_close_command(NativeWindow window, bool enabled) {
  if (HMENU menu = GetSystemMenu(hwnd_of(window), FALSE))
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32NativeDialogs::set_checked(NativeWindow window, int id, bool checked) {
  send(window, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32NativeDialogs::checked(NativeWindow window, int id) {
  // An indeterminate check box counts as checked.
  return send(window, id, BM_GETCHECK) != BST_UNCHECKED;
}

void Win32NativeDialogs::set_caret(NativeWindow window, int id, std::pair<int, int> selection) {
  send(window, id, EM_SETSEL, static_cast<WPARAM>(selection.first), selection.second);
  send(window, id, EM_SCROLLCARET);  // a multi-line edit scrolls only when asked
}

std::pair<int, int> Win32NativeDialogs::caret(NativeWindow window, int id) {
  DWORD start = 0, end = 0;
  send(window, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

void Win32NativeDialogs::list_clear(ListKind kind, NativeWindow window, int id) {
  send(window, id, messages_of(kind).reset);
}

void Win32NativeDialogs::list_add(ListKind kind, NativeWindow window, int id, std::string_view item_text) {
  const std::string z(item_text);
  send(window, id, messages_of(kind).add, 0, reinterpret_cast<LPARAM>(z.c_str()));
}

int Win32NativeDialogs::list_count(ListKind kind, NativeWindow window, int id) {
  const LRESULT count = send(window, id, messages_of(kind).count);
  return count > 0 ? static_cast<int>(count) : 0;
}

std::string Win32NativeDialogs::list_item(ListKind kind, NativeWindow window, int id, int index) {
  const ListMessages& m = messages_of(kind);
  const LRESULT length = send(window, id, m.text_length, static_cast<WPARAM>(index));
  if (length <= 0) return {};  // empty item, no such item (LB_ERR) or no such control
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = send(window, id, m.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void Win32NativeDialogs::list_select(ListKind kind, NativeWindow window, int id, int index) {
  send(window, id, messages_of(kind).set_current, static_cast<WPARAM>(index));
}

void Win32NativeDialogs::list_select_text(NativeWindow window, int id, std::string_view text) {
  const std::string z(text);
  send(window, id, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(z.c_str()));
}

void Win32NativeDialogs::list_set_selected(NativeWindow window, int id, int index, bool selected) {
  send(window, id, LB_SETSEL, selected ? TRUE : FALSE, index);
}

bool Win32NativeDialogs::list_selected(NativeWindow window, int id, int index) {
  return send(window, id, LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

int Win32NativeDialogs::list_current(NativeWindow window, int id) {
  if (item(window, id) == nullptr) return -1;
  return static_cast<int>(send(window, id, CB_GETCURSEL));
}

void Win32NativeDialogs::name_controls(NativeWindow window, std::span<const ControlName> names) {
  name_dialog_controls(hwnd_of(window), names);
}

}  // namespace korvel::win32
