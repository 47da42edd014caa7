// The About button's window.
#pragma once

#include "ui/welcome_window.h"

namespace korvel {

void on_about(Windows& windows, Splash& splash);

}  // namespace korvel
