#include "ui/welcome_window.h"

#include "startup/launcher_state.h"
#include "startup/main_dialog.h"

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

void paint_welcome(Canvas& canvas, IconHandle icon) {
  const int X = canvas.pixels_per_inch_x();
  const int Y = canvas.pixels_per_inch_y();
  const int a = X / 8;
  const int b = Y / 8;
  const int c = X / 4;

  canvas.draw_icon(a, b, icon);

  canvas.select_font(font_height(14, Y), 600, true, "TmsRoman");
  canvas.set_text_colour(red);
  const int x0 = c + 2 * a;
  const int y0 = static_cast<int>(static_cast<float>(b) * 1.5f);
  canvas.draw_text(x0, y0, welcome_title);

  const int y1 = y0 + canvas.line_height();
  canvas.select_default_font();
  canvas.set_text_colour(black);
  draw_field(canvas, x0, y1, "For Windows");

  canvas.set_text_colour(red);
  const int L = canvas.line_height();
  canvas.draw_text(c, y1 + L, "  ");
  draw_field(canvas, x0, y1 + 2 * L, "Non-Linear Dynamic Analysis of");
  draw_field(canvas, x0, y1 + 3 * L, "Pin-Jointed Bar and Cable Structures ");
  canvas.draw_text(c, y1 + 4 * L, "  ");

  canvas.set_text_colour(black);
  const MessageText copyright(copyright_notice);
  draw_field(canvas, a, y1 + 6 * L, copyright.padded());

  // The rule is as wide as 58 characters of the padded line, not its visible text.
  const int y7 = y1 + 7 * L;
  canvas.draw_rule(a, a + canvas.text_width(std::string_view(copyright.padded()).substr(0, 58)), y7);

  const Rect warning{a, y7 + Y / 4, a + 5 * X, y7 + Y / 4 + Y};
  canvas.set_text_colour(black);
  canvas.select_font(font_height(9, Y), 400, false, "Arial");
  canvas.draw_wrapped(warning, FixedText<300>(welcome_warning).padded());
}

int splash_show_command(int show_command) {
  switch (show_command) {
    case 0:   // SW_HIDE
    case 2:   // SW_SHOWMINIMIZED
    case 6:   // SW_MINIMIZE
    case 7:   // SW_SHOWMINNOACTIVE
    case 11:  // SW_FORCEMINIMIZE
      return show_normally;
    default:
      return show_command;
  }
}

void WelcomeWindows::welcome_paint(NativeWindow, Canvas& canvas) { paint_welcome(canvas, state_.icons.korvel()); }

void WelcomeWindows::welcome_painted(NativeWindow) {
  if (!state_.splash_finished && state_.sound_on)
    state_.platform.sound.play(path_in(state_.directories.wav_directory, "KorvelWelcome.wav"));
  // Always the start-up window's timer: an About window never times out.
  state_.platform.windows.set_timer(state_.splash_window, splash_timer, splash_milliseconds);
}

void WelcomeWindows::welcome_timer(NativeWindow) {
  state_.platform.windows.destroy_window(state_.splash_window);
  state_.splash_finished = true;
}

void WelcomeWindows::welcome_clicked(NativeWindow window) {
  state_.platform.windows.destroy_window(window);
  state_.splash_finished = true;
}

void WelcomeWindows::welcome_closing(NativeWindow) { state_.splash_finished = true; }

bool show_splash(LauncherState& s, int show_command) {
  Windows& windows = s.platform.windows;
  if (!windows.register_welcome_class(s.icons.korvel(), s.welcome_windows)) return false;
  const Rect desktop = windows.desktop_rect();
  s.splash_width = static_cast<int>(static_cast<float>(desktop.right) / 2.5f);
  s.splash_height = static_cast<int>(static_cast<float>(desktop.bottom) / 2.5f);
  s.splash_window = windows.create_welcome_window("Welcome", s.splash_width, s.splash_height);
  if (!s.splash_window) return false;
  centre_on_desktop(windows, s.splash_window);
  windows.show(s.splash_window, splash_show_command(show_command));
  s.splash_finished = false;
  return true;
}

void run_splash_loop(LauncherState& s) {
  Windows& windows = s.platform.windows;
  NativeMessage message;
  while (!s.splash_finished && windows.next_message_for(s.splash_window, message))
    windows.translate_and_dispatch(message);
}

}  // namespace korvel
