// Names and tooltips of a dialog's controls: each named control gets a
// procedure in front of its own that answers screen readers with its name and
// turns F1 into the dialog's WM_HELP; the dialog gets one tooltip control
// when the pointer first comes over a control with a tip, which the system
// destroys with the dialog.
#pragma once

#include <windows.h>

#include <span>

#include "platform/native_ui.h"

namespace korvel::win32 {

void name_dialog_controls(HWND dialog, std::span<const ControlName> names);

}  // namespace korvel::win32
