// Functions of system DLLs that the Launcher needs only now and then (the
// open-file dialog, the sound cues), loaded on first use: importing them
// would load the whole of their DLLs' dependencies at every start.
#pragma once

#include <windows.h>

namespace korvel::win32 {

// The function of a DLL of the system folder (never one found elsewhere on
// the search path), or null. The DLL stays loaded for the rest of the run.
FARPROC system_function(const char* dll, const char* function);

template <typename Function>
Function system_function_as(const char* dll, const char* function) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(system_function(dll, function)));
}

}  // namespace korvel::win32
