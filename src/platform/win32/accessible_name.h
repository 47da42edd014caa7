// A control's name for screen readers: its WM_GETOBJECT answered with the
// system's own accessible object for the control, but for the name. oleacc,
// ole32 and oleaut32 are loaded on the first request, not at every start.
#pragma once

#include <windows.h>

#include <string_view>

namespace korvel::win32 {

// The answer to WM_GETOBJECT(OBJID_CLIENT) for `control` named `name` (UTF-8),
// or 0 when it can't be made: the caller then leaves the message to the control.
LRESULT accessible_object_named(HWND control, WPARAM wparam, std::string_view name);

}  // namespace korvel::win32
