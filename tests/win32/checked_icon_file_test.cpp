// Icon files the system must never be given, loaded through the real adapter:
// on the icons' thread and on this one, each is a missing icon and the process
// goes on; a sound file beside them still loads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "icon_files.h"
#include "platform/win32/checked_icon_file.h"
#include "platform/win32/win32_windows.h"

namespace korvel::win32 {
namespace {

std::string temp_file(const char* name) {
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "korvel-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

bool write(const std::string& path, const testing::IconBytes& bytes, std::uint64_t size = 0) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  if (ok && size > bytes.size()) ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

TEST(Win32Icons, AMalformedOrHugeIconFileIsAMissingIconAheadAndOnThisThread) {
  std::uint64_t huge_size = 0;
  const testing::IconBytes huge_head = testing::large_icon_head(5000, huge_size);
  const std::string faulting = temp_file("core-32.ico"), huge = temp_file("huge.ico"), sound = temp_file("sound.ico");
  ASSERT_TRUE(write(faulting, testing::core_header_with_32_bit_pixels()));
  ASSERT_TRUE(write(huge, huge_head, huge_size));
  ASSERT_TRUE(write(sound, testing::icon_file({testing::bitmap_image({.width = 32, .height = 64})}, {32})));

  Win32Windows windows;
  const IconRequest ahead[] = {{faulting, 0, 0, false}, {huge, 0, 0, false}, {sound, 0, 0, false}};
  windows.load_icons_ahead({std::begin(ahead), std::end(ahead)});
  EXPECT_EQ(windows.load_icon(ahead[0]), 0u);
  EXPECT_EQ(windows.load_icon(ahead[1]), 0u);
  const IconHandle loaded_ahead = windows.load_icon(ahead[2]);
  EXPECT_NE(loaded_ahead, 0u);
  // Not in the batch: loaded here and now.
  EXPECT_EQ(windows.load_icon({faulting, 48, 48, true}), 0u);
  EXPECT_EQ(windows.load_icon({huge, 32, 32, false}), 0u);
  const IconHandle loaded_here = windows.load_icon({sound, 48, 48, true});
  EXPECT_NE(loaded_here, 0u);

  for (IconHandle icon : {loaded_ahead, loaded_here}) DestroyIcon(reinterpret_cast<HICON>(icon));
  for (const std::string& file : {faulting, huge, sound}) DeleteFileA(file.c_str());
}

// Between the check and the system's read nobody may change the file.
TEST(Win32Icons, ACheckedFileCannotBeWrittenOrReplacedUntilLoaded) {
  const std::string file = temp_file("held.ico"), other = temp_file("other.ico");
  ASSERT_TRUE(write(file, testing::icon_file({testing::bitmap_image({})})));
  ASSERT_TRUE(write(other, testing::core_header_with_32_bit_pixels()));
  {
    const CheckedIconFile checked(file);
    EXPECT_TRUE(checked.sound());
    HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    EXPECT_FALSE(MoveFileExA(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  }
  EXPECT_TRUE(MoveFileExA(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) << "let go once loaded";
  EXPECT_FALSE(CheckedIconFile(file).sound());
  EXPECT_FALSE(CheckedIconFile(file + ".gone").sound());
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace korvel::win32
