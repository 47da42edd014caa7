// How every program is started: the start-up information and the flags that
// CreateProcessA is given, made in one place so that a test can look at them.
#pragma once

#include <windows.h>

namespace korvel::win32 {

struct ProcessStart {
  STARTUPINFOA startup;
  BOOL inherit_handles;
  DWORD creation_flags;
};

// Every start-up field zero but its size and the show value SW_SHOWDEFAULT,
// with no start-up flags; handles not inherited; no creation flags.
inline ProcessStart process_start() {
  ProcessStart start;
  ZeroMemory(&start.startup, sizeof start.startup);
  start.startup.cb = sizeof start.startup;
  start.startup.wShowWindow = SW_SHOWDEFAULT;
  start.inherit_handles = FALSE;
  start.creation_flags = 0;
  return start;
}

}  // namespace korvel::win32
