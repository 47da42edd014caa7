// The welcome window at start-up, the About windows and the Sound switch.
#include "ui/welcome_window.h"

#include <gtest/gtest.h>

#include "launcher_fixture.h"

namespace korvel {
namespace {

const fake::FakeCanvas::Text* find_text(const fake::FakeCanvas& canvas, std::string_view start) {
  for (const auto& text : canvas.texts)
    if (std::string_view(text.text).substr(0, start.size()) == start) return &text;
  return nullptr;
}

TEST(WelcomePainting, PlacesFollowTheResolution) {
  for (int ppi : {96, 120}) {
    fake::FakeCanvas canvas(ppi, ppi);
    paint_welcome(canvas, 1);
    const int a = ppi / 8;
    ASSERT_TRUE(canvas.icon_at);
    EXPECT_EQ(*canvas.icon_at, std::make_pair(a, a)) << ppi;

    const auto* title = find_text(canvas, "KORVEL 2020");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "KORVEL 2020 ") << "twelve characters, the blank included";
    EXPECT_EQ(std::make_pair(title->x, title->y), ppi == 96 ? std::make_pair(48, 18) : std::make_pair(60, 22));
    EXPECT_EQ(title->colour, 0x000000FFu);
    ASSERT_GE(canvas.fonts_made.size(), 2u);
    EXPECT_EQ(canvas.fonts_made[0].height, ppi == 96 ? -19 : -23);  // 14 points, rounded
    EXPECT_EQ(canvas.fonts_made[0].weight, 600);
    EXPECT_TRUE(canvas.fonts_made[0].italic);
    EXPECT_EQ(canvas.fonts_made[0].face, "TmsRoman");
    EXPECT_EQ(canvas.fonts_made[1].height, ppi == 96 ? -12 : -15);  // 9 points
    EXPECT_EQ(canvas.fonts_made[1].face, "Arial");

    const auto* windows_line = find_text(canvas, "For Windows");
    ASSERT_NE(windows_line, nullptr);
    EXPECT_EQ(windows_line->text.size(), 100u) << "lines are drawn from their fields";
    EXPECT_EQ(windows_line->colour, 0u);
    const int title_line = -canvas.fonts_made[0].height + -canvas.fonts_made[0].height / 5;
    const int y1 = title->y + title_line;
    EXPECT_EQ(windows_line->y, y1);
    const int L = 16 * ppi / 96;
    EXPECT_EQ(find_text(canvas, "Non-Linear")->y, y1 + 2 * L);
    EXPECT_EQ(find_text(canvas, "Pin-Jointed")->y, y1 + 3 * L);
    std::vector<std::pair<int, int>> two_blanks;
    for (const auto& text : canvas.texts)
      if (text.text == "  ") two_blanks.emplace_back(text.x, text.y);
    EXPECT_EQ(two_blanks, (std::vector<std::pair<int, int>>{{ppi / 4, y1 + L}, {ppi / 4, y1 + 4 * L}}));
    const auto* copyright = find_text(canvas, "Copyright");
    ASSERT_NE(copyright, nullptr);
    EXPECT_EQ(std::make_pair(copyright->x, copyright->y), std::make_pair(a, y1 + 6 * L));

    ASSERT_EQ(canvas.rules.size(), 1u);
    const auto [x1, x2, y7] = canvas.rules[0];
    EXPECT_EQ(y7, y1 + 7 * L);
    EXPECT_EQ(x1, a);
    EXPECT_EQ(x2 - x1, 58 * 7) << "the width of 58 characters of the padded line";

    ASSERT_EQ(canvas.wrapped.size(), 1u);
    const Rect warning = canvas.wrapped[0].first;
    EXPECT_EQ(warning.left, a);
    EXPECT_EQ(warning.width(), 5 * ppi);
    EXPECT_EQ(warning.height(), ppi);
    EXPECT_EQ(warning.top, y7 + ppi / 4);
    EXPECT_EQ(canvas.wrapped[0].second.size(), 300u);
  }
}

// The warning keeps its five inches where the window holds them, else it ends
// the left margin short of the client area's right edge. A welcome window is
// two fifths of the desktop wide: 512 pixels (506 inside) on a 1280-wide one.
TEST(WelcomePainting, TheWarningStaysInsideTheWindow) {
  struct Row {
    int ppi, client_width;
    int left, right;
  } rows[] = {
      {96, 506, 12, 492},       // as described: 12 + 5 * 96
      {96, 492 + 12, 12, 492},  // just fits
      {96, 400, 12, 388},       // a 1000-wide desktop
      {144, 506, 18, 488},      {192, 506, 24, 482}, {192, 762, 24, 738}, {144, 1200, 18, 738},
      {192, 10, 24, 25},  // no room at all: one pixel, never inside out
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.ppi << " dpi, " << row.client_width << " wide");
    fake::FakeCanvas canvas(row.ppi, row.ppi);
    canvas.area_width = row.client_width;
    paint_welcome(canvas, 1);
    ASSERT_EQ(canvas.wrapped.size(), 1u);
    const Rect warning = canvas.wrapped[0].first;
    EXPECT_EQ(std::make_pair(warning.left, warning.right), std::make_pair(row.left, row.right));
    EXPECT_EQ(warning.height(), row.ppi) << "one inch high, as described";
  }
}

