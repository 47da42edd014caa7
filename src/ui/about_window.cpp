#include "ui/about_window.h"

#include "startup/main_dialog.h"

namespace korvel {

// One more window of the welcome class per click, centred, silent and never
// timed out; the main loop serves it.
void on_about(LauncherState& s, DialogRecord&, int, int) {
  Windows& windows = s.platform.windows;
  const NativeWindow about = windows.create_welcome_window("About KORVEL", s.splash_width, s.splash_height);
  if (!about) return;
  centre_on_desktop(windows, about);
  windows.show(about, show_window);
}

}  // namespace korvel
