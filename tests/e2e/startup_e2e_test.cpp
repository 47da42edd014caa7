// Korvel.exe started for real in a fresh installation.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

std::string blank_recent_file() {
  std::string text;
  for (int i = 0; i < 5; ++i) text += std::string(260, ' ') + "\r\n";
  return text;
}

TEST(StartUp, FirstStartCreatesTheSettingsFilesAndASecondKeepsThem) {
  Installation install("first-start");
  for (int start = 1; start <= 2; ++start) {
    EXPECT_EQ(install.start_and_exit_launcher(), 0u) << "start " << start;
    EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n") << "start " << start;
    EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), blank_recent_file()) << "start " << start;
    EXPECT_FALSE(file_exists(install.path("Exe\\language.dat"))) << "start " << start;
  }
}

TEST(StartUp, KeepsTheUsersSettings) {
  Installation install("keeps-settings");
  const std::string recent = "C:\\Jobs\\frame.dat\r\nC:\\Jobs\\tower.dat\r\n";
  ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), " F\r\n"));
  ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), recent));
  EXPECT_EQ(install.start_and_exit_launcher(), 0u);
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " F\r\n");
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), recent);
}

TEST(StartUp, MendsASoundDatThatHoldsNoValue) {
  Installation install("mends-sound");
  ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), "garbage"));
  EXPECT_EQ(install.start_and_exit_launcher(), 0u);
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
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
