#include "ui/window_placement.h"

namespace korvel {

std::pair<int, int> centred_position(const Rect& desktop, const Rect& window) {
  const int desktop_width = desktop.right;
  const int desktop_height = desktop.bottom;
  int x = (desktop_width - window.width()) / 2;
  int y = (desktop_height - window.height()) / 2;
  if (x + window.width() > desktop_width) x = desktop_width - window.width();
  if (y + window.height() > desktop_height) y = desktop_height - window.height();
  // A window larger than the desktop keeps its top-left corner on it.
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  return {x, y};
}

Rect centred_window(const Rect& desktop, int width, int height) {
  const auto [x, y] = centred_position(desktop, Rect{0, 0, width, height});
  return Rect{x, y, x + width, y + height};
}

}  // namespace korvel
