// The Win32 open-file dialog.
#pragma once

#include "platform/platform.h"

namespace korvel::win32 {

class Win32FileDialogs final : public FileDialogs {
 public:
  int get_open_file_name(OpenFileRequest& request) override;
};

}  // namespace korvel::win32
