// The welcome window at start-up, the About windows and the Sound switch of
// the real Korvel.exe.
#include <gtest/gtest.h>

#include <chrono>

#include "harness.h"

namespace korvel::e2e {
namespace {

std::vector<HWND> welcome_windows(DWORD process_id) { return top_windows(process_id, "Welcome"); }

void click_on(HWND window) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

TEST(Welcome, TheSplashComesFirstAndAClickEndsIt) {
  Installation install("splash-click");
  Program korvel = install.start_launcher();
  HWND splash = nullptr;
  ASSERT_TRUE(wait_until([&] { return (splash = find_window(korvel.id(), "Welcome")) != nullptr; }));
  EXPECT_EQ(window_text(splash), "Welcome");
  EXPECT_EQ(find_window(korvel.id(), "#32770"), nullptr) << "the main dialog waits for the splash";
  RECT desktop, rect;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.right - rect.left, static_cast<int>(static_cast<float>(desktop.right) / 2.5f));
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(static_cast<float>(desktop.bottom) / 2.5f));

  const auto clicked = std::chrono::steady_clock::now();
  click_on(splash);
  HWND dialog = nullptr;
  ASSERT_TRUE(wait_until([&] { return (dialog = find_window(korvel.id(), "#32770")) != nullptr; }, 10s));
  const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
  EXPECT_LT(after.count(), 3000) << "the click does not wait for the timer";
  EXPECT_FALSE(IsWindow(splash));
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(korvel.wait_for_exit(), 0u);
}

TEST(Welcome, UntouchedTheSplashEndsAfterAboutFourSeconds) {
  Installation install("splash-timer");
  Program korvel = install.start_launcher();
  ASSERT_TRUE(wait_until([&] { return find_window(korvel.id(), "Welcome") != nullptr; }));
  const auto shown = std::chrono::steady_clock::now();
  HWND dialog = nullptr;
  ASSERT_TRUE(wait_until([&] { return (dialog = find_window(korvel.id(), "#32770")) != nullptr; }, 30s));
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - shown);
  std::printf("splash shown for %lld ms\n", static_cast<long long>(waited.count()));
  EXPECT_GE(waited.count(), 3000) << "measured, not asserted tightly";
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(korvel.wait_for_exit(), 0u);
}

TEST(Welcome, EachAboutClickOpensAnotherWindow) {
  Installation install("about");
  Program korvel = install.start_launcher();
  HWND dialog = wait_for_dialog(korvel.id(), "KORVEL", 30s);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(GetDlgItem(dialog, 1018), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(dialog, 1018), BM_CLICK, 0, 0);
  std::vector<HWND> about;
  ASSERT_TRUE(wait_until([&] { return (about = welcome_windows(korvel.id())).size() == 2; }));
  for (HWND window : about) EXPECT_EQ(window_text(window), "About KORVEL");
  click_on(about[0]);
  EXPECT_TRUE(wait_until([&] { return welcome_windows(korvel.id()).size() == 1; })) << "a click closes only it";
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(korvel.wait_for_exit(), 0u);
}

TEST(Welcome, TheSoundSwitchIsSavedAtOnceInTheExeFolder) {
  Installation install("sound-switch");
  Program korvel = install.start_launcher();
  HWND dialog = wait_for_dialog(korvel.id(), "KORVEL", 30s);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(GetDlgItem(dialog, 1028), BM_CLICK, 0, 0);
  EXPECT_TRUE(wait_until([&] { return read_file(install.path("Exe\\Sound.dat")) == " F\r\n"; }));
  EXPECT_TRUE(wait_until([&] { return control_text(dialog, 1028) == "Sound Off"; }));
  PostMessageA(GetDlgItem(dialog, 1028), BM_CLICK, 0, 0);
  EXPECT_TRUE(wait_until([&] { return read_file(install.path("Exe\\Sound.dat")) == " T\r\n"; }));
  EXPECT_TRUE(wait_until([&] { return control_text(dialog, 1028) == "Sound On"; }));
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(korvel.wait_for_exit(), 0u);
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
}

// Another program holds Sound.dat while the Launcher reads it and lets it go
// while the welcome window shows: the file keeps the user's setting (in a
// spelling of its own here, so that a rewrite shows) until the box is clicked.
TEST(Welcome, ASoundDatThatCannotBeReadIsLeftUntilTheSwitchChanges) {
  Installation install("sound-held");
  const std::string sound = install.path("Exe\\Sound.dat");
  ASSERT_TRUE(write_file(sound, "  .f\r\n"));
  HANDLE held = CreateFileA(sound.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Program korvel = install.start_launcher();
  HWND splash = nullptr;
  const bool shown = wait_until([&] { return (splash = find_window(korvel.id(), "Welcome")) != nullptr; });
  // Answered once the Launcher serves the welcome window, after it read the switch.
  DWORD_PTR unused = 0;
  if (shown) SendMessageTimeoutA(splash, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &unused);
  CloseHandle(held);
  ASSERT_TRUE(shown);

  HWND dialog = wait_for_dialog(korvel.id(), "KORVEL", 30s);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(control_checked(dialog, 1028)) << "the run goes on with the sound on";
  EXPECT_EQ(read_file(sound), "  .f\r\n");
  PostMessageA(GetDlgItem(dialog, 1028), BM_CLICK, 0, 0);
  EXPECT_TRUE(wait_until([&] { return read_file(sound) == " F\r\n"; }));
  PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(korvel.wait_for_exit(), 0u);
}

}  // namespace
}  // namespace korvel::e2e
