// Painting on a device context for the core's drawing steps. Fonts made here
// belong to the canvas: ending it puts the context's own font back and
// releases them.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/native_ui.h"
#include "platform/win32/owned_handles.h"

namespace korvel::win32 {

class Win32Canvas final : public Canvas {
 public:
  // `rule_pen` draws the rules; none takes the stock black pen. `window`, when
  // given, is the one painted: its DPI and client area are the canvas's, else
  // the context's. Neither the context, the pen nor the window is owned.
  explicit Win32Canvas(HDC dc, HPEN rule_pen = nullptr, HWND window = nullptr);
  ~Win32Canvas() override;
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  int pixels_per_inch_x() override;
  int pixels_per_inch_y() override;
  void draw_icon(int x, int y, IconHandle icon) override;
  bool select_font(int height, int weight, bool italic, std::string_view face) override;
  void select_default_font() override;
  int line_height() override;
  int text_width(std::string_view text) override;
  void set_text_colour(std::uint32_t rgb) override;
  void draw_text(int x, int y, std::string_view text) override;
  void draw_rule(int x1, int x2, int y) override;
  void draw_wrapped(const Rect& rect, std::string_view text) override;
  int client_width() override;
  void set_system_colours() override;

 private:
  HDC dc_;
  HPEN rule_pen_;
  HGDIOBJ original_font_;
  HWND window_;
  int dpi_x_, dpi_y_;
  bool system_colours_ = false;
  std::vector<OwnedFont> fonts_;  // freed after the destructor has put the original back
};

}  // namespace korvel::win32
