#include "platform/win32/dropped_files.h"

#include <cwchar>

#include "platform/win32/code_pages.h"

namespace korvel::win32 {

namespace {

// The drop's memory is the receiver's to free, whatever happens while it is read.
struct DropOwner {
  HDROP drop;
  ~DropOwner() { DragFinish(drop); }
};

// An edit box only: a group box drawn around a field lies over it in the
// window order, so the first child under the point is not the one the user sees.
int edit_under(HWND dialog, POINT point) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;  // its own style: the dialog may be hidden
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t class_name[8] = {};
    if (PtInRect(&rect, point) && GetClassNameW(child, class_name, 8) && _wcsicmp(class_name, L"Edit") == 0)
      return GetDlgCtrlID(child);
  }
  return 0;
}

}  // namespace

DroppedFiles take_dropped_files(HWND dialog, HDROP drop) {
  const DropOwner owner{drop};
  DroppedFiles dropped;
  POINT point{};
  if (DragQueryPoint(drop, &point)) dropped.control_id = edit_under(dialog, point);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    if (path.empty() || DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1)) != path.size())
      continue;
    if (std::optional<std::string> bytes = narrow_exactly(path)) dropped.paths.push_back(std::move(*bytes));
  }
  return dropped;
}

}  // namespace korvel::win32
