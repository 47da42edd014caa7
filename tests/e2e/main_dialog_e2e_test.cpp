// The real main dialog of Korvel.exe under Wine, read and driven by control id
// from this separate process.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

constexpr COLORREF pale_yellow = RGB(255, 255, 180);

class MainDialogE2E : public ::testing::Test {
 protected:
  Installation install{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::optional<Program> korvel;
  HWND dialog = nullptr;

  void SetUp() override {
    ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), "C:\\Jobs\\frame.dat\r\n"));
    korvel.emplace(install.exe() + "\\Korvel.exe", "Korvel.exe", install.exe());
    ASSERT_TRUE(korvel->started());
    dialog = wait_for_dialog(korvel->id(), "KORVEL");
    ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
  }

  // The Launcher ended by itself as after E X I T: code 0, its files in order.
  void expect_normal_end() {
    EXPECT_EQ(korvel->wait_for_exit(), 0u);
    EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), "C:\\Jobs\\frame.dat\r\n");
    EXPECT_FALSE(file_exists(install.path("Exe\\language.dat")));
  }
};

TEST_F(MainDialogE2E, StartsWithTheDescribedControls) {
  for (int id : {1003, 1023, 1005, 1006, 1022, 1007, 1008, 1014, 1019, 1010, 1021})
    EXPECT_FALSE(control_enabled(dialog, id)) << id;
  for (int id : {1000, 1011, 1020, 1015, 1017, 1004, 1025, 1027, 1018, 1, 1013, 1028})
    EXPECT_TRUE(control_enabled(dialog, id)) << id;
  EXPECT_FALSE(control_visible(dialog, 2)) << "Cancel is hidden";
  EXPECT_EQ(control_text(dialog, 1001), ".dat");
  EXPECT_EQ(control_text(dialog, 1002), ".rez");
  EXPECT_EQ(control_text(dialog, 1012), ".inc");
  EXPECT_EQ(list_items(dialog, 1016), (std::vector<std::string>{"", "", "", "New"}));
  EXPECT_EQ(drop_down_items(dialog, 1026), (std::vector<std::string>{"English", "Romanian"}));
  EXPECT_EQ(drop_down_selection(dialog, 1026), 0);
  EXPECT_EQ(control_text(dialog, 1028), "Sound On");
  EXPECT_TRUE(control_checked(dialog, 1028));
  EXPECT_FALSE(control_checked(dialog, 1013));
  EXPECT_EQ(control_text(dialog, 1013), "Post-Processors and Structure Vantik");
  EXPECT_EQ(read_file(install.path("Exe\\language.dat")), "English             \r\n");
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1)));
  expect_normal_end();
}

TEST_F(MainDialogE2E, NameFieldsAndFileListArePaleYellowAndTheDialogCentred) {
  for (int id : {1001, 1002, 1012, 1016}) {
    COLORREF colour = 0;
    EXPECT_TRUE(wait_until([&] { return (colour = colour_inside(dialog, id)) == pale_yellow; }))
        << id << " shows " << std::hex << colour;
  }
  EXPECT_NE(colour_inside(dialog, 1026), pale_yellow) << "the drop-down keeps the system colours";
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &window);
  EXPECT_LE(std::abs((window.left + window.right) / 2 - desktop.right / 2), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) / 2 - desktop.bottom / 2), 2);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1)));
  expect_normal_end();
}

TEST_F(MainDialogE2E, ExitButtonEndsTheLauncher) {
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  expect_normal_end();
}

TEST_F(MainDialogE2E, EscapeEndsTheLauncher) {
  HWND field = GetDlgItem(dialog, 1001);
  PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(field, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  expect_normal_end();
}

TEST_F(MainDialogE2E, TheCloseBoxEndsTheLauncher) {
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  expect_normal_end();
}

TEST_F(MainDialogE2E, ToolButtonsLeaveTheDialogOpen) {
  PostMessageA(GetDlgItem(dialog, 1004), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(dialog, 1013), BM_CLICK, 0, 0);
  EXPECT_TRUE(wait_until([&] { return control_enabled(dialog, 1005); })) << "the switch enables the post-processors";
  EXPECT_TRUE(korvel->running());
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  expect_normal_end();
}

}  // namespace
}  // namespace korvel::e2e