TEST(WelcomePainting, InHighContrastEverythingIsInTheSystemsColoursInTheSamePlaces) {
  fake::FakeCanvas plain, contrast;
  paint_welcome(plain, 1);
  paint_welcome(contrast, 1, true);
  EXPECT_FALSE(plain.system_colours);
  EXPECT_TRUE(contrast.system_colours) << "the rule too";
  ASSERT_EQ(contrast.texts.size(), plain.texts.size());
  for (std::size_t i = 0; i < plain.texts.size(); ++i) {
    EXPECT_NE(plain.texts[i].colour, fake::FakeCanvas::system_colour);
    EXPECT_EQ(contrast.texts[i].colour, fake::FakeCanvas::system_colour) << contrast.texts[i].text;
    EXPECT_EQ(std::tie(contrast.texts[i].x, contrast.texts[i].y, contrast.texts[i].text),
              std::tie(plain.texts[i].x, plain.texts[i].y, plain.texts[i].text));
  }
  EXPECT_EQ(contrast.rules, plain.rules);
}

TEST(WelcomePainting, WithoutFontsTheTextStillShows) {
  fake::FakeCanvas canvas;
  canvas.fail_fonts = true;
  paint_welcome(canvas, 0);
  EXPECT_NE(find_text(canvas, "KORVEL 2020"), nullptr);
  EXPECT_EQ(canvas.wrapped.size(), 1u);
}

TEST(WelcomePainting, HiddenOrMinimisedStartsShowTheWindowNormally) {
  for (int hidden : {0, 2, 6, 7, 11}) EXPECT_EQ(splash_show_command(hidden), show_normally) << hidden;
  for (int shown : {1, 3, 5, 10}) EXPECT_EQ(splash_show_command(shown), shown);
}

class Welcome : public fake::LauncherTest {};

TEST_F(Welcome, SplashPaintsWithSoundThenItsTimerEndsIt) {
  bool dialog_before_splash_ended = false;
  fake.windows.splash_actions.push_back(
      [&] { dialog_before_splash_ended = fake.dialogs.find(main_dialog_template) != 0; });
  run();
  ASSERT_EQ(fake.windows.welcome.size(), 1u);
  const auto& [splash, window] = *fake.windows.welcome.begin();
  EXPECT_EQ(window.title, "Welcome");
  EXPECT_EQ(std::make_pair(window.width, window.height), std::make_pair(512, 409));  // 1280 x 1024 / 2.5
  EXPECT_EQ(window.timer_ms, 4000u);
  EXPECT_FALSE(window.alive);
  EXPECT_EQ(fake.windows.positions.at(splash), std::make_pair(384, 307)) << "centred";
  EXPECT_FALSE(dialog_before_splash_ended) << "nothing else starts while the splash shows";
  EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"KorvelWelcome.wav", "GoodBye.wav"}));
}

