// Where the welcome and About windows sit: centred on the desktop.
#pragma once

#include <utility>

#include "platform/native_ui.h"

namespace korvel {

// Where a window of that size sits centred on the desktop, kept on it.
std::pair<int, int> centred_position(const Rect& desktop, const Rect& window);
// The outer edges of a window of that size centred on the desktop.
Rect centred_window(const Rect& desktop, int width, int height);

}  // namespace korvel
