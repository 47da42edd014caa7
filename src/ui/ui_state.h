// What the ui module holds for the run: the icons and the welcome window's state.
#pragma once

#include "ui/icons.h"
#include "ui/welcome_window.h"

namespace korvel {

struct UiState {
  Icons icons;
  Splash splash;
};

}  // namespace korvel
