// Korvel.exe started for real in a fresh installation.
#include <gtest/gtest.h>

#include "harness.h"

#include <winioctl.h>

namespace korvel::e2e {
namespace {

std::string blank_recent_file() {
  std::string text;
  for (int i = 0; i < 5; ++i) text += std::string(260, ' ') + "\r\n";
  return text;
}

using StartUp = LauncherTest;

TEST_F(StartUp, FirstStartCreatesTheSettingsFilesAndASecondKeepsThem) {
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start == 1 ? "first start" : "second start");
    ASSERT_NO_FATAL_FAILURE(start_korvel());
    exit_normally();
    EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
    EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), blank_recent_file());
  }
}

TEST_F(StartUp, KeepsTheUsersSettings) {
  const std::string recent = "C:\\Jobs\\frame.dat\r\nC:\\Jobs\\tower.dat\r\n";
  ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), " F\r\n"));
  ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), recent));
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " F\r\n");
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), recent);
}

TEST_F(StartUp, MendsASoundDatThatHoldsNoValue) {
  ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), "garbage"));
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
}

// A file of `size` bytes that starts with `head`; the rest is a hole that
// takes no room on the disk.
bool write_sparse_file(const std::string& path, const std::string& head, LONGLONG size) {
  if (!write_file(path, head)) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD unused = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);  // Wine's files are sparse anyway
  LARGE_INTEGER end;
  end.QuadPart = size;
  const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

// Settings files far larger than memory: only the records used are read, so
// the start costs what it costs with small files.
TEST_F(StartUp, SettingsFilesLargerThanMemoryStartAsSmallOnes) {
  const std::string work = install.path("Work");
  ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
  const LONGLONG huge = 64LL << 30;
  ASSERT_TRUE(write_sparse_file(install.path("Exe\\Sound.dat"), " F\r\n", huge));
  ASSERT_TRUE(write_sparse_file(install.path("Exe\\recent.dat"), "C:\\Jobs\\frame.dat\r\n", huge));
  ASSERT_TRUE(write_sparse_file(install.path("Exe\\work_dir.dat"), work + "\r\n", huge));
  // Its last record has no line end and starts at the beginning of the file.
  ASSERT_TRUE(write_sparse_file(work + "\\ComVek.dat", "Romanian", huge));

  ASSERT_NO_FATAL_FAILURE(start_korvel());
  EXPECT_EQ(control_text(dialog, sound_check_box), "Sound Off");
  EXPECT_EQ(drop_down_selection(dialog, language_list), 0) << "a last record that long is not looked for: English";
  const std::size_t peak = peak_working_set(korvel->id());
  ASSERT_NE(peak, 0u);
  EXPECT_LT(peak, 100u << 20) << "about 20 MB with small files";
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " F\r\n");
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), "C:\\Jobs\\frame.dat\r\n");
}

TEST(Installation, HoldsTheIconsSoundsAndSampleData) {
  Installation install("layout");
  for (const char* icon : {"iconKorvel.ico", "puna.ico", "Stress2.ico", "Reaction2.ico", "History2.ico", "Max.ico",
                           "Post.ico", "InputFile1.ico", "InputFile2.ico", "IconStructure.ico", "IconVantik.ico",
                           "IconWord3.ico", "Print.ico", "Notepad.ico", "IconExit.ico", "About.ico", "Open.ico",
                           "Open5.ico", "IconSivra.ico", "KorvelHelp.ico"})
    EXPECT_TRUE(file_exists(install.path(std::string("Exe\\Uir\\") + icon))) << icon;
  for (const char* sound : {"GoodBye.wav", "Running-1.wav", "Running-2.wav", "KorvelWelcome.wav"})
    EXPECT_TRUE(file_exists(install.path(std::string("Exe\\Wav\\") + sound))) << sound;
  EXPECT_TRUE(file_exists(install.path("Exe\\Korvel.exe")));
  EXPECT_TRUE(file_exists(install.path("Dat\\frame.dat")));
  EXPECT_TRUE(file_exists(install.path("Dat\\frame.inc")));
}

}  // namespace
}  // namespace korvel::e2e
