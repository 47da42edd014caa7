// The Launcher's main dialog from start-up to its end, on the fake platform.
#include "app/main_dialog.h"
#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include "launcher_fixture.h"

namespace korvel {
namespace {

class MainDialog : public fake::LauncherTest {
 protected:
  void SetUp() override {
    for (const IconFile& icon : icon_files) fake.files.add_file("C:\\KORVEL\\Exe\\Uir\\" + std::string(icon.file), "");
  }
};

TEST_F(MainDialog, FirstValuesAfterStartUp) {
  run([&] {
    ASSERT_NE(w, 0u);
    for (int id : {1003, 1023, 1005, 1006, 1022, 1007, 1008, 1014, 1019, 1010, 1021})
      EXPECT_FALSE(control(id).enabled) << id;
    for (int id : {1000, 1011, 1020, 1015, 1017, 1004, 1025, 1027, 1018, 1, 1013, 1028, 1001, 1002, 1012, 1016, 1026})
      EXPECT_TRUE(control(id).enabled) << id;
    // The names hold the bare extensions; the edits show them without padding.
    EXPECT_EQ(control(1001).text, ".dat");
    EXPECT_EQ(control(1002).text, ".rez");
    EXPECT_EQ(control(1012).text, ".inc");
    EXPECT_EQ(state.project.geometry_file.padded(), PathText(".dat").padded());
    EXPECT_EQ(state.project.output_file.padded(), PathText(".rez").padded());
    EXPECT_EQ(state.project.loading_file.padded(), PathText(".inc").padded());
    EXPECT_EQ(control(1016).items, (std::vector<std::string>{"", "", "", "New"}));
    EXPECT_EQ(control(1026).items, (std::vector<std::string>{"English", "Romanian"}));
    EXPECT_EQ(control(1026).current, 0);
    EXPECT_FALSE(control(1013).checked);
    EXPECT_TRUE(control(1028).checked);
    EXPECT_EQ(control(1028).text, "Sound On");
    EXPECT_EQ(fake.dialogs.windows.at(w).show_command, 1);
    EXPECT_EQ(fake.dialogs.windows.at(w).owner, 0u);

    // Window icon, button images in their places, the pale-yellow fields.
    EXPECT_NE(fake.windows.small_icons.at(w), 0u);
    EXPECT_EQ(fake.windows.small_icons.at(w), control(1003).image);
    EXPECT_EQ(control(1000).image, control(1011).image);
    for (int id : icon_button_order) EXPECT_NE(control(id).image, 0u) << id;
    const auto& colouring = fake.windows.coloured.at(w);
    EXPECT_EQ(colouring.edits, (std::vector<int>{1001, 1002, 1012}));
    EXPECT_EQ(colouring.lists, (std::vector<int>{1016}));
    EXPECT_EQ(colouring.rgb, 0x00B4FFFFu);

    fake.dialogs.select(w, 1016, 0);  // the Geometry entry before any name is typed
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(fake.message_boxes.shown[0].text, "\".dat\": File NOT found.\n\nCheck for File Name !");
  });
}

TEST_F(MainDialog, IconsComeFromUirAtTheirSizes) {
  struct Row {
    const char* file;
    int size;  // 0: the size stored in the file
    bool vga_colour;
    std::vector<int> buttons;
  } rows[] = {
      {"iconKorvel.ico", 0, false, {1003}},   {"puna.ico", 0, false, {1005}},
      {"Stress2.ico", 0, false, {1006}},      {"Reaction2.ico", 0, false, {1022}},
      {"History2.ico", 0, false, {1007}},     {"Max.ico", 0, false, {1008}},
      {"Post.ico", 48, false, {1014}},        {"InputFile1.ico", 0, false, {1015}},
      {"InputFile2.ico", 0, false, {1017}},   {"IconStructure.ico", 48, true, {1004}},
      {"IconVantik.ico", 48, true, {1019}},   {"IconWord3.ico", 0, false, {1025}},
      {"Print.ico", 0, false, {1021}},        {"Notepad.ico", 32, false, {1010}},
      {"IconExit.ico", 48, false, {1}},       {"About.ico", 48, false, {1018}},
      {"Open.ico", 0, false, {1000, 1011}},   {"Open5.ico", 0, false, {1020}},
      {"IconSivra.ico", 0, false, {1023}},    {"KorvelHelp.ico", 0, false, {1027}},
  };
  fake.files.remove("C:\\KORVEL\\Exe\\Uir\\Print.ico");
  run([&] { EXPECT_EQ(control(1021).image, 0u) << "a missing icon leaves its button bare"; });
  ASSERT_EQ(fake.windows.icon_loads.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& load = fake.windows.icon_loads[i];
    const Row& row = rows[i];
    EXPECT_EQ(load.path, "C:\\KORVEL\\Exe\\Uir\\" + std::string(row.file)) << "in the table's order";
    EXPECT_EQ(std::tie(load.width, load.height, load.vga_colour), std::tie(row.size, row.size, row.vga_colour)) << row.file;
    for (int button : row.buttons) EXPECT_EQ(control(button).image, load.handle) << row.file;
  }
  EXPECT_TRUE(fake.message_boxes.shown.empty());
}

TEST_F(MainDialog, StartUpLanguageChoosesTheItemAndGoesToLanguageDatAsRead) {
  struct Case {
    std::string comvek_record;
    int item;
  } cases[] = {{"Romanian", 1}, {"romanian", 1}, {"R", 1}, {"English", 0}, {"", 0}, {" Romanian", 0}, {"Deutsch", 0}};
  for (const Case& c : cases) {
    fake::FakeLauncher row;
    row.fake.files.add_file("C:\\KORVEL\\Exe\\work_dir.dat", "D:\\Work\r\n");
    row.fake.files.add_file("D:\\Work\\ComVek.dat", "older\r\n" + c.comvek_record + "\r\n");
    row.run([&] {
      EXPECT_EQ(row.control(1026).current, c.item) << c.comvek_record;
      EXPECT_EQ(row.fake.files.content("C:\\KORVEL\\Exe\\language.dat"), LanguageText(c.comvek_record).padded() + "\r\n");
      EXPECT_FALSE(row.state.project.romanian_output) << "set only when the user changes the language";
    });
  }
}

TEST_F(MainDialog, ExitEscapeAndTheCloseBoxEndTheRunAlike) {
  const std::function<void(fake::FakeNativeDialogs&, NativeWindow)> ways[] = {
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.click(window, 1); },
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.escape(window); },
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.close_box(window); },
  };
  for (const auto& end_it : ways) {
    fake::FakeLauncher row;
    fake::FakePlatform& f = row.fake;
    f.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\Jobs\\a.dat\r\n.dat\r\n");
    f.files.add_file("C:\\KORVEL\\Exe\\LORIM.exe", "");
    EXPECT_EQ(row.run([&] {
      f.dialogs.click(row.w, 1004);  // still running at the end
      end_it(f.dialogs, row.w);
      f.windows.user_actions.push_back([] { ADD_FAILURE() << "the loop went on after the dialog ended"; });
    }), 0);
    EXPECT_EQ(f.windows.quit_posted, 0);
    EXPECT_EQ(f.files.content("C:\\KORVEL\\Exe\\recent.dat"), "C:\\Jobs\\a.dat\r\n") << "saved at exit";
    EXPECT_FALSE(f.files.has("C:\\KORVEL\\Exe\\language.dat"));
    EXPECT_TRUE(row.state.main_dialog.controls.empty()) << "the record is freed";
    ASSERT_EQ(f.message_boxes.shown.size(), 1u);
    EXPECT_EQ(f.message_boxes.shown[0].text, "1 Program Is Still Running!\nWould You Like to Terminate It?");
  }
}

