// The welcome window at start-up, the About windows and the Sound switch of
// the real Korvel.exe.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "harness.h"

namespace korvel::e2e {
namespace {

std::vector<HWND> welcome_windows(DWORD process_id) { return top_windows(process_id, "Welcome"); }

void click_on(HWND window) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

class Welcome : public LauncherTest {
 protected:
  // Starts Korvel.exe without waiting for the main dialog: the welcome window, once it shows.
  HWND start_to_the_splash() {
    korvel.emplace(install.start_launcher());
    HWND splash = nullptr;
    wait_until([&] { return (splash = find_window(korvel->id(), "Welcome")) != nullptr; });
    return splash;
  }
  // The main dialog, once the welcome window has gone by itself or by a click.
  bool main_dialog_within(std::chrono::milliseconds limit) {
    return wait_until([&] { return (dialog = find_window(korvel->id(), "#32770")) != nullptr; }, limit);
  }
};

TEST_F(Welcome, TheSplashComesFirstAndAClickEndsIt) {
  HWND splash = start_to_the_splash();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(window_text(splash), "Welcome");
  EXPECT_EQ(find_window(korvel->id(), "#32770"), nullptr) << "the main dialog waits for the splash";
  RECT desktop, rect;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.right - rect.left, static_cast<int>(static_cast<float>(desktop.right) / 2.5f));
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(static_cast<float>(desktop.bottom) / 2.5f));
  EXPECT_EQ(rect.left, (desktop.right - (rect.right - rect.left)) / 2) << "centred";
  EXPECT_EQ(rect.top, (desktop.bottom - (rect.bottom - rect.top)) / 2);

  const auto clicked = std::chrono::steady_clock::now();
  click_on(splash);
  ASSERT_TRUE(main_dialog_within(10s));
  const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
  EXPECT_LT(after.count(), 3000) << "the click does not wait for the timer";
  EXPECT_FALSE(IsWindow(splash));
  exit_normally();
}

// The prefix's DPI (HKCU\\Control Panel\\Desktop LogPixels) for the programs
// started while it lives; the value before is put back when it goes.
class PrefixDpi {
 public:
  explicit PrefixDpi(DWORD dpi) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                    nullptr);
    DWORD size = sizeof before_;
    had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before_), &size) ==
           ERROR_SUCCESS;
    RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  ~PrefixDpi() {
    if (had_)
      RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_), sizeof before_);
    else
      RegDeleteValueA(key_, "LogPixels");
    RegCloseKey(key_);
  }
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD before_ = 0;
  bool had_ = false;
};

// The screen's pixels of a window's client area, copied at once.
class ClientPixels {
 public:
  explicit ClientPixels(HWND window) {
    GetClientRect(window, &client_);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client_.right, client_.bottom);
    previous_ = SelectObject(dc_, bitmap_);
    BitBlt(dc_, 0, 0, client_.right, client_.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  ~ClientPixels() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  ClientPixels(const ClientPixels&) = delete;
  ClientPixels& operator=(const ClientPixels&) = delete;

  int width() const { return client_.right; }
  int height() const { return client_.bottom; }
  // Pixels of the columns [x0, x1) that are not `colour`.
  int other_than(COLORREF colour, int x0, int x1) const {
    int n = 0;
    for (int y = 0; y < client_.bottom; ++y)
      for (int x = std::max(0, x0); x < std::min(x1, static_cast<int>(client_.right)); ++x)
        n += GetPixel(dc_, x, y) != colour;
    return n;
  }

 private:
  RECT client_{};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// At 144 dpi the welcome window, two fifths of a 1280-wide screen, no longer
// holds the warning's five inches: its lines end short of the right edge. (The
// main dialog's large icon is checked in-process: Wine answers WM_GETICON from
// another process with nothing.)
TEST_F(Welcome, AtAHigherDpiTheWarningStaysInsideTheWindow) {
  const PrefixDpi dpi(144);
  HWND splash = start_to_the_splash();
  ASSERT_NE(splash, nullptr);
  const COLORREF window_colour = GetSysColor(COLOR_WINDOW);
  // Painted once both halves show something; the warning's lines then end left of the margin.
  bool painted = false;
  int past_the_margin = -1;
  wait_until(
      [&] {
        const ClientPixels pixels(splash);
        painted = pixels.other_than(window_colour, 0, pixels.width() / 2) > 0 &&
                  pixels.other_than(window_colour, pixels.width() / 2, pixels.width()) > 0;
        past_the_margin = pixels.other_than(window_colour, pixels.width() - 144 / 8 + 1, pixels.width());
        return painted && past_the_margin == 0;
      },
      3s);
  EXPECT_TRUE(painted);
  EXPECT_EQ(past_the_margin, 0) << "nothing drawn in the right margin: the warning is not cut";

  click_on(splash);
  ASSERT_TRUE(main_dialog_within(10s));
  RECT rect;
  GetWindowRect(dialog, &rect);
  EXPECT_GT(rect.right - rect.left, 700) << "laid out at 144 dpi (524 pixels wide at 96)";
  exit_normally();
}

TEST_F(Welcome, UntouchedTheSplashEndsAfterAboutFourSeconds) {
  ASSERT_NE(start_to_the_splash(), nullptr);
  const auto shown = std::chrono::steady_clock::now();
  ASSERT_TRUE(main_dialog_within(30s));
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - shown);
  std::printf("splash shown for %lld ms\n", static_cast<long long>(waited.count()));
  EXPECT_GE(waited.count(), 3000) << "measured, not asserted tightly";
  exit_normally();
}

TEST_F(Welcome, EachAboutClickOpensAnotherWindow) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  click(dialog, about_button);
  click(dialog, about_button);
  std::vector<HWND> about;
  ASSERT_TRUE(wait_until([&] { return (about = welcome_windows(korvel->id())).size() == 2; }));
  for (HWND window : about) EXPECT_EQ(window_text(window), "About KORVEL");
  click_on(about[0]);
  EXPECT_TRUE(wait_until([&] { return welcome_windows(korvel->id()).size() == 1; })) << "a click closes only it";
  exit_normally();
}

