#include "platform/icon_file_check.h"

#include <algorithm>

namespace korvel {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Callers check that the bytes read lie inside `bytes`.
std::uint32_t little16(Bytes bytes, std::size_t at) { return bytes[at] | (std::uint32_t{bytes[at + 1]} << 8); }
std::uint32_t little32(Bytes bytes, std::size_t at) { return little16(bytes, at) | (little16(bytes, at + 2) << 16); }
std::uint32_t big32(Bytes bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

bool side_ok(std::uint64_t side) { return side > 0 && side <= icon_side_limit; }

constexpr std::uint8_t png_signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool is_png(Bytes image) {
  return image.size() >= sizeof png_signature && std::equal(std::begin(png_signature), std::end(png_signature), image.begin());
}

bool chunk_is(Bytes image, std::size_t at, const char (&type)[5]) {
  return std::equal(type, type + 4, image.begin() + static_cast<std::ptrdiff_t>(at));
}

bool png_depth_ok(unsigned colour_type, unsigned depth) {
  switch (colour_type) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;  // grey
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;                 // palette
    case 2: case 4: case 6: return depth == 8 || depth == 16;  // colour, grey and alpha, colour and alpha
    default: return false;
  }
}

// A PNG image: IHDR first, with sides the system can take, and whole chunks up
// to IEND with image data among them. The compressed data and the checksums
// are left to the system's decoder, which checks them itself; what it
// allocates follows from IHDR's sides, checked here.
IconFault png_fault(Bytes image) {
  constexpr std::size_t ihdr = sizeof png_signature;
  if (image.size() < ihdr + 8 + 13 + 4 || big32(image, ihdr) != 13 || !chunk_is(image, ihdr + 4, "IHDR"))
    return IconFault::png_header;
  if (!side_ok(big32(image, ihdr + 8)) || !side_ok(big32(image, ihdr + 12))) return IconFault::dimensions;
  const unsigned depth = image[ihdr + 16], colour_type = image[ihdr + 17];
  if (!png_depth_ok(colour_type, depth) || image[ihdr + 18] != 0 || image[ihdr + 19] != 0 || image[ihdr + 20] > 1)
    return IconFault::png_header;

  bool data = false;
  for (std::size_t at = ihdr;;) {
    if (image.size() - at < 12) return IconFault::png_chunks;  // length, type and checksum
    const std::uint64_t length = big32(image, at);
    if (length > image.size() - at - 12) return IconFault::png_chunks;
    data = data || chunk_is(image, at + 4, "IDAT");
    if (chunk_is(image, at + 4, "IEND")) return data ? IconFault::none : IconFault::png_chunks;
    at += 12 + static_cast<std::size_t>(length);
  }
}

// A bitmap image: a header of a known size, then the colour table, the colour
// bitmap and the 1-bit mask, their rows padded to 4 bytes, the height counting
// both bitmaps.
IconFault bitmap_fault(Bytes image) {
  if (image.size() < 4) return IconFault::header_size;
  const std::uint32_t header = little32(image, 0);
  constexpr std::uint32_t known[] = {12, 40, 52, 56, 108, 124};
  if (std::find(std::begin(known), std::end(known), header) == std::end(known) || header > image.size())
    return IconFault::header_size;

  std::uint64_t width = 0, height = 0, colours_used = 0, palette_entry = 4, masks = 0;
  std::uint32_t planes = 0, bits = 0, compression = 0;
  if (header == 12) {  // the core header: 16-bit sides, three-byte colours, no compression
    width = little16(image, 4), height = little16(image, 6), planes = little16(image, 8), bits = little16(image, 10);
    palette_entry = 3;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return IconFault::bit_count;
  } else {
    const auto signed_width = static_cast<std::int32_t>(little32(image, 4));
    const auto signed_height = static_cast<std::int32_t>(little32(image, 8));
    if (signed_width <= 0 || signed_height <= 0) return IconFault::dimensions;  // icons are stored bottom-up
    width = static_cast<std::uint64_t>(signed_width), height = static_cast<std::uint64_t>(signed_height);
    planes = little16(image, 12), bits = little16(image, 14), compression = little32(image, 16);
    colours_used = little32(image, 32);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return IconFault::bit_count;
  }
  if (planes != 1) return IconFault::planes;
  if (!side_ok(width) || height % 2 != 0 || !side_ok(height / 2)) return IconFault::dimensions;

  constexpr std::uint32_t uncompressed = 0, bit_fields = 3;
  if (compression == bit_fields) {
    if (bits != 16 && bits != 32) return IconFault::compression;
    if (header == 40) masks = 12;  // the three masks follow the header; longer headers hold them
  } else if (compression != uncompressed) {
    return IconFault::compression;
  }

  std::uint64_t colours = colours_used;
  if (bits <= 8) {
    if (colours_used > (1u << bits)) return IconFault::colour_table;
    if (colours == 0) colours = 1u << bits;
  } else if (colours_used > 256) {
    return IconFault::colour_table;
  }

  const std::uint64_t rows = height / 2;
  const std::uint64_t colour_row = (width * bits + 31) / 32 * 4, mask_row = (width + 31) / 32 * 4;
  const std::uint64_t needed = header + masks + colours * palette_entry + rows * (colour_row + mask_row);
  return needed <= image.size() ? IconFault::none : IconFault::pixels_outside;
}

}  // namespace

IconFault icon_file_fault(Bytes file) noexcept {
  if (file.size() > icon_file_limit) return IconFault::too_large;
  constexpr std::uint32_t icon_type = 1;  // 2 is a cursor
  if (file.size() < 6 || little16(file, 0) != 0 || little16(file, 2) != icon_type || little16(file, 4) == 0)
    return IconFault::directory;
  const std::size_t count = little16(file, 4), directory_end = 6 + 16 * count;
  if (directory_end > file.size()) return IconFault::directory;

  // The system picks one image by size and colours; any of them may be the one read.
  for (std::size_t entry = 6; entry < directory_end; entry += 16) {
    const std::uint64_t bytes = little32(file, entry + 8), offset = little32(file, entry + 12);
    if (bytes == 0 || offset < directory_end || offset + bytes > file.size()) return IconFault::entry_bounds;
    const Bytes image = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(bytes));
    const IconFault fault = is_png(image) ? png_fault(image) : bitmap_fault(image);
    if (fault != IconFault::none) return fault;
  }
  return IconFault::none;
}

}  // namespace korvel