TEST_F(MainDialog, ButtonsWithRoutinesDoNotEndTheDialog) {
  run([&] {
    for (int id : {1000, 1011, 1020, 1015, 1017, 1004, 1025, 1027, 1018}) fake.dialogs.click(w, id);
    EXPECT_TRUE(fake.dialogs.windows.at(w).open);
  });
}

TEST_F(MainDialog, PostProcessorSwitchEnablesItsSevenButtons) {
  run([&] {
    fake.dialogs.click(w, 1013);
    for (int id : {1005, 1006, 1022, 1007, 1008, 1014, 1019}) EXPECT_TRUE(control(id).enabled) << id;
    EXPECT_FALSE(control(1023).enabled);
    fake.dialogs.click(w, 1013);
    for (int id : {1005, 1006, 1022, 1007, 1008, 1014, 1019}) EXPECT_FALSE(control(id).enabled) << id;
    EXPECT_TRUE(control(1004).enabled);
  });
}

TEST_F(MainDialog, ADialogThatCannotBeMadeEndsWithTheStartUpError) {
  fake.dialogs.fail_create = true;
  EXPECT_EQ(run_launcher(state, 1), 0);
  ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown[0].text, "Error initializing application Korvel");
  EXPECT_EQ(fake.message_boxes.shown[0].caption, "Error");
  EXPECT_EQ(fake.message_boxes.shown[0].type, mb::ok);
  // What set-up wrote stays; nothing is saved or deleted on this path.
  EXPECT_TRUE(fake.files.has("C:\\KORVEL\\Exe\\language.dat"));
  EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " T\r\n");
  EXPECT_EQ(fake.sound.played, std::vector<std::string>{"C:\\KORVEL\\Exe\\Wav\\KorvelWelcome.wav"}) << "no farewell";
}

TEST(CentreOnDesktop, KeepsTheWindowOnTheDesktop) {
  struct Case {
    Rect window;
    std::pair<int, int> at;
  } cases[] = {
      {{0, 0, 512, 409}, {384, 307}},
      {{100, 100, 611, 508}, {384, 308}},    // odd sizes truncate
      {{0, 0, 1280, 1024}, {0, 0}},
      {{0, 0, 1500, 1100}, {0, 0}},           // larger than the desktop: its top-left corner
      {{0, 0, 1500, 300}, {0, 362}},
  };
  for (const Case& c : cases) EXPECT_EQ(centred_position({0, 0, 1280, 1024}, c.window), c.at);
}

}  // namespace
}  // namespace korvel
