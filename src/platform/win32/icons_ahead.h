// Icons loaded on a thread of their own. Under Wine, making and showing the
// welcome window is mostly waiting for the window server; the button icons'
// files are read and decoded meanwhile instead of after it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/native_ui.h"
#include "platform/win32/owned_handles.h"

namespace korvel::win32 {

// The one way the Launcher loads an icon file; nullptr when it can't.
HICON load_icon_file(const IconRequest& request);

class IconsAhead {
 public:
  // Starts the thread; without one, loads them here and now.
  explicit IconsAhead(std::vector<IconRequest> requests);
  // Waits for the thread; the icons nobody took go with the batch.
  ~IconsAhead();
  IconsAhead(const IconsAhead&) = delete;
  IconsAhead& operator=(const IconsAhead&) = delete;

  // The icon loaded for that request (nullptr when its file could not be
  // loaded), waiting for the batch; nothing when the batch did not hold it or
  // it was taken already: each icon has one owner.
  std::optional<HICON> take(const IconRequest& request);

 private:
  // Throws nothing: an exception may not leave a thread's procedure.
  static DWORD WINAPI load_all(void* self) noexcept;
  void wait();

  std::vector<IconRequest> requests_;
  std::vector<OwnedIcon> icons_;  // those not taken go with the batch
  std::vector<bool> taken_;
  OwnedHandle thread_;
};

}  // namespace korvel::win32
