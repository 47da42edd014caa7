// The real main dialog of Korvel.exe under Wine, read and driven by control id
// from this separate process.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

constexpr COLORREF pale_yellow = RGB(255, 255, 180);

class MainDialogE2E : public LauncherTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), "C:\\Jobs\\frame.dat\r\n"));
    ASSERT_NO_FATAL_FAILURE(start_korvel());
  }

  // The Launcher ended by itself as after E X I T: code 0, its files in order.
  void expect_normal_end() {
    expect_ended_normally();
    EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), "C:\\Jobs\\frame.dat\r\n");
  }
};

TEST_F(MainDialogE2E, StartsWithTheDescribedControls) {
  for (int id : {solver_button, geometry_viewer_button, displacement_button, stress_button, reactions_button,
                 time_history_button, maximum_values_button, max_processor_button, structure_viewer_button,
                 view_edit_button, print_button})
    EXPECT_FALSE(control_enabled(dialog, id)) << id;
  for (int id : {select_geometry_button, select_loading_button, select_recent_button, geometry_creator_button,
                 loading_creator_button, structure_graph_button, users_guide_button, help_button, about_button,
                 exit_button, post_processor_switch, sound_check_box})
    EXPECT_TRUE(control_enabled(dialog, id)) << id;
  EXPECT_FALSE(control_visible(dialog, dialog_ids::cancel)) << "Cancel is hidden";
  EXPECT_EQ(control_text(dialog, geometry_edit), ".dat");
  EXPECT_EQ(control_text(dialog, output_edit), ".rez");
  EXPECT_EQ(control_text(dialog, loading_edit), ".inc");
  EXPECT_EQ(list_items(dialog, file_list), (std::vector<std::string>{"", "", "", "New"}));
  EXPECT_EQ(drop_down_items(dialog, language_list), (std::vector<std::string>{"English", "Romanian"}));
  EXPECT_EQ(drop_down_selection(dialog, language_list), 0);
  EXPECT_EQ(control_text(dialog, sound_check_box), "Sound On");
  EXPECT_TRUE(control_checked(dialog, sound_check_box));
  EXPECT_FALSE(control_checked(dialog, post_processor_switch));
  EXPECT_EQ(control_text(dialog, post_processor_switch), "Post-Processors and Structure Vantik");
  EXPECT_EQ(read_file(install.path("Exe\\language.dat")), "English             \r\n");
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(exit_button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, exit_button)));
  expect_normal_end();
}

TEST_F(MainDialogE2E, NameFieldsAndFileListArePaleYellowAndTheDialogCentred) {
  for (int id : {geometry_edit, output_edit, loading_edit, file_list}) {
    COLORREF colour = 0;
    EXPECT_TRUE(wait_until([&] { return (colour = colour_inside(dialog, id)) == pale_yellow; }))
        << id << " shows " << std::hex << colour;
  }
  EXPECT_NE(colour_inside(dialog, language_list), pale_yellow) << "the drop-down keeps the system colours";
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &window);
  EXPECT_LE(std::abs((window.left + window.right) / 2 - desktop.right / 2), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) / 2 - desktop.bottom / 2), 2);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(exit_button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, exit_button)));
  expect_normal_end();
}

TEST_F(MainDialogE2E, ExitButtonEndsTheLauncher) {
  click(dialog, exit_button);
  expect_normal_end();
}

TEST_F(MainDialogE2E, EscapeEndsTheLauncher) {
  HWND field = GetDlgItem(dialog, geometry_edit);
  PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(field, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  expect_normal_end();
}

TEST_F(MainDialogE2E, TheCloseBoxEndsTheLauncher) {
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  expect_normal_end();
}

TEST_F(MainDialogE2E, ToolButtonsLeaveTheDialogOpen) {
  click(dialog, structure_graph_button);
  click(dialog, post_processor_switch);
  EXPECT_TRUE(wait_until([&] { return control_enabled(dialog, displacement_button); }))
      << "the switch enables the post-processors";
  EXPECT_TRUE(korvel->running());
  click(dialog, exit_button);
  expect_normal_end();
}

}  // namespace
}  // namespace korvel::e2e
