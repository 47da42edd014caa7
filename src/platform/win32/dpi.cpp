#include "platform/win32/dpi.h"

namespace korvel::win32 {

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

// user32 is loaded in every GUI process: no library is loaded for these.
template <typename Function>
Function user32_function(const char* name) {
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                           : nullptr;
}

int screen_dpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int dpi_of(HWND window) {
  static const auto for_window = user32_function<DpiForWindow>("GetDpiForWindow");
  static const auto for_system = user32_function<DpiForSystem>("GetDpiForSystem");
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
