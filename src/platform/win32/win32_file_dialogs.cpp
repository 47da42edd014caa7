#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

namespace korvel::win32 {

int Win32FileDialogs::get_open_file_name(OpenFileRequest& request) {
  OPENFILENAMEA record{};
  record.lStructSize = sizeof record;  // the 64-bit size; the dialog refuses any other
  record.hwndOwner = nullptr;
  record.lpstrFilter = request.filter.data();
  record.nFilterIndex = request.filter_index;
  record.lpstrFile = request.file_name;
  record.nMaxFile = request.file_name_size;
  record.lpstrInitialDir = request.initial_directory;
  record.lpstrTitle = request.title;
  record.Flags = request.flags;
  record.lpstrDefExt = request.default_extension;
  return GetOpenFileNameA(&record);
}

}  // namespace korvel::win32