TEST_F(Welcome, AClickEndsTheSplashAtOnceAndARepaintRestartsItsSound) {
  fake.windows.splash_actions.push_back([&] { fake.windows.paint(state.ui.splash.window); });
  fake.windows.splash_actions.push_back(
      [&] { state.welcome_windows.welcome_clicked(state.ui.splash.window); });
  run();
  EXPECT_EQ(fake.windows.welcome.begin()->second.paints, 2);
  EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"KorvelWelcome.wav", "KorvelWelcome.wav", "GoodBye.wav"}));
}

TEST_F(Welcome, WithTheSwitchOffTheSplashIsSilent) {
  fake.files.add_file("C:\\KORVEL\\Exe\\Sound.dat", " F\r\n");
  run([&] {
    EXPECT_FALSE(control(sound_check_box).checked);
    EXPECT_EQ(control(sound_check_box).text, "Sound Off");
  });
  EXPECT_TRUE(fake.sound.played.empty());
  EXPECT_EQ(fake.windows.welcome.begin()->second.timer_ms, 4000u);
}

TEST_F(Welcome, TheSplashsCloseBoxSilencesLaterPaints) {
  // The close box: the class's close handler, then default processing destroys it.
  fake.windows.splash_actions.push_back([&] {
    state.welcome_windows.welcome_closing(state.ui.splash.window);
    fake.windows.destroy_window(state.ui.splash.window);
  });
  run([&] {
    fake.dialogs.click(w, about_button);
    fake.windows.paint(fake.windows.welcome.rbegin()->first);
  });
  EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"KorvelWelcome.wav", "GoodBye.wav"}));
}

TEST_F(Welcome, HiddenStartShowsTheSplashNormally) {
  EXPECT_EQ(run(nullptr, 0), 0);
  EXPECT_EQ(fake.windows.welcome.begin()->second.show_command, show_normally);
}

TEST_F(Welcome, AboutOpensOneSilentWindowPerClick) {
  run([&] {
    fake.dialogs.click(w, about_button);
    fake.dialogs.click(w, about_button);
    for (const auto& [window, about] : fake.windows.welcome) {
      if (window == state.ui.splash.window) continue;
      EXPECT_EQ(about.title, "About KORVEL");
      EXPECT_EQ(std::make_pair(about.width, about.height), std::make_pair(512, 409));
      EXPECT_EQ(about.show_command, show_window);
      EXPECT_EQ(fake.windows.positions.at(window), std::make_pair(384, 307));
      fake.windows.paint(window);
      EXPECT_FALSE(about.timer_ms) << "its paint arms the ended splash's timer, not its own";
    }
  });
  EXPECT_EQ(fake.windows.welcome.size(), 3u);
  EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"KorvelWelcome.wav", "GoodBye.wav"})) << "About is silent";
}

TEST_F(Welcome, NoWelcomeClassOrWindowMeansTheStartUpError) {
  for (bool class_fails : {true, false}) {
    fake::FakeLauncher row;
    fake::FakePlatform& f = row.fake;
    f.windows.fail_register = class_fails;
    f.windows.fail_welcome_window = !class_fails;
    EXPECT_EQ(run_launcher(row.state, 1), 0);
    ASSERT_EQ(f.message_boxes.shown.size(), 1u);
    EXPECT_EQ(f.message_boxes.shown[0].text, "Error initializing application Korvel");
    EXPECT_EQ(f.dialogs.windows.size(), 0u);
    EXPECT_EQ(f.windows.icons_ahead.size(), icon_files.size() - 1) << "asked for before the welcome window";
  }
}

TEST_F(Welcome, TheSoundSwitchRetitlesItselfAndIsSavedInTheExeFolder) {
  fake.file_dialogs.answers = {"D:\\Data\\frame.dat"};
  run([&] {
    fake.dialogs.click(w, sound_check_box);
    EXPECT_EQ(control(sound_check_box).text, "Sound Off");
    EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " F\r\n");
    fake.dialogs.click(w, select_geometry_button);  // the current directory moves to D:\Data
    fake.dialogs.click(w, sound_check_box);
    EXPECT_EQ(control(sound_check_box).text, "Sound On");
    EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " T\r\n");
    EXPECT_FALSE(fake.files.has("D:\\Data\\Sound.dat"));
    fake.dialogs.click(w, sound_check_box);
  });
  EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"KorvelWelcome.wav"})) << "switched off before the exit";
}

}  // namespace
}  // namespace korvel
