// An icon file read and checked before the system is given its name. The file
// stays open while the system reads it, shared for reading only, so nobody can
// write or replace it between the check and the load.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/owned_handles.h"

namespace korvel::win32 {

class CheckedIconFile {
 public:
  // Never throws: it runs on the icons' thread. A file that can't be opened or
  // read, is larger than icon_file_limit or fails the check is not sound.
  explicit CheckedIconFile(const std::string& path) noexcept;
  CheckedIconFile(const CheckedIconFile&) = delete;
  CheckedIconFile& operator=(const CheckedIconFile&) = delete;

  bool sound() const { return sound_; }

 private:
  OwnedHandle file_;
  bool sound_ = false;
};

}  // namespace korvel::win32
