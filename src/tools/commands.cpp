#include "tools/commands.h"

namespace korvel {

// Starting programs is not wired yet; the routine keeps the buttons from ending the dialog.
void on_command(LauncherState&, DialogRecord&, int, int) {}

void on_post_enable(LauncherState&, DialogRecord& dialog, int, int) {
  bool checked = false;
  DLGREADLOG(dialog, 1013, checked, DLGIDX_STATE);
  for (int id : post_processor_buttons) DLGPUTLOG(dialog, id, checked);
}

}  // namespace korvel
