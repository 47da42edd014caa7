// The Launcher's main dialog from start-up to its end, on the fake platform.
#include "app/main_dialog.h"
#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include "launcher_fixture.h"

namespace korvel {
namespace {

// The check box's six post-processors and Vantik.
constexpr int post_processors[] = {displacement_button, stress_button, reactions_button, time_history_button,
                                   maximum_values_button, max_processor_button, structure_viewer_button};

class MainDialog : public fake::LauncherTest {
 protected:
  void SetUp() override {
    for (const IconFile& icon : icon_files) fake.files.add_file("C:\\KORVEL\\Exe\\Uir\\" + std::string(icon.file), "");
  }
};

TEST_F(MainDialog, FirstValuesAfterStartUp) {
  run([&] {
    ASSERT_NE(w, 0u);
    for (int id : {solver_button, geometry_viewer_button, view_edit_button, print_button})
      EXPECT_FALSE(enabled(id)) << id;
    for (int id : post_processors) EXPECT_FALSE(enabled(id)) << id;
    for (int id : {select_geometry_button, select_loading_button, select_recent_button, geometry_creator_button,
                   loading_creator_button, structure_graph_button, users_guide_button, help_button, about_button,
                   exit_button, post_processor_switch, sound_check_box, geometry_edit, output_edit, loading_edit,
                   file_list, language_list})
      EXPECT_TRUE(enabled(id)) << id;
    // The names hold the bare extensions; the edits show them without padding.
    EXPECT_EQ(control(geometry_edit).text, ".dat");
    EXPECT_EQ(control(output_edit).text, ".rez");
    EXPECT_EQ(control(loading_edit).text, ".inc");
    EXPECT_EQ(state.project.geometry_file.padded(), PathText(".dat").padded());
    EXPECT_EQ(state.project.output_file.padded(), PathText(".rez").padded());
    EXPECT_EQ(state.project.loading_file.padded(), PathText(".inc").padded());
    EXPECT_EQ(control(file_list).items, (std::vector<std::string>{"", "", "", "New"}));
    EXPECT_EQ(control(language_list).items, (std::vector<std::string>{"English", "Romanian"}));
    EXPECT_EQ(control(language_list).current, 0);
    EXPECT_FALSE(control(post_processor_switch).checked);
    EXPECT_TRUE(control(sound_check_box).checked);
    EXPECT_EQ(control(sound_check_box).text, "Sound On");
    EXPECT_EQ(fake.dialogs.windows.at(w).show_command, 1);
    EXPECT_EQ(fake.dialogs.windows.at(w).owner, 0u);

    // Window icon, button images in their places, the pale-yellow fields.
    EXPECT_NE(fake.windows.small_icons.at(w), 0u);
    EXPECT_EQ(fake.windows.small_icons.at(w), control(solver_button).image);
    EXPECT_EQ(control(select_geometry_button).image, control(select_loading_button).image);
    for (int id : icon_button_order) EXPECT_NE(control(id).image, 0u) << id;
    const auto& colouring = fake.windows.coloured.at(w);
    EXPECT_EQ(colouring.edits, (std::vector<int>{geometry_edit, output_edit, loading_edit}));
    EXPECT_EQ(colouring.lists, (std::vector<int>{file_list}));
    EXPECT_EQ(colouring.rgb, 0x00B4FFFFu);

    fake.dialogs.select(w, file_list, 0);  // the Geometry entry before any name is typed
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
      {"iconKorvel.ico", 0, false, {solver_button}},          {"puna.ico", 0, false, {displacement_button}},
      {"Stress2.ico", 0, false, {stress_button}},             {"Reaction2.ico", 0, false, {reactions_button}},
      {"History2.ico", 0, false, {time_history_button}},      {"Max.ico", 0, false, {maximum_values_button}},
      {"Post.ico", 48, false, {max_processor_button}},        {"InputFile1.ico", 0, false, {geometry_creator_button}},
      {"InputFile2.ico", 0, false, {loading_creator_button}}, {"IconStructure.ico", 48, true, {structure_graph_button}},
      {"IconVantik.ico", 48, true, {structure_viewer_button}}, {"IconWord3.ico", 0, false, {users_guide_button}},
      {"Print.ico", 0, false, {print_button}},                {"Notepad.ico", 32, false, {view_edit_button}},
      {"IconExit.ico", 48, false, {exit_button}},             {"About.ico", 48, false, {about_button}},
      {"Open.ico", 0, false, {select_geometry_button, select_loading_button}},
      {"Open5.ico", 0, false, {select_recent_button}},
      {"IconSivra.ico", 0, false, {geometry_viewer_button}},  {"KorvelHelp.ico", 0, false, {help_button}},
  };
  fake.files.remove("C:\\KORVEL\\Exe\\Uir\\Print.ico");
  run([&] { EXPECT_EQ(control(print_button).image, 0u) << "a missing icon leaves its button bare"; });
  ASSERT_EQ(fake.windows.icon_loads.size(), std::size(rows));
  // The buttons' files, read while the welcome window is made, are exactly those then loaded.
  ASSERT_EQ(fake.windows.icons_ahead.size(), std::size(rows) - 1);
  for (std::size_t i = 1; i < std::size(rows); ++i) {
    const auto& load = fake.windows.icon_loads[i];
    EXPECT_EQ(fake.windows.icons_ahead[i - 1], (IconRequest{load.path, load.width, load.height, load.vga_colour}));
  }
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& load = fake.windows.icon_loads[i];
    const Row& row = rows[i];
    EXPECT_EQ(load.path, "C:\\KORVEL\\Exe\\Uir\\" + std::string(row.file)) << "in the table's order";
    EXPECT_EQ(std::tie(load.width, load.height, load.vga_colour), std::tie(row.size, row.size, row.vga_colour)) << row.file;
    for (int button : row.buttons) EXPECT_EQ(control(button).image, load.handle) << row.file;
  }
  EXPECT_TRUE(fake.message_boxes.shown.empty());
}

TEST_F(MainDialog, AtAHigherDpiTheIconsAreAskedForAtTheirScaledSizes) {
  struct Row {
    int dpi;
    int own, post, notepad;  // iconKorvel.ico (0 x 0 at 96), Post.ico (48), Notepad.ico (32)
  } rows[] = {{96, 0, 48, 32}, {120, 40, 60, 40}, {144, 48, 72, 48}, {192, 64, 96, 64}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    fake::FakeLauncher launcher;
    for (const IconFile& icon : icon_files)
      launcher.fake.files.add_file("C:\\KORVEL\\Exe\\Uir\\" + std::string(icon.file), "");
    launcher.fake.windows.system_dpi = row.dpi;
    launcher.run([&] {
      const NativeWindow dialog = launcher.w;
      EXPECT_NE(launcher.fake.windows.big_icons.at(dialog), 0u) << "the taskbar's and Alt+Tab's icon";
      EXPECT_EQ(launcher.fake.windows.big_icons.at(dialog), launcher.fake.windows.small_icons.at(dialog));
    });
    const auto& loads = launcher.fake.windows.icon_loads;
    ASSERT_EQ(loads.size(), icon_files.size()) << "each file read once";
    const auto size_of = [&](std::string_view file) {
      for (const auto& load : loads)
        if (load.path.ends_with(file)) return std::make_pair(load.width, load.height);
      return std::make_pair(-1, -1);
    };
    EXPECT_EQ(size_of("iconKorvel.ico"), std::make_pair(row.own, row.own));
    EXPECT_EQ(size_of("puna.ico"), std::make_pair(row.own, row.own));
    EXPECT_EQ(size_of("Post.ico"), std::make_pair(row.post, row.post));
    EXPECT_EQ(size_of("IconVantik.ico"), std::make_pair(row.post, row.post));
    EXPECT_EQ(size_of("Notepad.ico"), std::make_pair(row.notepad, row.notepad));
    EXPECT_TRUE(loads[10].vga_colour) << "IconVantik.ico keeps its colours";
    // The batch read ahead is asked for at the same sizes, so every button icon comes from it.
    for (std::size_t i = 1; i < loads.size(); ++i)
      EXPECT_EQ(launcher.fake.windows.icons_ahead[i - 1],
                (IconRequest{loads[i].path, loads[i].width, loads[i].height, loads[i].vga_colour}));
  }
}

TEST_F(MainDialog, MovedToAMonitorOfAnotherDpiTheButtonsGetIconsOfTheirNewSize) {
  std::vector<IconHandle> first_images;
  run([&] {
    for (int id : icon_button_order) first_images.push_back(control(id).image);
    const IconHandle application = fake.windows.small_icons.at(w);
    const std::size_t loads_before = fake.windows.icon_loads.size();

    fake.dialogs.dpi_changed(w, 144);
    const auto& loads = fake.windows.icon_loads;
    ASSERT_EQ(loads.size(), loads_before + icon_files.size()) << "the buttons' icons, once each";
    // Each button shows an icon loaded for the new DPI (its sizes: the table test above).
    for (std::size_t i = 0; i < icon_button_order.size(); ++i) {
      const IconHandle image = control(icon_button_order[i]).image;
      EXPECT_NE(image, first_images[i]);
      EXPECT_TRUE(std::any_of(loads.begin() + static_cast<std::ptrdiff_t>(loads_before), loads.end(),
                              [&](const auto& load) { return load.handle == image; }));
    }
    EXPECT_EQ(control(select_geometry_button).image, control(select_loading_button).image);
    // The old icons went once no button showed them; the application icon stays the windows' own.
    EXPECT_EQ(fake.windows.icons_destroyed.size(), icon_files.size() - 1);
    EXPECT_EQ(std::count(fake.windows.icons_destroyed.begin(), fake.windows.icons_destroyed.end(), application), 0);
    EXPECT_EQ(fake.windows.small_icons.at(w), application);

    fake.dialogs.dpi_changed(w, 144);
    EXPECT_EQ(loads.size(), loads_before + icon_files.size()) << "the same DPI again loads nothing";
  });
  EXPECT_EQ(fake.windows.wrong_icon_releases, 0);
  EXPECT_EQ(fake.windows.icons_destroyed.size(), 2 * icon_files.size()) << "every icon loaded, released once";
  EXPECT_EQ(fake.windows.icons_destroyed.back(), fake.windows.icon_loads.front().handle) << "the application's last";
}

TEST_F(MainDialog, InHighContrastTheFieldsAndTheWelcomeWindowKeepTheSystemsColours) {
  fake.windows.high_contrast_on = true;
  run([&] {
    EXPECT_EQ(fake.windows.coloured.count(w), 0u) << "no pale-yellow fields";
    fake.dialogs.click(w, about_button);
    const NativeWindow about = std::prev(fake.windows.welcome.end())->first;
    fake.windows.paint(about);
  });
  ASSERT_TRUE(fake.windows.last_canvas);
  const auto& canvas = *fake.windows.last_canvas;
  EXPECT_TRUE(canvas.system_colours);
  ASSERT_FALSE(canvas.texts.empty());
  for (const auto& text : canvas.texts) EXPECT_EQ(text.colour, fake::FakeCanvas::system_colour) << text.text;
  EXPECT_GE(fake.windows.high_contrast_asks, 2) << "asked at the dialog's start and at each paint";
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
      EXPECT_EQ(row.control(language_list).current, c.item) << c.comvek_record;
      EXPECT_EQ(row.fake.files.content("C:\\KORVEL\\Exe\\language.dat"), LanguageText(c.comvek_record).padded() + "\r\n");
      EXPECT_FALSE(row.state.project.romanian_output) << "set only when the user changes the language";
    });
  }
}

