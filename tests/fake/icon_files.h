// Icon files made byte by byte for the tests: sound ones of every kind the
// Launcher may meet, and from them, by changing a field, the malformed ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel::testing {

using IconBytes = std::vector<std::uint8_t>;

inline void put_little(IconBytes& out, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
inline void put_big(IconBytes& out, std::uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
// Overwrites `size` bytes at `at`, little-endian.
inline void set_little(IconBytes& bytes, std::size_t at, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A bitmap image as an icon file holds it; each field as written, so that a
// test can make any of them wrong.
struct BitmapImage {
  std::uint32_t header = 40;  // 12: the core header
  std::int64_t width = 16;
  std::int64_t height = 32;   // both bitmaps: twice the image's
  std::uint32_t planes = 1, bits = 32, compression = 0, colours_used = 0;
  std::size_t cut = 0;        // bytes left off the end
};

// Header, colour table (and the three bit-field masks after a 40-byte header),
// colour bitmap and mask, rows padded to 4 bytes; the pixels are a pattern.
inline IconBytes bitmap_image(const BitmapImage& b) {
  IconBytes out;
  put_little(out, b.header, 4);
  if (b.header == 12) {
    put_little(out, static_cast<std::uint64_t>(b.width), 2), put_little(out, static_cast<std::uint64_t>(b.height), 2);
    put_little(out, b.planes, 2), put_little(out, b.bits, 2);
  } else {
    put_little(out, static_cast<std::uint64_t>(b.width), 4), put_little(out, static_cast<std::uint64_t>(b.height), 4);
    put_little(out, b.planes, 2), put_little(out, b.bits, 2), put_little(out, b.compression, 4);
    out.resize(32, 0);
    put_little(out, b.colours_used, 4);
    out.resize(b.header, 0);
  }
  if (b.compression == 3 && b.header == 40) put_little(out, 0xF800, 4), put_little(out, 0x07E0, 4), put_little(out, 0x001F, 4);
  const std::uint64_t entry = b.header == 12 ? 3 : 4;
  const std::uint64_t colours = b.colours_used != 0 ? b.colours_used : b.bits <= 8 ? (1u << b.bits) : 0;
  for (std::uint64_t i = 0; i < colours * entry; ++i) out.push_back(static_cast<std::uint8_t>(i * 37));
  const std::uint64_t width = b.width > 0 ? static_cast<std::uint64_t>(b.width) : 0;
  const std::uint64_t rows = b.height > 0 ? static_cast<std::uint64_t>(b.height) / 2 : 0;
  const std::uint64_t colour_row = (width * b.bits + 31) / 32 * 4, mask_row = (width + 31) / 32 * 4;
  for (std::uint64_t i = 0; i < rows * colour_row; ++i) out.push_back(static_cast<std::uint8_t>(i * 13 + 5));
  out.resize(out.size() + rows * mask_row, 0);  // opaque
  out.resize(out.size() - b.cut);
  return out;
}

// A PNG image of that size: IHDR, one IDAT, IEND. The data and checksums are
// placeholders: the check before the system reads neither.
inline IconBytes png_image(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8, std::uint8_t colour = 6) {
  IconBytes out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&](const char* type, const IconBytes& data) {
    put_big(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_big(out, 0);
  };
  IconBytes header;
  put_big(header, width), put_big(header, height);
  header.insert(header.end(), {depth, colour, 0, 0, 0});
  chunk("IHDR", header);
  chunk("IDAT", IconBytes(20, 0x78));
  chunk("IEND", {});
  return out;
}

// An icon file holding the images in order, each entry naming its size from
// the image itself (0 for 256 or more).
inline IconBytes icon_file(const std::vector<IconBytes>& images, const std::vector<std::uint32_t>& sides = {}) {
  IconBytes out;
  put_little(out, 0, 2), put_little(out, 1, 2), put_little(out, images.size(), 2);
  std::uint64_t offset = 6 + 16 * images.size();
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::uint32_t side = i < sides.size() ? sides[i] : 16;
    out.push_back(static_cast<std::uint8_t>(side < 256 ? side : 0));
    out.push_back(static_cast<std::uint8_t>(side < 256 ? side : 0));
    out.push_back(0), out.push_back(0);
    put_little(out, 1, 2), put_little(out, 32, 2);
    put_little(out, images[i].size(), 4), put_little(out, offset, 4);
    offset += images[i].size();
  }
  for (const IconBytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

// The kind of file that made the system's reader fault under Wine: a 12-byte
// core header over 32-bit pixels, about 4 KB. The reader copies the 12 bytes
// into a larger buffer and reads its bit count and sides from where a 40-byte
// header holds them; when what lies there says 32 bits, it looks for a pixel
// with alpha over width x height taken from the wrong fields, far past the
// file. The pixels here have no alpha, so no pixel stops that search.
inline IconBytes core_header_with_32_bit_pixels() {
  IconBytes file = icon_file({bitmap_image({.header = 12, .width = 32, .height = 64, .bits = 32})}, {32});
  for (std::size_t alpha = 6 + 16 + 12 + 3; alpha < 6 + 16 + 12 + 32 * 32 * 4; alpha += 4) file[alpha] = 0;
  return file;
}

// The directory and header of one 32-bit image of side x side pixels, whose
// pixels and mask, all zero, are to follow up to `file_size`: opaque black, a
// file the system reads whole.
inline IconBytes large_icon_head(std::uint32_t side, std::uint64_t& file_size) {
  const std::uint64_t image = 40 + std::uint64_t{side} * side * 4 + std::uint64_t{side} * ((side + 31) / 32 * 4);
  IconBytes out;
  put_little(out, 0, 2), put_little(out, 1, 2), put_little(out, 1, 2);
  put_little(out, 0, 4), put_little(out, 1, 2), put_little(out, 32, 2), put_little(out, image, 4), put_little(out, 22, 4);
  put_little(out, 40, 4), put_little(out, side, 4), put_little(out, 2 * std::uint64_t{side}, 4);
  put_little(out, 1, 2), put_little(out, 32, 2);
  out.resize(22 + 40, 0);
  file_size = 22 + image;
  return out;
}

inline std::string as_text(const IconBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace korvel::testing