// Escape closes only the About window it is pressed in, as its close box does;
// the Launcher runs on.
TEST_F(Welcome, EscapeClosesAnAboutWindow) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  click(dialog, about_button);
  click(dialog, about_button);
  std::vector<HWND> about;
  ASSERT_TRUE(wait_until([&] { return (about = welcome_windows(korvel->id())).size() == 2; }));
  PostMessageA(about[1], WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(about[1], WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
  EXPECT_TRUE(wait_until([&] { return welcome_windows(korvel->id()).size() == 1; }));
  EXPECT_FALSE(IsWindow(about[1]));
  EXPECT_TRUE(IsWindow(about[0]));
  EXPECT_TRUE(IsWindow(dialog) && korvel->running()) << "the Launcher runs on";
  exit_normally();
}

TEST_F(Welcome, TheSoundSwitchIsSavedAtOnceInTheExeFolder) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  click(dialog, sound_check_box);
  EXPECT_TRUE(wait_until([&] { return read_file(install.path("Exe\\Sound.dat")) == " F\r\n"; }));
  EXPECT_TRUE(wait_until([&] { return control_text(dialog, sound_check_box) == "Sound Off"; }));
  click(dialog, sound_check_box);
  EXPECT_TRUE(wait_until([&] { return read_file(install.path("Exe\\Sound.dat")) == " T\r\n"; }));
  EXPECT_TRUE(wait_until([&] { return control_text(dialog, sound_check_box) == "Sound On"; }));
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
}

// Another program holds Sound.dat while the Launcher reads it and lets it go
// while the welcome window shows: the file keeps the user's setting (in a
// spelling of its own here, so that a rewrite shows) until the box is clicked.
TEST_F(Welcome, ASoundDatThatCannotBeReadIsLeftUntilTheSwitchChanges) {
  const std::string sound = install.path("Exe\\Sound.dat");
  ASSERT_TRUE(write_file(sound, "  .f\r\n"));
  HANDLE held = CreateFileA(sound.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HWND splash = start_to_the_splash();
  // Answered once the Launcher serves the welcome window, after it read the switch.
  DWORD_PTR unused = 0;
  if (splash) SendMessageTimeoutA(splash, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &unused);
  CloseHandle(held);
  ASSERT_NE(splash, nullptr);

  dialog = wait_for_dialog(korvel->id(), "KORVEL", 30s);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(control_checked(dialog, sound_check_box)) << "the run goes on with the sound on";
  EXPECT_EQ(read_file(sound), "  .f\r\n");
  click(dialog, sound_check_box);
  EXPECT_TRUE(wait_until([&] { return read_file(sound) == " F\r\n"; }));
  exit_normally();
}

}  // namespace
}  // namespace korvel::e2e
