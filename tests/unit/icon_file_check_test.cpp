#include "platform/icon_file_check.h"

#include <gtest/gtest.h>

#include <string>

#include "icon_files.h"

namespace korvel {
namespace {

using testing::BitmapImage;
using testing::IconBytes;
using testing::bitmap_image;
using testing::icon_file;
using testing::png_image;
using testing::set_little;

IconFault fault_of(const IconBytes& file) { return icon_file_fault(file); }

// One 16 x 16 32-bit bitmap, changed at a byte offset of the file.
IconBytes one_image_with(std::size_t at, std::uint64_t value, int size) {
  IconBytes file = icon_file({bitmap_image({})});
  set_little(file, at, value, size);
  return file;
}
constexpr std::size_t first_entry = 6, first_image = 6 + 16;

TEST(IconFileCheck, SoundFilesOfEveryKindPass) {
  struct Case {
    const char* what;
    IconBytes file;
  } cases[] = {
      {"1 bit", icon_file({bitmap_image({.bits = 1})})},
      {"4 bits", icon_file({bitmap_image({.bits = 4})})},
      {"8 bits", icon_file({bitmap_image({.bits = 8})})},
      {"8 bits, 16 colours used", icon_file({bitmap_image({.bits = 8, .colours_used = 16})})},
      {"16 bits", icon_file({bitmap_image({.bits = 16})})},
      {"24 bits", icon_file({bitmap_image({.bits = 24})})},
      {"32 bits", icon_file({bitmap_image({})})},
      {"odd width, rows padded", icon_file({bitmap_image({.width = 13, .height = 26, .bits = 24})})},
      {"core header, 1 bit", icon_file({bitmap_image({.header = 12, .bits = 1})})},
      {"core header, 4 bits", icon_file({bitmap_image({.header = 12, .bits = 4})})},
      {"core header, 8 bits", icon_file({bitmap_image({.header = 12, .bits = 8})})},
      {"core header, 24 bits", icon_file({bitmap_image({.header = 12, .bits = 24})})},
      {"bit fields after the header", icon_file({bitmap_image({.bits = 16, .compression = 3})})},
      {"bit fields in a 124-byte header", icon_file({bitmap_image({.header = 124, .compression = 3})})},
      {"52, 56, 108-byte headers",
       icon_file({bitmap_image({.header = 52}), bitmap_image({.header = 56}), bitmap_image({.header = 108})})},
      {"256 x 256", icon_file({bitmap_image({.width = 256, .height = 512})}, {256})},
      {"PNG", icon_file({png_image(256, 256)}, {256})},
      {"PNG, grey 16 bits", icon_file({png_image(48, 48, 16, 0)}, {48})},
      {"several sizes and a PNG",
       icon_file({bitmap_image({}), bitmap_image({.width = 32, .height = 64}),
                  bitmap_image({.width = 48, .height = 96, .bits = 8}), png_image(256, 256)},
                 {16, 32, 48, 256})},
  };
  for (const Case& c : cases) EXPECT_EQ(fault_of(c.file), IconFault::none) << c.what;
}

TEST(IconFileCheck, MalformedFilesAreRefusedForWhatIsWrong) {
  const IconBytes png = png_image(32, 32);
  auto png_with = [&](std::size_t at, std::uint8_t value) {
    IconBytes image = png;
    image[at] = value;
    return icon_file({image}, {32});
  };
  IconBytes png_cut = png;
  png_cut.resize(png.size() - 5);
  IconBytes png_no_end = png;
  png_no_end.resize(png.size() - 12);
  IconBytes png_no_data = png_image(32, 32);
  png_no_data.erase(png_no_data.begin() + 8 + 25, png_no_data.begin() + 8 + 25 + 32);  // IDAT
  IconBytes png_long_chunk = png;
  set_little(png_long_chunk, 8 + 25, 0xFFFFFFFF, 4);  // IDAT's length
  IconBytes dir_cut = icon_file({bitmap_image({})});
  set_little(dir_cut, 4, 2000, 2);  // more entries than the file has room for

  struct Case {
    const char* what;
    IconBytes file;
    IconFault fault;
  } cases[] = {
      {"core header over 32-bit pixels", testing::core_header_with_32_bit_pixels(), IconFault::bit_count},
      {"core header, 16 bits", icon_file({bitmap_image({.header = 12, .bits = 16})}), IconFault::bit_count},
      {"2 bits", icon_file({bitmap_image({.bits = 2})}), IconFault::bit_count},
      {"empty file", {}, IconFault::directory},
      {"directory cut short", IconBytes{0, 0, 1, 0, 1}, IconFault::directory},
      {"no images", one_image_with(4, 0, 2), IconFault::directory},
      {"reserved word set", one_image_with(0, 1, 2), IconFault::directory},
      {"a cursor", one_image_with(2, 2, 2), IconFault::directory},
      {"entries past the end", dir_cut, IconFault::directory},
      {"image past the end", one_image_with(first_entry + 8, 40 + 16 * 68 + 1, 4), IconFault::entry_bounds},
      {"offset past the end", one_image_with(first_entry + 12, 5000, 4), IconFault::entry_bounds},
      {"offset plus size past 4 GB", one_image_with(first_entry + 12, 0xFFFFFFF0, 4), IconFault::entry_bounds},
      {"image inside the directory", one_image_with(first_entry + 12, 6, 4), IconFault::entry_bounds},
      {"image of no bytes", one_image_with(first_entry + 8, 0, 4), IconFault::entry_bounds},
      {"unknown header size", one_image_with(first_image, 64, 4), IconFault::header_size},
      {"header longer than its image", icon_file({IconBytes{40, 0, 0, 0, 16, 0, 0, 0}}), IconFault::header_size},
      {"image shorter than a header size", icon_file({IconBytes{40, 0}}), IconFault::header_size},
      {"2 planes", icon_file({bitmap_image({.planes = 2})}), IconFault::planes},
      {"width 0", icon_file({bitmap_image({.width = 0})}), IconFault::dimensions},
      {"top-down", icon_file({bitmap_image({.height = -32})}), IconFault::dimensions},
      {"odd height: no mask counted", icon_file({bitmap_image({.height = 33})}), IconFault::dimensions},
      {"257 wide", icon_file({bitmap_image({.width = 257})}), IconFault::dimensions},
      {"5000 x 5000, header only", one_image_with(first_image + 4, 5000, 4), IconFault::dimensions},
      {"core header, 5000 high", icon_file({bitmap_image({.header = 12, .height = 10000, .bits = 1})}),
       IconFault::dimensions},
      {"run-length coded", icon_file({bitmap_image({.bits = 8, .compression = 1})}), IconFault::compression},
      {"bit fields over 24 bits", icon_file({bitmap_image({.bits = 24, .compression = 3})}), IconFault::compression},
      {"17 colours for 4 bits", icon_file({bitmap_image({.bits = 4, .colours_used = 17})}), IconFault::colour_table},
      {"mask missing", icon_file({bitmap_image({.cut = 16 * 4})}), IconFault::pixels_outside},
      {"a byte of the mask missing", icon_file({bitmap_image({.cut = 1})}), IconFault::pixels_outside},
      {"8 bits, colour table short", icon_file({bitmap_image({.bits = 8, .cut = 1024})}), IconFault::pixels_outside},
      {"core header, 24 bits, cut", icon_file({bitmap_image({.header = 12, .bits = 24, .cut = 1})}),
       IconFault::pixels_outside},
      {"the second image bad", icon_file({bitmap_image({}), bitmap_image({.bits = 3})}), IconFault::bit_count},
      {"PNG cut short", icon_file({png_cut}), IconFault::png_chunks},
      {"PNG without IEND", icon_file({png_no_end}), IconFault::png_chunks},
      {"PNG without image data", icon_file({png_no_data}), IconFault::png_chunks},
      {"PNG chunk longer than the image", icon_file({png_long_chunk}), IconFault::png_chunks},
      {"PNG signature only", icon_file({IconBytes(png.begin(), png.begin() + 8)}), IconFault::png_header},
      {"PNG without IHDR first", png_with(12, 'X'), IconFault::png_header},
      {"PNG 0 wide", icon_file({png_image(0, 32)}), IconFault::dimensions},
      {"PNG 5000 x 5000", icon_file({png_image(5000, 5000)}), IconFault::dimensions},
      {"PNG palette of 16 bits", icon_file({png_image(32, 32, 16, 3)}), IconFault::png_header},
      {"PNG interlace 2", png_with(8 + 8 + 12, 2), IconFault::png_header},
  };
  for (const Case& c : cases) EXPECT_EQ(fault_of(c.file), c.fault) << c.what;
}

// The tests' large icon, at the largest side allowed and one more.
IconBytes large_icon(std::uint32_t side) {
  std::uint64_t size = 0;
  IconBytes file = testing::large_icon_head(side, size);
  file.resize(size, 0);
  return file;
}

TEST(IconFileCheck, ImagesUpToTheLargestSideAreTakenNoLarger) {
  EXPECT_EQ(fault_of(large_icon(icon_side_limit)), IconFault::none);
  EXPECT_EQ(fault_of(large_icon(icon_side_limit + 1)), IconFault::dimensions);
  std::uint64_t size = 0;
  EXPECT_EQ(fault_of(testing::large_icon_head(5000, size)), IconFault::entry_bounds) << "its head alone";
}

TEST(IconFileCheck, AFileLargerThanTheBoundIsRefusedWhateverItHolds) {
  IconBytes file = icon_file({bitmap_image({})});
  ASSERT_EQ(fault_of(file), IconFault::none);
  file.resize(icon_file_limit, 0);  // trailing bytes no entry names
  EXPECT_EQ(fault_of(file), IconFault::none);
  file.push_back(0);
  EXPECT_EQ(fault_of(file), IconFault::too_large);
}

// Whichever byte a cut file ends at, no image reaches past it.
TEST(IconFileCheck, EveryCutOfASoundFileIsRefused) {
  const IconBytes file = icon_file({bitmap_image({.bits = 8}), png_image(32, 32)}, {16, 32});
  ASSERT_EQ(fault_of(file), IconFault::none);
  for (std::size_t size = 0; size < file.size(); ++size)
    EXPECT_NE(icon_file_fault(std::span(file).first(size)), IconFault::none) << size;
}

}  // namespace
}  // namespace korvel
