// The windows of the "Welcome" class: the welcome (splash) window shown while
// the Launcher starts, and the About windows, painted alike.
#pragma once

#include <string_view>

#include "platform/native_ui.h"

namespace korvel {

struct LauncherState;

inline constexpr std::string_view welcome_title = "KORVEL 2020 ";
inline constexpr std::string_view copyright_notice =
    "Copyright (C) 1996-2020 The KORVEL Authors. All rights reserved.";
inline constexpr std::string_view welcome_warning =
    "Warning: this program is protected by copyright law and international treaties. Copying or distributing it, "
    "in whole or in part, without its authors' written permission is prohibited and will be prosecuted.";

inline constexpr unsigned splash_timer = 1;
inline constexpr unsigned splash_milliseconds = 4000;

// Paints a window of the class: icon, title, field lines, copyright line with
// its rule, and the warning, in device pixels from the canvas's resolution.
void paint_welcome(Canvas& canvas, IconHandle icon);

// The splash window is shown normally when the entry routine was asked to
// hide or minimise it: nothing else could end the start-up's wait for it.
int splash_show_command(int show_command);

// The window procedure's decisions for every window of the class.
class WelcomeWindows final : public WelcomeEvents {
 public:
  explicit WelcomeWindows(LauncherState& state) : state_(state) {}
  void welcome_paint(NativeWindow window, Canvas& canvas) override;
  void welcome_painted(NativeWindow window) override;
  void welcome_timer(NativeWindow window) override;
  void welcome_clicked(NativeWindow window) override;
  void welcome_closing(NativeWindow window) override;

 private:
  LauncherState& state_;
};

// Start-up: registers the class and shows the splash window; false when the
// class or the window can't be made.
bool show_splash(LauncherState& state, int show_command);
// Serves the splash window alone until it has ended.
void run_splash_loop(LauncherState& state);

}  // namespace korvel
