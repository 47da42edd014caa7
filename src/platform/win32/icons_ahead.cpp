#include "platform/win32/icons_ahead.h"

#include <utility>

#include "platform/win32/checked_icon_file.h"

namespace korvel::win32 {

HICON load_icon_file(const IconRequest& request) {
  // A file that fails the check is a missing icon; a sound one is held until the system has read it.
  const CheckedIconFile file(request.path);
  if (!file.sound()) return nullptr;
  const UINT flags = LR_LOADFROMFILE | (request.vga_colour ? LR_VGACOLOR : 0u);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), request.path.c_str(), IMAGE_ICON, request.width, request.height, flags));
}

IconsAhead::IconsAhead(std::vector<IconRequest> requests)
    : requests_(std::move(requests)), icons_(requests_.size()), taken_(requests_.size(), false) {
  thread_.reset(CreateThread(nullptr, 0, load_all, this, 0, nullptr));
  if (!thread_) load_all(this);
}

IconsAhead::~IconsAhead() { wait(); }

DWORD WINAPI IconsAhead::load_all(void* self) noexcept {
  auto* batch = static_cast<IconsAhead*>(self);
  for (std::size_t i = 0; i < batch->requests_.size(); ++i) {
    // An icon that could not be loaded for any reason is a missing one.
    try {
      batch->icons_[i].reset(load_icon_file(batch->requests_[i]));
    } catch (...) {
      batch->icons_[i].reset();
    }
  }
  return 0;
}

// The thread's end is also what makes its icons visible to this one.
void IconsAhead::wait() {
  if (!thread_) return;
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}

std::optional<HICON> IconsAhead::take(const IconRequest& request) {
  wait();
  for (std::size_t i = 0; i < requests_.size(); ++i) {
    if (taken_[i] || !(requests_[i] == request)) continue;
    taken_[i] = true;
    return icons_[i].release();
  }
  return std::nullopt;
}

}  // namespace korvel::win32
