#include "ui/icons.h"

#include <algorithm>
#include <utility>

namespace korvel {

namespace {
IconRequest request_for(const Directories& dirs, std::size_t i) {
  const IconFile& f = icon_files[i];
  return {path_in(dirs.icon_directory, f.file), f.width, f.height, f.vga_colour};
}

void load(Windows& windows, const Directories& dirs, Icons& icons, std::size_t i) {
  icons.handles[i] = windows.load_icon(request_for(dirs, i));
}
}  // namespace

IconHandle Icons::for_button(int id) const {
  for (std::size_t i = 0; i < icon_files.size(); ++i) {
    const auto& buttons = icon_files[i].buttons;
    if (std::find(buttons.begin(), buttons.end(), id) != buttons.end()) return handles[i];
  }
  return 0;
}

void load_application_icon(Windows& windows, const Directories& dirs, Icons& icons) { load(windows, dirs, icons, 0); }

void start_loading_button_icons(Windows& windows, const Directories& dirs) {
  std::vector<IconRequest> requests;
  for (std::size_t i = 1; i < icon_files.size(); ++i) requests.push_back(request_for(dirs, i));
  windows.load_icons_ahead(std::move(requests));
}

void load_button_icons(Windows& windows, const Directories& dirs, Icons& icons) {
  for (std::size_t i = 1; i < icon_files.size(); ++i) load(windows, dirs, icons, i);
}

void release_icons(Windows& windows, Icons& icons) {
  for (std::size_t i = icons.handles.size(); i-- > 0;) {
    const IconHandle icon = std::exchange(icons.handles[i], 0);
    // Open.ico's one handle serves two buttons but fills one entry; a handle
    // met twice all the same is released once.
    if (icon && std::find(icons.handles.begin(), icons.handles.end(), icon) == icons.handles.end())
      windows.destroy_icon(icon);
  }
}

}  // namespace korvel
