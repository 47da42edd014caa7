#include "platform/win32/dpi.h"

#include "platform/win32/system_library.h"

namespace korvel::win32 {

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

int screen_dpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int dpi_of(HWND window) {
  // Windows 10 1607 and later; user32 is loaded already, so nothing is loaded for them.
  static const auto for_window = system_function_as<DpiForWindow>("user32.dll", "GetDpiForWindow");
  static const auto for_system = system_function_as<DpiForSystem>("user32.dll", "GetDpiForSystem");
  UINT dpi = 0;
  if (window != nullptr && for_window != nullptr)
    dpi = for_window(window);
  else if (window == nullptr && for_system != nullptr)
    dpi = for_system();
  return dpi > 0 ? static_cast<int>(dpi) : screen_dpi();
}

bool high_contrast_on() {
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace korvel::win32
