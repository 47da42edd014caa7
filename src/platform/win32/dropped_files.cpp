#include "platform/win32/dropped_files.h"

// After <windows.h>, which it needs.
#include <shellapi.h>

#include "platform/win32/code_pages.h"
#include "platform/win32/native_message.h"
#include "platform/win32/system_library.h"

namespace korvel::win32 {

namespace {

// The shell's drop calls, loaded at the first drop: importing them would load
// the shell and its dependencies at every start.
struct DropCalls {
  using Query = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
  using Point = BOOL(WINAPI*)(HDROP, POINT*);
  using Finish = void(WINAPI*)(HDROP);
  Query query = system_function_as<Query>("shell32.dll", "DragQueryFileW");
  Point point = system_function_as<Point>("shell32.dll", "DragQueryPoint");
  Finish finish = system_function_as<Finish>("shell32.dll", "DragFinish");
};

// The drop's memory is the receiver's to free, whatever happens while it is read.
struct DropOwner {
  HDROP drop;
  DropCalls::Finish finish;
  ~DropOwner() {
    if (finish) finish(drop);
  }
};

// An edit box only: a group box drawn around a field lies over it in the
// window order, so the first child under the point is not the one the user sees.
int edit_under(HWND dialog, POINT point) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;  // its own style: the dialog may be hidden
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (PtInRect(&rect, point) && is_edit_box(child))
      return GetDlgCtrlID(child);
  }
  return 0;
}

}  // namespace

DroppedFiles take_dropped_files(HWND dialog, WPARAM message_parameter) {
  const auto drop = reinterpret_cast<HDROP>(message_parameter);
  static const DropCalls calls;
  const DropOwner owner{drop, calls.finish};
  DroppedFiles dropped;
  if (!calls.query || !calls.point) return dropped;
  POINT point{};
  if (calls.point(drop, &point)) dropped.control_id = edit_under(dialog, point);
  const UINT count = calls.query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(calls.query(drop, i, nullptr, 0), L'\0');
    if (path.empty() || calls.query(drop, i, path.data(), static_cast<UINT>(path.size() + 1)) != path.size())
      continue;
    if (std::optional<std::string> bytes = narrow_exactly(path)) dropped.paths.push_back(std::move(*bytes));
  }
  return dropped;
}

}  // namespace korvel::win32
