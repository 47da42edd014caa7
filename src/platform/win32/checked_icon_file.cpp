#include "platform/win32/checked_icon_file.h"

#include <cstdint>
#include <new>
#include <vector>

#include "platform/icon_file_check.h"
#include "platform/win32/read_exactly.h"

namespace korvel::win32 {

namespace {

// The whole file, or nothing when it is larger than the bound or can't be read.
// The size is asked first, so a 100 MB file is never read or allocated for.
bool read_whole(HANDLE file, std::vector<std::uint8_t>& bytes) noexcept {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > icon_file_limit)
    return false;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return read_exactly(file, bytes.data(), bytes.size());
}

}  // namespace

CheckedIconFile::CheckedIconFile(const std::string& path) noexcept {
  file_.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file_) return;
  std::vector<std::uint8_t> bytes;
  sound_ = read_whole(file_.get(), bytes) && icon_file_fault(bytes) == IconFault::none;
}

}  // namespace korvel::win32
