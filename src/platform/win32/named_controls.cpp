#include "platform/win32/named_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/win32/accessible_name.h"
#include "platform/win32/callback_guard.h"
#include "platform/win32/system_library.h"

namespace korvel::win32 {

namespace {

// What a named control's procedure needs, from name_dialog_controls until the
// control's last message, which frees it.
struct NamedControl {
  WNDPROC previous = nullptr;
  std::string name;
  ControlTip tip = ControlTip::none;
  HWND tooltip = nullptr;  // the dialog's, destroyed with it
  std::string tip_text;    // what the tooltip holds for the control
  int line_height = 0;     // of a field's font; 0: to be measured
};

constexpr char tooltip_property[] = "Korvel.Tooltip";

// The named controls, by window. Not window properties: every message to a
// named control looks its entry up, and under Wine reading a property is a
// round trip to the server, which made each keystroke several milliseconds
// slower. Only the thread that makes the dialogs touches it.
std::unordered_map<HWND, std::unique_ptr<NamedControl>>& named_controls() {
  static std::unordered_map<HWND, std::unique_ptr<NamedControl>> controls;
  return controls;
}

NamedControl* named_control_of(HWND control) {
  const auto& controls = named_controls();
  const auto found = controls.find(control);
  return found != controls.end() ? found->second.get() : nullptr;
}

TOOLINFOA tool_of(HWND control, const std::string& text) {
  // The version 5 size: the comctl32 the Launcher runs with (no version 6 in
  // its manifest) refuses the larger structure.
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  // The control's procedure relays the mouse to the tooltip: the tooltip's own
  // subclassing finds its data in a window property at every message, which
  // under Wine is a round trip to the server.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  return tool;
}

// The height of a line of an edit's font; measured once per font, not at every keystroke.
int line_height_of(HWND edit) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(edit);
  if (dc == nullptr) return 0;
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return std::max<int>(0, metrics.tmHeight);
}

// Whether an edit shows only part of its text: more wrapped lines than its
// formatting rectangle holds.
bool text_is_cut(HWND edit, int line_height) {
  if (line_height <= 0 || GetWindowTextLengthA(edit) == 0) return false;
  const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
  RECT format{};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const LONG shown = std::max<LONG>(1, (format.bottom - format.top) / line_height);
  return lines > shown;
}

std::string window_text(HWND control) {
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(control, text.data(), length + 1))));
  return text;
}

// A field's tip: its whole text while the field shows only part of it, else none.
void refresh_field_tip(HWND control, NamedControl& named) {
  if (named.tip != ControlTip::whole_text_when_cut || named.tooltip == nullptr) return;
  if (named.line_height == 0) named.line_height = line_height_of(control);
  std::string text = text_is_cut(control, named.line_height) ? window_text(control) : std::string();
  if (text == named.tip_text) return;
  named.tip_text = std::move(text);
  TOOLINFOA tool = tool_of(control, named.tip_text);
  SendMessageA(named.tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// Messages after which an edit's text or its room may have changed.
bool may_change_text(UINT message) {
  switch (message) {
    case WM_SETTEXT:
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_SIZE:
    case WM_SETFONT:
      return true;
    default:
      return false;
  }
}

HWND show_tips(HWND dialog);

LRESULT named_control_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  NamedControl* named = named_control_of(hwnd);
  if (named == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  const WNDPROC previous = named->previous;

  // The dialog's tooltip is made when the pointer first comes over a control with a tip.
  if (named->tip != ControlTip::none && named->tooltip == nullptr && message == WM_MOUSEMOVE)
    show_tips(GetParent(hwnd));
  if (named->tooltip != nullptr && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
    MSG mouse{hwnd, message, wparam, lparam, 0, {}};
    SendMessageA(named->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
  }

  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lparam) == OBJID_CLIENT)
        if (const LRESULT answer = accessible_object_named(hwnd, wparam, named->name)) return answer;
      break;
    case WM_KEYDOWN:
      // F1 asks the dialog for help, whichever control has the focus; the
      // system's own F1 message is dropped so that it does not ask twice.
      if (wparam == VK_F1) {
        HELPINFO help{};
        help.cbSize = sizeof help;
        help.iContextType = HELPINFO_WINDOW;
        help.iCtrlId = GetDlgCtrlID(hwnd);
        help.hItemHandle = hwnd;
        GetCursorPos(&help.MousePos);
        SendMessageA(GetParent(hwnd), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        return 0;
      }
      break;
    case 0x004D:  // WM_KEYF1
      return 0;
    case WM_NCDESTROY: {
      const auto entry = named_controls().find(hwnd);
      const std::unique_ptr<NamedControl> last = std::move(entry->second);
      named_controls().erase(entry);
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      return CallWindowProcW(previous, hwnd, message, wparam, lparam);
    }
    default:
      break;
  }
  const LRESULT result = CallWindowProcW(previous, hwnd, message, wparam, lparam);
  if (may_change_text(message))
    if (NamedControl* still = named_control_of(hwnd)) {
      if (message == WM_SETFONT) still->line_height = 0;
      refresh_field_tip(hwnd, *still);
    }
  return result;
}

LRESULT CALLBACK named_control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded<LRESULT>(0, [&] { return named_control_message(hwnd, message, wparam, lparam); });
}

