#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32/callback_guard.h"
#include "platform/win32/system_library.h"

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
  using OpenFileName = BOOL(WINAPI*)(LPOPENFILENAMEA);
  static const OpenFileName open_file_name = system_function_as<OpenFileName>("comdlg32.dll", "GetOpenFileNameA");
  const int chosen = open_file_name ? open_file_name(&record) : 0;
  rethrow_parked();  // the dialog's loop runs the other windows' messages
  return chosen;
}

}  // namespace korvel::win32
