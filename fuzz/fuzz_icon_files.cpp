// Icon files from any bytes, checked before the system would read them: the
// check stays inside the bytes it is given, and a file it passes holds every
// image inside itself, as plain restatements of the directory's rules say.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "platform/icon_file_check.h"

namespace korvel {
namespace {

std::uint32_t at16(std::span<const std::uint8_t> b, std::size_t i) { return b[i] | b[i + 1] << 8; }
std::uint32_t at32(std::span<const std::uint8_t> b, std::size_t i) { return at16(b, i) | at16(b, i + 2) << 16; }

// The checks that hold for any file the system may be given.
void check_sound_file(std::span<const std::uint8_t> file) {
  FUZZ_CHECK(file.size() <= icon_file_limit);
  FUZZ_CHECK(file.size() >= 6 + 16 && at16(file, 0) == 0 && at16(file, 2) == 1);
  const std::size_t count = at16(file, 4);
  FUZZ_CHECK(count >= 1 && 6 + 16 * count <= file.size());
  std::uint64_t last_end = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t bytes = at32(file, 6 + 16 * i + 8), offset = at32(file, 6 + 16 * i + 12);
    FUZZ_CHECK(bytes > 0 && offset >= 6 + 16 * count && offset + bytes <= file.size());
    last_end = std::max(last_end, offset + bytes);
    const auto image = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(bytes));
    if (image[0] == 0x89) continue;  // a PNG
    const std::uint32_t header = at32(image, 0);
    FUZZ_CHECK(header == 12 || header == 40 || header == 52 || header == 56 || header == 108 || header == 124);
    FUZZ_CHECK(at16(image, header == 12 ? 8 : 12) == 1);  // planes
    if (header == 12) {
      const std::uint32_t bits = at16(image, 10);
      FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 24);
    } else {
      FUZZ_CHECK(at32(image, 4) >= 1 && at32(image, 4) <= icon_side_limit);
      FUZZ_CHECK(at32(image, 8) >= 2 && at32(image, 8) <= 2 * icon_side_limit && at32(image, 8) % 2 == 0);
    }
  }
  // Cut before the end of its last image, the file is refused; bytes after it change nothing.
  FUZZ_CHECK(icon_file_fault(file.first(static_cast<std::size_t>(last_end) - 1)) != IconFault::none);
  if (file.size() < icon_file_limit) {
    std::vector<std::uint8_t> longer(file.begin(), file.end());
    longer.push_back(0xA5);
    FUZZ_CHECK(icon_file_fault(longer) == IconFault::none);
  }
}

}  // namespace
}  // namespace korvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  // A copy of exactly that size: a read past its end is caught.
  const std::vector<std::uint8_t> file(data, data + size);
  const IconFault fault = icon_file_fault(file);
  FUZZ_CHECK(icon_file_fault(file) == fault);
  if (fault == IconFault::none) check_sound_file(file);
  return 0;
}
