#include "ui/icons.h"

#include <algorithm>
#include <utility>

namespace korvel {

namespace {
// The size LoadImage gives a request of 0 x 0: the files' first image.
constexpr int own_icon_size = 32;

void load(Windows& windows, const Directories& dirs, Icons& icons, std::size_t i) {
  icons.handles[i] = windows.load_icon(icon_request(dirs, i, icons.dpi));
}
}  // namespace

IconRequest icon_request(const Directories& dirs, std::size_t i, int dpi) {
  const IconFile& f = icon_files[i];
  IconRequest request{path_in(dirs.icon_directory, f.file), f.width, f.height, f.vga_colour};
  if (dpi != 96) {
    request.width = scaled_to_dpi(f.width != 0 ? f.width : own_icon_size, dpi);
    request.height = scaled_to_dpi(f.height != 0 ? f.height : own_icon_size, dpi);
  }
  return request;
}

IconHandle Icons::for_button(int id) const {
  for (std::size_t i = 0; i < icon_files.size(); ++i) {
    const auto& buttons = icon_files[i].buttons;
    if (std::find(buttons.begin(), buttons.end(), id) != buttons.end()) return handles[i];
  }
  return 0;
}

void load_application_icon(Windows& windows, const Directories& dirs, Icons& icons) {
  icons.dpi = windows.dpi(NativeWindow{0});
  load(windows, dirs, icons, 0);
  icons.application = icons.handles[0];
}

void start_loading_button_icons(Windows& windows, const Directories& dirs, const Icons& icons) {
  std::vector<IconRequest> requests;
  for (std::size_t i = 1; i < icon_files.size(); ++i) requests.push_back(icon_request(dirs, i, icons.dpi));
  windows.load_icons_ahead(std::move(requests));
}

void load_button_icons(Windows& windows, const Directories& dirs, Icons& icons) {
  for (std::size_t i = 1; i < icon_files.size(); ++i) load(windows, dirs, icons, i);
}

void show_button_icons(Windows& windows, const Directories& dirs, Icons& icons, NativeWindow dialog, int dpi) {
  Icons old;
  if (dpi > 0 && dpi != icons.dpi) {
    old.handles = icons.handles;
    if (old.handles[0] == icons.application) old.handles[0] = 0;  // still the windows' own
    icons.dpi = dpi;
    for (std::size_t i = 0; i < icon_files.size(); ++i) load(windows, dirs, icons, i);
  }
  for (int id : icon_button_order) windows.set_button_image(dialog, id, icons.for_button(id));
  release_icons(windows, old);
}

void release_icons(Windows& windows, Icons& icons) {
  for (std::size_t i = icons.handles.size(); i-- > 0;) {
    const IconHandle icon = std::exchange(icons.handles[i], 0);
    // Open.ico's one handle serves two buttons but fills one entry; a handle
    // met twice all the same is released once.
    if (icon && std::find(icons.handles.begin(), icons.handles.end(), icon) == icons.handles.end() &&
        icon != icons.application)
      windows.destroy_icon(icon);
  }
  if (const IconHandle application = std::exchange(icons.application, 0)) windows.destroy_icon(application);
}

}  // namespace korvel
