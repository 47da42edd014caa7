#include "project/project_routines.h"

namespace korvel {

// The name fields, file choosing, the recent list and the File list are not
// wired yet: their routines are registered so that no click ends the dialog.
void on_name_changed(LauncherState&, DialogRecord&, int, int) {}
void on_select_file(LauncherState&, DialogRecord&, int, int) {}
void on_select_recent(LauncherState&, DialogRecord&, int, int) {}
void on_file_list(LauncherState&, DialogRecord&, int, int) {}

}  // namespace korvel
