#include "file_tree.h"

#include <windows.h>

namespace korvel::testing {

namespace {

// Through the wide calls, so that a name outside the test program's code page
// (the tests make `ștefan.dat`) is removed too and no run leaves it behind.
void remove_wide_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_wide_tree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

void remove_tree(const std::string& folder) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, folder.data(), static_cast<int>(folder.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, folder.data(), static_cast<int>(folder.size()), wide.data(), size);
  remove_wide_tree(wide);
}

std::string standin_that_exits() {
  char own[MAX_PATH * 2];
  const std::string path(own, GetModuleFileNameA(nullptr, own, sizeof own));
  SetEnvironmentVariableA("KORVEL_STANDIN_MODE", "exit");
  SetEnvironmentVariableA("KORVEL_STANDIN_JOURNAL", nullptr);
  return path.substr(0, path.find_last_of('\\')) + "\\standin.exe";
}

}  // namespace korvel::testing
