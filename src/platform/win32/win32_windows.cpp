#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/callback_guard.h"
#include "platform/win32/dpi.h"
#include "platform/win32/native_message.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/win32_canvas.h"

namespace korvel::win32 {

namespace {

// What input_colour_proc needs for one dialog, kept in a window property from
// colour_fields until the window's last message, which frees it.
struct FieldColours {
  DLGPROC previous = nullptr;
  OwnedBrush brush;  // one for the dialog's life, not one per paint
  COLORREF rgb = 0;
  std::vector<int> edits, lists;
};

constexpr char field_colours_property[] = "Korvel.FieldColours";

FieldColours* field_colours_of(HWND dialog) {
  return static_cast<FieldColours*>(GetPropA(dialog, field_colours_property));
}

bool listed(const std::vector<int>& ids, HWND dialog, HWND control) {
  const int id = GetDlgCtrlID(control);
  // A drop-down list's pop-up list is no child of the dialog, whatever its id.
  return GetDlgItem(dialog, id) == control && std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Put in front of a dialog's own procedure: paints the listed edits and list
// boxes and passes everything else on, the dialog's and the static texts'
// backgrounds included, so those keep the system's look.
INT_PTR input_colour_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  FieldColours* colours = field_colours_of(hwnd);
  if (colours == nullptr) return FALSE;

  if ((message == WM_CTLCOLOREDIT && listed(colours->edits, hwnd, reinterpret_cast<HWND>(lparam))) ||
      (message == WM_CTLCOLORLISTBOX && listed(colours->lists, hwnd, reinterpret_cast<HWND>(lparam)))) {
    SetBkColor(reinterpret_cast<HDC>(wparam), colours->rgb);
    return reinterpret_cast<INT_PTR>(colours->brush.get());
  }

  // Taken back from the window before the dialog's own procedure sees its last
  // message: freed however that returns.
  std::unique_ptr<FieldColours> last;
  if (message == WM_NCDESTROY) last.reset(static_cast<FieldColours*>(RemovePropA(hwnd, field_colours_property)));
  return CallWindowProcA(reinterpret_cast<WNDPROC>(colours->previous), hwnd, message, wparam, lparam);
}

INT_PTR CALLBACK input_colour_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded<INT_PTR>(FALSE, [&] { return input_colour_message(hwnd, message, wparam, lparam); });
}

// Puts the colours in front of the dialog's own procedure; the window owns them
// from then on. On failure the dialog stays as it was and they are freed.
bool hand_to_dialog(HWND dialog, std::unique_ptr<FieldColours> colours) {
  if (!SetPropA(dialog, field_colours_property, colours.get())) return false;
  SetLastError(0);
  colours->previous =
      reinterpret_cast<DLGPROC>(SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(input_colour_proc)));
  if (colours->previous == nullptr && GetLastError() != 0) {
    RemovePropA(dialog, field_colours_property);
    return false;
  }
  colours.release();
  return true;
}

constexpr char welcome_class[] = "Welcome";
constexpr char rule_pen_property[] = "Korvel.RulePen";

// Whom the windows of the "Welcome" class report to: one class per process.
WelcomeEvents* welcome_events = nullptr;

// A callback may destroy the window: nothing touches it after the last call.
LRESULT welcome_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const NativeWindow window = window_of(hwnd);
  switch (message) {
    case WM_CREATE: {
      // Each window has a pen of its own for its rules, from creation to its last message.
      auto pen = std::make_unique<OwnedPen>(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
      if (SetPropA(hwnd, rule_pen_property, pen.get())) pen.release();  // else the canvas's stock pen
      return 0;
    }
    case WM_PAINT: {
      {
        const Painting painting(hwnd);  // ended also when the paint throws
        const auto* pen = static_cast<const OwnedPen*>(GetPropA(hwnd, rule_pen_property));
        Win32Canvas canvas(painting.dc(), pen != nullptr ? pen->get() : nullptr, hwnd);
        welcome_events->welcome_paint(window, canvas);
      }  // the canvas's fonts go before the painting ends
      welcome_events->welcome_painted(window);
      return 0;
    }
    case WM_TIMER:
      welcome_events->welcome_timer(window);
      return 0;
    case WM_LBUTTONDOWN:
      welcome_events->welcome_clicked(window);
      return 0;
    case WM_KEYDOWN:
      // Escape closes the window as its close box does.
      if (wparam == VK_ESCAPE) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wparam, lparam);
    case WM_CLOSE:
      welcome_events->welcome_closing(window);
      return DefWindowProcA(hwnd, message, wparam, lparam);  // destroys the window
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: the size the system suggests there,
      // then a paint at the new DPI (the class redraws on a new size).
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case WM_NCDESTROY: {
      const std::unique_ptr<OwnedPen> pen(static_cast<OwnedPen*>(RemovePropA(hwnd, rule_pen_property)));
      return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

// A paint that threw has validated its window already (BeginPaint), so it
// does not come back at once.
LRESULT CALLBACK welcome_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded<LRESULT>(0, [&] { return welcome_message(hwnd, message, wparam, lparam); });
}

}  // namespace

