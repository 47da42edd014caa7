#include "platform/win32/system_library.h"

#include <string>

namespace korvel::win32 {

FARPROC system_function(const char* dll, const char* function) {
  char folder[MAX_PATH + 1];
  const UINT n = GetSystemDirectoryA(folder, sizeof folder);
  if (n == 0 || n > MAX_PATH) return nullptr;
  const std::string path = std::string(folder, n) + "\\" + dll;
  HMODULE module = GetModuleHandleA(path.c_str());
  if (!module) module = LoadLibraryA(path.c_str());
  return module ? GetProcAddress(module, function) : nullptr;
}

}  // namespace korvel::win32
