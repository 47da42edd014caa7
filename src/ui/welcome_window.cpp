#include "ui/welcome_window.h"

#include <algorithm>
#include <utility>

#include "ui/window_placement.h"

namespace korvel {

namespace {

constexpr std::uint32_t red = 0x000000FF;  // RGB(255, 0, 0)
constexpr std::uint32_t black = 0x00000000;

// The height of a font of that many points, as Windows' MulDiv rounds it.
int font_height(int points, int pixels_per_inch) {
  const long long product = static_cast<long long>(points) * pixels_per_inch;
  return -static_cast<int>((product + 36) / 72);
}

// Lines are drawn from fixed-width fields, trailing blanks and all.
void draw_field(Canvas& canvas, int x, int y, std::string_view text) { canvas.draw_text(x, y, MessageText(text).padded()); }

}  // namespace

void paint_welcome(Canvas& canvas, IconHandle icon, bool high_contrast) {
  const int X = canvas.pixels_per_inch_x();
  const int Y = canvas.pixels_per_inch_y();
  const int a = X / 8;
  const int b = Y / 8;
  const int c = X / 4;
  // In high contrast every text and the rule take the system's colours.
  if (high_contrast) canvas.set_system_colours();
  const auto colour = [&](std::uint32_t rgb) {
    if (!high_contrast) canvas.set_text_colour(rgb);
  };

  canvas.draw_icon(a, b, icon);

  canvas.select_font(font_height(14, Y), 600, true, "TmsRoman");
  colour(red);
  const int x0 = c + 2 * a;
  const int y0 = static_cast<int>(static_cast<float>(b) * 1.5f);
  canvas.draw_text(x0, y0, welcome_title);

  const int y1 = y0 + canvas.line_height();
  canvas.select_default_font();
  colour(black);
  draw_field(canvas, x0, y1, "For Windows");

  colour(red);
  const int L = canvas.line_height();
  canvas.draw_text(c, y1 + L, "  ");
  draw_field(canvas, x0, y1 + 2 * L, "Non-Linear Dynamic Analysis of");
  draw_field(canvas, x0, y1 + 3 * L, "Pin-Jointed Bar and Cable Structures ");
  canvas.draw_text(c, y1 + 4 * L, "  ");

  colour(black);
  const MessageText copyright(copyright_notice);
  draw_field(canvas, a, y1 + 6 * L, copyright.padded());

  // The rule is as wide as 58 characters of the padded line, not its visible text.
  const int y7 = y1 + 7 * L;
  canvas.draw_rule(a, a + canvas.text_width(std::string_view(copyright.padded()).substr(0, 58)), y7);

  colour(black);
  canvas.select_font(font_height(9, Y), 400, false, "Arial");
  canvas.draw_wrapped(warning_rect(a, y7 + Y / 4, X, Y, canvas.client_width()),
                      FixedText<300>(welcome_warning).padded());
}

Rect warning_rect(int left, int top, int pixels_per_inch_x, int pixels_per_inch_y, int client_width) {
  // Five inches wide where the window holds them, else as far as the window's
  // right edge less the left margin: at a higher DPI the window, a share of
  // the desktop, no longer holds five inches.
  const int right = std::min(left + 5 * pixels_per_inch_x, std::max(left + 1, client_width - left));
  return Rect{left, top, right, top + pixels_per_inch_y};
}

int splash_show_command(int show_command) {
  return hides_or_minimises(show_command) ? show_normally : show_command;
}

void WelcomeWindows::welcome_paint(NativeWindow, Canvas& canvas) {
  paint_welcome(canvas, icons_.korvel(), platform_.windows.high_contrast());
}

void WelcomeWindows::welcome_painted(NativeWindow) {
  if (!splash_.finished && sound_on_) platform_.sound.play(path_in(dirs_.wav_directory, "KorvelWelcome.wav"));
  // Always the start-up window's timer: an About window never times out.
  platform_.windows.set_timer(splash_.window, splash_timer, splash_milliseconds);
}

void WelcomeWindows::welcome_timer(NativeWindow) {
  platform_.windows.destroy_window(splash_.window);
  splash_.finished = true;
}

void WelcomeWindows::welcome_clicked(NativeWindow window) {
  platform_.windows.destroy_window(window);
  splash_.about_windows.erase(window);
  splash_.finished = true;
}

void WelcomeWindows::welcome_closing(NativeWindow window) {
  splash_.about_windows.erase(window);
  splash_.finished = true;
}

bool show_splash(Windows& windows, WelcomeEvents& events, IconHandle icon, Splash& splash, int show_command) {
  if (!windows.register_welcome_class(icon, events)) return false;
  const Rect desktop = windows.desktop_rect();
  splash.width = static_cast<int>(static_cast<float>(desktop.right) / 2.5f);
  splash.height = static_cast<int>(static_cast<float>(desktop.bottom) / 2.5f);
  splash.window = windows.create_welcome_window("Welcome", centred_window(desktop, splash.width, splash.height));
  if (!splash.window) return false;
  windows.show(splash.window, splash_show_command(show_command));
  splash.finished = false;
  return true;
}

void run_splash_loop(Windows& windows, const Splash& splash) {
  NativeMessage message;
  while (!splash.finished && windows.next_message_for(splash.window, message)) windows.translate_and_dispatch(message);
}

void close_about_windows(Windows& windows, Splash& splash) {
  for (const NativeWindow window : std::exchange(splash.about_windows, {})) windows.destroy_window(window);
}

}  // namespace korvel
