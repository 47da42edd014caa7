// The windows of the "Welcome" class: the welcome (splash) window shown while
// the Launcher starts, and the About windows, painted alike.
#pragma once

#include <set>
#include <string_view>

#include "common/directories.h"
#include "platform/platform.h"
#include "ui/icons.h"

namespace korvel {

inline constexpr std::string_view welcome_title = "KORVEL 2020 ";
inline constexpr std::string_view copyright_notice =
    "Copyright (C) 1996-2020 The KORVEL Authors. All rights reserved.";
inline constexpr std::string_view welcome_warning =
    "Warning: this program is protected by copyright law and international treaties. Copying or distributing it, "
    "in whole or in part, without its authors' written permission is prohibited and will be prosecuted.";

inline constexpr unsigned splash_timer = 1;
inline constexpr unsigned splash_milliseconds = 4000;

// Paints a window of the class: icon, title, field lines, copyright line with
// its rule, and the warning, in device pixels from the canvas's resolution;
// in high contrast, in the system's colours instead of red and black.
void paint_welcome(Canvas& canvas, IconHandle icon, bool high_contrast = false);
// The warning's rectangle: five inches wide, one high, narrowed to the client
// area when that is narrower.
Rect warning_rect(int left, int top, int pixels_per_inch_x, int pixels_per_inch_y, int client_width);

// The splash window is shown normally when the entry routine was asked to
// hide or minimise it: nothing else could end the start-up's wait for it.
int splash_show_command(int show_command);

// The start-up window, named for the whole run, and the size every window of
// the class gets.
struct Splash {
  NativeWindow window = 0;
  bool finished = false;
  int width = 0;  // desktop / 2.5, also the About window's size
  int height = 0;
  std::set<NativeWindow> about_windows;  // open now: they draw the application icon
};

// The ui module's state for the run.
struct UiState {
  Icons icons;
  Splash splash;
};

// The window procedure's decisions for every window of the class.
class WelcomeWindows final : public WelcomeEvents {
 public:
  WelcomeWindows(Platform& platform, const Directories& dirs, const Icons& icons, const bool& sound_on, Splash& splash)
      : platform_(platform), dirs_(dirs), icons_(icons), sound_on_(sound_on), splash_(splash) {}
  void welcome_paint(NativeWindow window, Canvas& canvas) override;
  void welcome_painted(NativeWindow window) override;
  void welcome_timer(NativeWindow window) override;
  void welcome_clicked(NativeWindow window) override;
  void welcome_closing(NativeWindow window) override;

 private:
  Platform& platform_;
  const Directories& dirs_;
  const Icons& icons_;
  const bool& sound_on_;  // the sound switch as it stands when a window paints
  Splash& splash_;
};

// Start-up: registers the class and shows the splash window; false when the
// class or the window can't be made.
bool show_splash(Windows& windows, WelcomeEvents& events, IconHandle icon, Splash& splash, int show_command);
// Serves the splash window alone until it has ended.
void run_splash_loop(Windows& windows, const Splash& splash);
// At the end of the run: the About windows the user left open go before the
// icon they show.
void close_about_windows(Windows& windows, Splash& splash);

}  // namespace korvel
