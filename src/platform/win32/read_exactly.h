// Reading a whole span of an open file: ReadFile may give less than asked, and
// one call takes at most a DWORD's count.
#pragma once

#include <windows.h>

#include <cstddef>

namespace korvel::win32 {

// False when the file ends or a read fails before `count` bytes have come.
inline bool read_exactly(HANDLE file, void* data, std::size_t count) noexcept {
  auto* next = static_cast<char*>(data);
  while (count > 0) {
    const DWORD want = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!ReadFile(file, next, want, &got, nullptr) || got == 0) return false;
    next += got;
    count -= got;
  }
  return true;
}

}  // namespace korvel::win32
