#include "ui/about_window.h"

#include "ui/window_placement.h"

namespace korvel {

// One more window of the welcome class per click, centred, silent and never
// timed out; the main loop serves it.
void on_about(Windows& windows, Splash& splash) {
  const NativeWindow about =
      windows.create_welcome_window("About KORVEL", centred_window(windows.desktop_rect(), splash.width, splash.height));
  if (!about) return;
  splash.about_windows.insert(about);
  windows.show(about, show_window);
}

}  // namespace korvel
