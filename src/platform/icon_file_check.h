// What an icon file must hold before the system is given it. The system's
// reader trusts the file's headers: one that names a 12-byte core header over
// 32-bit pixels makes it read past its buffer, and one that names 5000 by 5000
// pixels makes it allocate for them. So every size, offset and header is
// checked here, on the file's bytes, and a file that fails is not loaded.
//
// Portable on purpose: the native tests and the fuzz target check the same code
// the Win32 adapter runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvel {

// The largest icon file read. A button icon with every usual size up to
// 256 x 256 pixels at 32 bits, 8 bits and 4 bits is about 600 KiB; the bound
// leaves room above that and keeps a stray 100 MB file out of memory.
inline constexpr std::size_t icon_file_limit = std::size_t{2} << 20;

// The largest side of an image: the largest a directory entry can name (its
// one-byte width and height, 0 standing for 256).
inline constexpr std::uint32_t icon_side_limit = 256;

// Why a file is refused; `none` when the system may read it.
enum class IconFault {
  none,
  too_large,         // larger than icon_file_limit
  directory,         // not an icon directory: reserved, type, count, or cut short
  entry_bounds,      // an image's bytes lie outside the file or inside the directory
  header_size,       // a bitmap header of no known size, or longer than its image
  planes,            // planes other than 1
  bit_count,         // a bit count its header does not allow
  dimensions,        // a side of 0, above icon_side_limit, or a height that is not twice the image's
  compression,       // neither uncompressed nor bit fields where those are allowed
  colour_table,      // more colours than the bit count can index
  pixels_outside,    // colour table, colour bitmap and mask don't fit in the image's bytes
  png_header,        // a PNG image without a sound IHDR chunk first
  png_chunks,        // a PNG image whose chunks don't run whole to IEND inside its bytes
};

IconFault icon_file_fault(std::span<const std::uint8_t> file) noexcept;

}  // namespace korvel