// The dialog's tooltip control, made on the first request; null when it can't be made.
HWND tooltip_of(HWND dialog) {
  if (auto existing = static_cast<HWND>(GetPropA(dialog, tooltip_property)); IsWindow(existing)) return existing;
  // The common controls are loaded here, not imported: loading them at every
  // start would slow the start for a tooltip.
  using InitCommonControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static const auto init = system_function_as<InitCommonControls>("comctl32.dll", "InitCommonControlsEx");
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  if (init == nullptr || !init(&classes)) return nullptr;
  HWND tooltip =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (tooltip == nullptr) return nullptr;
  SetPropA(dialog, tooltip_property, tooltip);
  return tooltip;
}

// Puts the name in front of the control's procedure; the control owns it from
// then on. A control named before keeps its procedure and takes the new name.
// The procedure is a wide one: a narrow one in front would pass a character
// typed as a wide WM_CHAR on as bytes, and the edit would lose one of several.
NamedControl* name_control(HWND control, const ControlName& name) {
  if (NamedControl* named = named_control_of(control)) {
    named->name = std::string(name.name);
    return named;
  }
  auto made = std::make_unique<NamedControl>();
  made->name = std::string(name.name);
  NamedControl* named = made.get();
  named_controls()[control] = std::move(made);
  SetLastError(0);
  named->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(named_control_proc)));
  if (named->previous == nullptr && GetLastError() != 0) {
    named_controls().erase(control);
    return nullptr;
  }
  return named;
}

// Gives the dialog's controls that have a tip their tools in the dialog's
// tooltip, made now; the tooltip, or null when it can't be made.
HWND show_tips(HWND dialog) {
  HWND tooltip = tooltip_of(dialog);
  if (tooltip == nullptr) return nullptr;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    NamedControl* named = named_control_of(control);
    if (named == nullptr || named->tip == ControlTip::none || named->tooltip != nullptr) continue;
    named->tooltip = tooltip;
    TOOLINFOA tool = tool_of(control, named->tip_text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    refresh_field_tip(control, *named);
  }
  return tooltip;
}

}  // namespace

// The tooltip waits for the pointer: made with the dialog it would load the
// common controls and cost every start the time of a tooltip nobody sees yet.
void name_dialog_controls(HWND dialog, std::span<const ControlName> names) {
  for (const ControlName& name : names) {
    HWND control = GetDlgItem(dialog, name.id);
    if (control == nullptr) continue;
    NamedControl* named = name_control(control, name);
    if (named == nullptr || name.tip == ControlTip::none || named->tip != ControlTip::none) continue;
    named->tip = name.tip;
    named->tip_text = name.tip == ControlTip::name ? named->name : std::string();
  }
}

}  // namespace korvel::win32
