// Files dropped on a window from the system's shell (WM_DROPFILES).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace korvel::win32 {

struct DroppedFiles {
  int control_id = 0;  // the edit box under the drop point, else 0
  std::vector<std::string> paths;
};

// Reads the drop (the HDROP of WM_DROPFILES) that `dialog` received and gives
// it back to the system.
// A path the process's code page can't hold is left out: a look-alike would
// name another file.
DroppedFiles take_dropped_files(HWND dialog, WPARAM drop);

}  // namespace korvel::win32