bool Win32Windows::register_welcome_class(IconHandle icon, WelcomeEvents& events) {
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = welcome_proc;
  window_class.cbClsExtra = 0;
  window_class.cbWndExtra = 0;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hIcon = reinterpret_cast<HICON>(icon);
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszMenuName = nullptr;
  window_class.lpszClassName = welcome_class;
  // A failed registration leaves the windows already made with their events.
  if (RegisterClassA(&window_class) == 0) return false;
  welcome_events = &events;
  return true;
}

NativeWindow Win32Windows::create_welcome_window(std::string_view title, const Rect& bounds) {
  const std::string text(title);
  const HWND hwnd = CreateWindowExA(0, welcome_class, text.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, bounds.left,
                                    bounds.top, bounds.width(), bounds.height(), nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  rethrow_parked();
  return window_of(hwnd);
}

// Showing and destroying a window moves the activation: other windows' procedures run.
void Win32Windows::show(NativeWindow window, int show_command) {
  ShowWindow(hwnd_of(window), show_command);
  rethrow_parked();
}

void Win32Windows::set_timer(NativeWindow window, unsigned id, unsigned milliseconds) {
  // A window that is gone gets no timer, and no error is raised.
  SetTimer(hwnd_of(window), id, milliseconds, nullptr);
}

void Win32Windows::destroy_window(NativeWindow window) {
  DestroyWindow(hwnd_of(window));
  rethrow_parked();
}

bool Win32Windows::next_message_for(NativeWindow window, NativeMessage& message) {
  MSG msg{};
  const BOOL got = GetMessageA(&msg, hwnd_of(window), 0, 0);
  rethrow_parked();  // its quit message ended the wait
  store_message(message, msg);
  return got != 0 && got != -1;  // -1 at once for a window that no longer exists
}

IconHandle Win32Windows::load_icon(const IconRequest& request) {
  if (icons_ahead_)
    if (const std::optional<HICON> icon = icons_ahead_->take(request)) return reinterpret_cast<IconHandle>(*icon);
  return reinterpret_cast<IconHandle>(load_icon_file(request));
}

void Win32Windows::destroy_icon(IconHandle icon) { OwnedIcon(reinterpret_cast<HICON>(icon)).reset(); }

void Win32Windows::load_icons_ahead(std::vector<IconRequest> requests) {
  icons_ahead_.reset();  // a batch before it: waited for, what it kept released
  icons_ahead_ = std::make_unique<IconsAhead>(std::move(requests));
}

Rect Win32Windows::desktop_rect() {
  RECT r{};
  GetWindowRect(GetDesktopWindow(), &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Windows::set_small_icon(NativeWindow window, IconHandle icon) {
  SendMessageA(hwnd_of(window), WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
}

void Win32Windows::set_button_image(NativeWindow dialog, int id, IconHandle icon) {
  SendDlgItemMessageA(hwnd_of(dialog), id, BM_SETIMAGE, IMAGE_ICON, static_cast<LPARAM>(icon));
}

void Win32Windows::colour_fields(NativeWindow dialog, std::span<const int> edit_ids, std::span<const int> list_ids,
                                 std::uint32_t rgb) {
  HWND hwnd = hwnd_of(dialog);
  if (!IsWindow(hwnd)) return;
  // Asked again: new colour and fields, the same procedure in front.
  FieldColours* colours = field_colours_of(hwnd);
  std::unique_ptr<FieldColours> made;
  if (colours == nullptr) colours = (made = std::make_unique<FieldColours>()).get();
  colours->rgb = static_cast<COLORREF>(rgb);
  colours->brush.reset(CreateSolidBrush(colours->rgb));
  colours->edits.assign(edit_ids.begin(), edit_ids.end());
  colours->lists.assign(list_ids.begin(), list_ids.end());
  if (made && !hand_to_dialog(hwnd, std::move(made))) return;
  // Fields already on the screen take the colour at once.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

NativeWindow Win32Windows::control(NativeWindow dialog, int id) { return window_of(GetDlgItem(hwnd_of(dialog), id)); }

bool Win32Windows::next_message(NativeMessage& message) {
  MSG msg{};
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  rethrow_parked();  // its quit message ended the wait
  store_message(message, msg);
  return got != 0 && got != -1;  // 0: the quit message; -1: an error, which ends the loop too
}

int Win32Windows::quit_code(const NativeMessage& message) { return static_cast<int>(message_of(message).wParam); }

void Win32Windows::translate_and_dispatch(const NativeMessage& message) {
  const MSG msg = message_of(message);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  rethrow_parked();
}

void Win32Windows::post_quit(int exit_code) { PostQuitMessage(exit_code); }

int Win32Windows::dpi(NativeWindow window) { return dpi_of(hwnd_of(window)); }

void Win32Windows::set_big_icon(NativeWindow window, IconHandle icon) {
  SendMessageA(hwnd_of(window), WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
}

bool Win32Windows::high_contrast() { return high_contrast_on(); }

}  // namespace korvel::win32
