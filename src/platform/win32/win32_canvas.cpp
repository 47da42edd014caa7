#include "platform/win32/win32_canvas.h"

#include <string>
#include <utility>

#include "platform/win32/dpi.h"

namespace korvel::win32 {

namespace {

int length_of(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

Win32Canvas::Win32Canvas(HDC dc, HPEN rule_pen, HWND window)
    : dc_(dc),
      rule_pen_(rule_pen != nullptr ? rule_pen : static_cast<HPEN>(GetStockObject(BLACK_PEN))),
      original_font_(GetCurrentObject(dc, OBJ_FONT)),
      window_(window) {
  // A per-monitor aware window's context answers the system's DPI, not the one
  // of the monitor the window is on.
  dpi_x_ = window != nullptr ? dpi_of(window) : GetDeviceCaps(dc, LOGPIXELSX);
  dpi_y_ = window != nullptr ? dpi_x_ : GetDeviceCaps(dc, LOGPIXELSY);
}

Win32Canvas::~Win32Canvas() {
  // A font still selected can't be deleted.
  SelectObject(dc_, original_font_);
}

int Win32Canvas::pixels_per_inch_x() { return dpi_x_; }

int Win32Canvas::pixels_per_inch_y() { return dpi_y_; }

void Win32Canvas::draw_icon(int x, int y, IconHandle icon) {
  // Width and height 0 without DI_DEFAULTSIZE: the icon's own size.
  DrawIconEx(dc_, x, y, reinterpret_cast<HICON>(icon), 0, 0, 0, nullptr, DI_NORMAL);
}

bool Win32Canvas::select_font(int height, int weight, bool italic, std::string_view face) {
  const std::string name(face);
  OwnedFont font(CreateFontA(height, 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             name.c_str()));
  if (!font) return false;
  fonts_.push_back(std::move(font));  // owned before it is selected
  SelectObject(dc_, fonts_.back().get());
  return true;
}

void Win32Canvas::select_default_font() { SelectObject(dc_, original_font_); }

int Win32Canvas::line_height() {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc_, &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading;
}

int Win32Canvas::text_width(std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), length_of(text), &size);
  return size.cx;
}

void Win32Canvas::set_text_colour(std::uint32_t rgb) { SetTextColor(dc_, static_cast<COLORREF>(rgb)); }

void Win32Canvas::draw_text(int x, int y, std::string_view text) { TextOutA(dc_, x, y, text.data(), length_of(text)); }

void Win32Canvas::draw_rule(int x1, int x2, int y) {
  HGDIOBJ pen = rule_pen_;
  if (system_colours_) {
    // The context's own pen, in a colour set now: nothing to make or free.
    pen = GetStockObject(DC_PEN);
    SetDCPenColor(dc_, GetSysColor(COLOR_WINDOWTEXT));
  }
  HGDIOBJ previous = SelectObject(dc_, pen);
  MoveToEx(dc_, x1, y, nullptr);
  LineTo(dc_, x2, y);
  SelectObject(dc_, previous);
}

void Win32Canvas::draw_wrapped(const Rect& rect, std::string_view text) {
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  DrawTextA(dc_, text.data(), length_of(text), &r, DT_WORDBREAK | DT_NOCLIP | DT_EXTERNALLEADING | DT_NOPREFIX);
}

int Win32Canvas::client_width() {
  RECT r{};
  if (window_ != nullptr && GetClientRect(window_, &r)) return r.right - r.left;
  return GetDeviceCaps(dc_, HORZRES);
}

void Win32Canvas::set_system_colours() {
  system_colours_ = true;
  SetTextColor(dc_, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc_, GetSysColor(COLOR_WINDOW));  // the text's opaque background
}

}  // namespace korvel::win32
