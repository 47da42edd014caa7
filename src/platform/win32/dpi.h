// The DPI a window is shown at and the user's high-contrast setting. The
// per-window DPI calls exist from Windows 10 1607 on and are looked up when
// first needed; older systems (and Wine before them) fall back to the
// system's DPI of the screen's device context.
#pragma once

#include <windows.h>

namespace korvel::win32 {

// The window's DPI; null: the system's.
int dpi_of(HWND window);
bool high_contrast_on();

}  // namespace korvel::win32
