// Korvel.exe's entry point: the Win32 services handed to the portable Launcher.
#include <windows.h>

#include <memory>

#include "platform/win32/win32_platform.h"
#include "app/launcher.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  // Declared outside the try: the windows made during the run report to the
  // state, and they still get messages while the last-resort box shows.
  std::unique_ptr<korvel::win32::Win32Platform> services;
  std::unique_ptr<korvel::Platform> platform;
  std::unique_ptr<korvel::LauncherState> state;
  try {
    services = std::make_unique<korvel::win32::Win32Platform>();
    platform = std::make_unique<korvel::Platform>(services->platform());
    state = std::make_unique<korvel::LauncherState>(*platform);
    return korvel::run_launcher(*state, show_command);
  } catch (...) {
    // Nothing may end the Launcher with a crash: report as a failed start-up.
    MessageBoxA(nullptr, "Error initializing application Korvel", "Error", MB_OK);
    return 0;
  }
}
