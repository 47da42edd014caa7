#include "ui/about_window.h"

namespace korvel {

// The About window comes with the welcome window it shares its painting with.
void on_about(LauncherState&, DialogRecord&, int, int) {}

}  // namespace korvel
