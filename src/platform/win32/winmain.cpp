// Korvel.exe's entry point: the Win32 services handed to the portable Launcher.
#include <windows.h>

#include <memory>

#include "platform/win32/win32_platform.h"
#include "startup/launcher.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  try {
    korvel::win32::Win32Platform services;
    korvel::Platform platform = services.platform();
    auto state = std::make_unique<korvel::LauncherState>(platform);
    return korvel::run_launcher(*state, show_command);
  } catch (...) {
    // Nothing may end the Launcher with a crash: report as a failed start-up.
    MessageBoxA(nullptr, "Error initializing application Korvel", "Error", MB_OK);
    return 0;
  }
}
