// The generated files are read by Windows itself (LoadImage, PlaySound), which
// fails silently on a malformed one: check their headers here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/icon_file_check.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

fs::path assets_root() {
  const char* root = std::getenv("KORVEL_ASSETS_ROOT");
  return root ? fs::path(root) : fs::path();
}

Bytes read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

std::uint32_t u16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }
std::string tag(const Bytes& b, std::size_t at) {
  return b.size() < at + 4 ? std::string() : std::string(b.begin() + at, b.begin() + at + 4);
}

class Assets : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(assets_root().empty()) << "KORVEL_ASSETS_ROOT names the generated installation files";
  }
};

// An icon file of 32-bit images of these sides, in this order, each with its
// mask marking exactly its fully transparent pixels.
void expect_icon_images(const Bytes& ico, const std::vector<std::uint32_t>& sizes) {
  ASSERT_GE(ico.size(), 6u + 16 * sizes.size());
  EXPECT_EQ(u16(ico, 0), 0u);
  EXPECT_EQ(u16(ico, 2), 1u);  // icon
  ASSERT_EQ(u16(ico, 4), sizes.size());
  EXPECT_EQ(korvel::icon_file_fault(ico), korvel::IconFault::none) << "the Launcher would not load it";
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    SCOPED_TRACE(sizes[i]);
    std::size_t entry = 6 + 16 * i;
    std::uint32_t n = sizes[i], bytes = u32(ico, entry + 8), offset = u32(ico, entry + 12);
    EXPECT_EQ(ico[entry], n & 0xFF) << "256 is written 0";
    EXPECT_EQ(ico[entry + 1], n & 0xFF);
    EXPECT_EQ(u16(ico, entry + 6), 32u);
    std::uint32_t mask_stride = (n + 31) / 32 * 4;
    ASSERT_EQ(bytes, 40 + n * n * 4 + mask_stride * n);
    ASSERT_LE(offset + bytes, ico.size());
    EXPECT_EQ(u32(ico, offset), 40u);
    EXPECT_EQ(u32(ico, offset + 4), n);
    EXPECT_EQ(u32(ico, offset + 8), 2 * n);  // colour image and mask
    EXPECT_EQ(u16(ico, offset + 14), 32u);
    EXPECT_EQ(u32(ico, offset + 16), 0u);  // uncompressed
    // The mask marks exactly the fully transparent pixels.
    int opaque = 0, wrong_mask = 0;
    for (std::uint32_t p = 0; p < n * n; ++p) {
      std::uint8_t alpha = ico[offset + 40 + 4 * p + 3];
      std::uint32_t x = p % n, y = p / n;
      bool masked = ico[offset + 40 + n * n * 4 + y * mask_stride + x / 8] & (0x80 >> (x % 8));
      wrong_mask += masked != (alpha == 0);
      opaque += alpha == 255;
    }
    EXPECT_EQ(wrong_mask, 0);
    EXPECT_GT(opaque, static_cast<int>(n * n / 4)) << "an icon shows something";
  }
}

// 32 and 48 first, the sizes asked for at 96 dpi (0 x 0 takes the first); then
// those the buttons ask for at 120, 144 and 192 dpi, so that none is stretched.
TEST_F(Assets, IconsHoldA32And48Image) {
  const char* names[] = {"iconKorvel", "puna", "Stress2", "Reaction2", "History2", "Max", "Post",
                         "InputFile1", "InputFile2", "IconStructure", "IconVantik", "IconWord3", "Print",
                         "Notepad", "IconExit", "About", "Open", "Open5", "IconSivra", "KorvelHelp"};
  std::set<Bytes> distinct;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    Bytes ico = read(assets_root() / "Exe" / "Uir" / (std::string(name) + ".ico"));
    expect_icon_images(ico, {32, 48, 40, 60, 64, 72, 96});
    EXPECT_LE(ico.size(), 128u * 1024) << "read whole at every start";
    distinct.insert(ico);
  }
  EXPECT_EQ(distinct.size(), std::size(names));
}

TEST_F(Assets, ProgramIconCarriesEverySizeFrom16To256) {
  const char* path = std::getenv("KORVEL_PROGRAM_ICON");
  ASSERT_NE(path, nullptr) << "KORVEL_PROGRAM_ICON names Korvel.exe's icon file";
  const Bytes ico = read(path);
  expect_icon_images(ico, {16, 20, 24, 32, 40, 48, 64, 96, 128, 256});
  EXPECT_LE(ico.size(), korvel::icon_file_limit);
}

TEST_F(Assets, SoundsAreShortPcmMono16Bit) {
  std::set<Bytes> distinct;
  for (const char* name : {"GoodBye", "Running-1", "Running-2", "KorvelWelcome"}) {
    SCOPED_TRACE(name);
    Bytes wav = read(assets_root() / "Exe" / "Wav" / (std::string(name) + ".wav"));
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(u32(wav, 4), wav.size() - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    EXPECT_EQ(tag(wav, 12), "fmt ");
    EXPECT_EQ(u32(wav, 16), 16u);
    EXPECT_EQ(u16(wav, 20), 1u);  // PCM
    EXPECT_EQ(u16(wav, 22), 1u);  // mono
    EXPECT_EQ(u32(wav, 24), 22050u);
    EXPECT_EQ(u32(wav, 28), 22050u * 2);
    EXPECT_EQ(u16(wav, 32), 2u);
    EXPECT_EQ(u16(wav, 34), 16u);
    EXPECT_EQ(tag(wav, 36), "data");
    std::uint32_t data = u32(wav, 40);
    EXPECT_EQ(data, wav.size() - 44);
    double seconds = data / 2 / 22050.0;
    EXPECT_GE(seconds, 0.2);
    EXPECT_LE(seconds, 0.6);
    int loud = 0;
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2) loud += static_cast<std::int16_t>(u16(wav, at)) > 8000;
    EXPECT_GT(loud, 100) << "audible";
    distinct.insert(wav);
  }
  EXPECT_EQ(distinct.size(), 4u);
}

TEST_F(Assets, SamplesAndDocumentsArePresent) {
  for (const char* file : {"Exe/Korvel Help.chm", "Dat/frame.dat", "Dat/frame.inc"}) {
    Bytes text = read(assets_root() / file);
    ASSERT_FALSE(text.empty()) << file;
    EXPECT_EQ(std::string(text.end() - 2, text.end()), "\r\n") << file;
  }
  for (const char* file : {"Doc/Korvel-en.doc", "Doc/Korvel-ro.doc"})
    EXPECT_EQ(tag(read(assets_root() / file), 0), "{\\rt") << file;
}

}  // namespace