TEST_F(MainDialog, ExitEscapeAndTheCloseBoxEndTheRunAlike) {
  const std::function<void(fake::FakeNativeDialogs&, NativeWindow)> ways[] = {
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.click(window, exit_button); },
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.escape(window); },
      [](fake::FakeNativeDialogs& d, NativeWindow window) { d.close_box(window); },
  };
  for (const auto& end_it : ways) {
    fake::FakeLauncher row;
    fake::FakePlatform& f = row.fake;
    f.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\Jobs\\a.dat\r\n.dat\r\n");
    f.files.add_file("C:\\KORVEL\\Exe\\LORIM.exe", "");
    EXPECT_EQ(row.run([&] {
      f.dialogs.click(row.w, structure_graph_button);  // still running at the end
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
    for (int id : {select_geometry_button, select_loading_button, select_recent_button, geometry_creator_button,
                   loading_creator_button, structure_graph_button, users_guide_button, help_button, about_button})
      fake.dialogs.click(w, id);
    EXPECT_TRUE(fake.dialogs.windows.at(w).open);
  });
}

TEST_F(MainDialog, PostProcessorSwitchEnablesItsSevenButtons) {
  run([&] {
    fake.dialogs.click(w, post_processor_switch);
    for (int id : post_processors) EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(control(geometry_viewer_button).enabled);
    fake.dialogs.click(w, post_processor_switch);
    for (int id : post_processors) EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(control(structure_graph_button).enabled);
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
