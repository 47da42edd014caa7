// The "Welcome" window class on Win32: its windows, what they report to the
// core, the canvas they are painted with, and the icons loaded meanwhile.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/native_message.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_windows.h"

namespace korvel::win32 {
namespace {

using Clock = std::chrono::steady_clock;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr int icon_size = 16;

struct Report {
  std::string kind;
  NativeWindow window = 0;
  bool window_alive = false;
};

class RecordingWelcome final : public WelcomeEvents {
 public:
  void welcome_paint(NativeWindow w, Canvas& canvas) override {
    record("paint", w);
    if (on_paint) on_paint(canvas);
  }
  void welcome_painted(NativeWindow w) override { record("painted", w); }
  void welcome_timer(NativeWindow w) override { record("timer", w); }
  void welcome_clicked(NativeWindow w) override {
    record("clicked", w);
    if (on_clicked) on_clicked(w);
  }
  void welcome_closing(NativeWindow w) override { record("closing", w); }

  int count(const std::string& kind) const {
    int n = 0;
    for (const Report& r : reports) n += r.kind == kind;
    return n;
  }
  void reset() {
    reports.clear();
    on_paint = nullptr;
    on_clicked = nullptr;
  }

  std::vector<Report> reports;
  std::function<void(Canvas&)> on_paint;
  std::function<void(NativeWindow)> on_clicked;

 private:
  void record(const char* kind, NativeWindow w) {
    reports.push_back({kind, w, IsWindow(reinterpret_cast<HWND>(w)) != FALSE});
  }
};

// An opaque square of one colour, to find on the screen.
HICON solid_icon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP image = CreateCompatibleBitmap(screen, icon_size, icon_size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, image);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, icon_size, icon_size};
  FillRect(dc, &all, brush);
  SelectObject(dc, previous);
  DeleteObject(brush);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  const std::vector<BYTE> opaque(icon_size * icon_size / 8, 0);
  HBITMAP mask = CreateBitmap(icon_size, icon_size, 1, 1, opaque.data());
  ICONINFO info{TRUE, 0, 0, mask, image};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(image);
  return icon;
}

// The class belongs to the process: registered once, for every test here.
class Win32WelcomeWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (class_icon != nullptr) return;  // a repeated run
    class_icon = solid_icon(green);
    registered = Win32Windows().register_welcome_class(reinterpret_cast<IconHandle>(class_icon), events);
  }

  void SetUp() override {
    ASSERT_TRUE(registered);
    events.reset();
    window = windows.create_welcome_window("About the test", Rect{30, 40, 350, 280});
    ASSERT_NE(window, 0u);
    hwnd = hwnd_of(window);
  }
  void TearDown() override {
    if (IsWindow(hwnd)) windows.destroy_window(window);
    events.reset();
  }

  // Serves the window's messages as the start-up loop does, until `done`
  // holds; false after five seconds.
  bool pump_until(const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (Clock::now() > deadline) return false;
      MSG waiting;
      if (PeekMessageA(&waiting, hwnd, 0, 0, PM_NOREMOVE)) {
        NativeMessage message;
        if (windows.next_message_for(window, message)) windows.translate_and_dispatch(message);
      } else {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      }
    }
    return true;
  }
  void show_and_paint() {
    windows.show(window, show_window);
    ASSERT_TRUE(pump_until([&] { return events.count("painted") > 0; }));
  }

  // The screen lags the painting a little under Wine: polled until it shows.
  COLORREF pixel(int x, int y, COLORREF expected) {
    COLORREF seen = CLR_INVALID;
    pump_until([&] {
      HDC dc = GetDC(hwnd);
      seen = GetPixel(dc, x, y);
      ReleaseDC(hwnd, dc);
      return seen == expected;
    });
    return seen;
  }
  COLORREF pixel_now(int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF seen = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return seen;
  }

  static inline RecordingWelcome events;
  static inline HICON class_icon = nullptr;
  static inline bool registered = false;

  Win32Windows windows;
  NativeWindow window = 0;
  HWND hwnd = nullptr;
};

TEST_F(Win32WelcomeWindow, ClassHasItsFieldsAndASecondRegistrationFailsKeepingTheFirstEvents) {
  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Welcome", &info));
  EXPECT_EQ(info.style, UINT{CS_HREDRAW | CS_VREDRAW});
  EXPECT_EQ(info.hIcon, class_icon);
  EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_EQ(info.lpszMenuName, nullptr);

  RecordingWelcome second;
  EXPECT_FALSE(windows.register_welcome_class(0, second));
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(pump_until([&] { return events.count("clicked") == 1; }));
  EXPECT_TRUE(second.reports.empty());
}

TEST_F(Win32WelcomeWindow, IsAHiddenPopUpWithCaptionAndSystemMenuOfTheGivenTitleMadeInItsPlace) {
  char text[64] = {};
  GetClassNameA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Welcome");
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "About the test");
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 240);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU});
  EXPECT_EQ(style & (WS_CHILD | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  EXPECT_EQ(GetParent(hwnd), nullptr);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(events.reports.empty());  // nothing is painted before it is shown
}

TEST_F(Win32WelcomeWindow, EachPaintIsReportedInsideThenAfterItAndLeavesNothingToPaint) {
  show_and_paint();
  InvalidateRect(hwnd, nullptr, TRUE);
  ASSERT_TRUE(pump_until([&] { return events.count("painted") >= 2; }));
  ASSERT_EQ(events.reports.size() % 2, 0u);
  for (std::size_t i = 0; i < events.reports.size(); ++i) {
    EXPECT_EQ(events.reports[i].kind, i % 2 == 0 ? "paint" : "painted") << i;
    EXPECT_EQ(events.reports[i].window, window);
  }
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

// A paint that throws: the exception comes out of the start-up loop's dispatch,
// the window is not painted again and again, and no quit message is left.
TEST_F(Win32WelcomeWindow, WhatAPaintThrowsComesOutOfTheLoop) {
  events.on_paint = [](Canvas&) { throw std::runtime_error("paint"); };
  windows.show(window, show_window);
  EXPECT_THROW(pump_until([] { return false; }), std::runtime_error);
  MSG waiting;
  EXPECT_FALSE(PeekMessageA(&waiting, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  EXPECT_EQ(events.count("paint"), 1);
  EXPECT_EQ(events.count("painted"), 0);
}

TEST_F(Win32WelcomeWindow, CanvasPaintsIconTextAndRuleOnTheWindow) {
  events.on_paint = [](Canvas& canvas) {
    EXPECT_GE(canvas.pixels_per_inch_x(), 96);
    EXPECT_GE(canvas.pixels_per_inch_y(), 96);
    canvas.draw_icon(10, 10, reinterpret_cast<IconHandle>(class_icon));
    EXPECT_TRUE(canvas.select_font(-40, 700, false, "Arial"));
    canvas.set_text_colour(red);
    canvas.draw_text(40, 10, "MMMM");
    canvas.draw_rule(10, 110, 80);
  };
  show_and_paint();

  // The icon at its own size.
  EXPECT_EQ(pixel(10, 10, green), green);
  EXPECT_EQ(pixel_now(9 + icon_size, 9 + icon_size), green);
  EXPECT_NE(pixel_now(10 + icon_size, 12), green);
  EXPECT_NE(pixel_now(12, 10 + icon_size), green);

  // The rule: black, one pixel high, ending just before its end point.
  EXPECT_EQ(pixel(10, 80, black), black);
  for (int x : {11, 60, 109}) EXPECT_EQ(pixel_now(x, 80), black) << x;
  EXPECT_NE(pixel_now(60, 79), black);
  EXPECT_NE(pixel_now(60, 81), black);

  // The text, in red somewhere in its box.
  bool found_red = false;
  pump_until([&] {
    HDC dc = GetDC(hwnd);
    for (int y = 10; y < 60 && !found_red; ++y)
      for (int x = 40; x < 240 && !found_red; ++x) found_red = GetPixel(dc, x, y) == red;
    ReleaseDC(hwnd, dc);
    return found_red;
  });
  EXPECT_TRUE(found_red);
}

// The core lays the window out in the window's DPI and keeps the warning in its client area.
TEST_F(Win32WelcomeWindow, CanvasHasTheWindowsDpiAndClientWidthAndADpiChangeTakesTheSuggestedSize) {
  int dpi = 0, client_width = 0;
  events.on_paint = [&](Canvas& canvas) {
    dpi = canvas.pixels_per_inch_x();
    client_width = canvas.client_width();
  };
  show_and_paint();
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client_width, client.right);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(dpi, GetDeviceCaps(screen, LOGPIXELSX)) << "one DPI for every monitor here";
  ReleaseDC(nullptr, screen);

  RECT suggested{40, 50, 40 + 480, 50 + 360};  // as for a move to a monitor at 144 dpi
  const int paints = events.count("painted");
  SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT now{};
  GetWindowRect(hwnd, &now);
  EXPECT_EQ(now.right - now.left, 480);
  EXPECT_EQ(now.bottom - now.top, 360);
  EXPECT_TRUE(pump_until([&] { return events.count("painted") > paints; })) << "painted again";
}

TEST_F(Win32WelcomeWindow, EachWindowHasARulePenOfItsOwnReleasedWithIt) {
  const NativeWindow second = windows.create_welcome_window("Another", Rect{0, 0, 200, 100});
  ASSERT_NE(second, 0u);
  const auto pen_of = [](HWND of) {
    const auto* owner = static_cast<const OwnedPen*>(GetPropA(of, "Korvel.RulePen"));
    return owner != nullptr ? owner->get() : nullptr;
  };
  HGDIOBJ pen = pen_of(hwnd), other = pen_of(hwnd_of(second));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(GetObjectType(other), static_cast<DWORD>(OBJ_PEN));
  EXPECT_NE(pen, other);
  windows.destroy_window(second);
  EXPECT_EQ(GetObjectType(other), 0u) << "released with its window";
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN)) << "the first window still draws with its own";
}

TEST_F(Win32WelcomeWindow, TimerIsReportedForItsWindow) {
  windows.set_timer(window, 1, 50);
  EXPECT_TRUE(pump_until([&] { return events.count("timer") > 0; }));
  EXPECT_EQ(events.reports.front().window, window);
}

// A click ends a window in the core; the window's loop then ends at once.
TEST_F(Win32WelcomeWindow, ClickIsReportedForTheClickedWindowWhichMayEndIt) {
  const NativeWindow other = windows.create_welcome_window("Another", Rect{0, 0, 100, 100});
  ASSERT_NE(other, 0u);
  events.on_clicked = [&](NativeWindow w) { windows.destroy_window(w); };
  PostMessageA(hwnd_of(other), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(pump_until([&] { return !IsWindow(hwnd); }));
  ASSERT_EQ(events.count("clicked"), 1);  // the other window's messages wait for its own loop
  EXPECT_EQ(events.reports.front().window, window);
  EXPECT_TRUE(IsWindow(hwnd_of(other)));

  const auto start = Clock::now();
  NativeMessage message;
  EXPECT_FALSE(windows.next_message_for(window, message));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
  windows.set_timer(window, 1, 50);  // no window, no timer, no harm
  windows.destroy_window(other);
}

TEST_F(Win32WelcomeWindow, CloseIsReportedWhileTheWindowStandsThenItIsGone) {
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(pump_until([&] { return !IsWindow(hwnd); }));
  ASSERT_EQ(events.count("closing"), 1);
  EXPECT_TRUE(events.reports.front().window_alive);
  NativeMessage message;
  EXPECT_FALSE(windows.next_message_for(window, message));
}

// The canvas on a bitmap of its own, where every pixel can be read back.
class Win32CanvasOnBitmap : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous_bitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
  }
  void TearDown() override {
    SelectObject(dc, previous_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }

  // The lowest row and the rightmost column holding `colour`; -1 for none.
  std::pair<int, int> extent_of(COLORREF colour) {
    int bottom = -1, right = -1;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (GetPixel(dc, x, y) == colour) {
          bottom = std::max(bottom, y);
          right = std::max(right, x);
        }
    return {bottom, right};
  }

  static constexpr int width = 400, height = 200;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous_bitmap = nullptr;
};

TEST_F(Win32CanvasOnBitmap, FontsChangeTheMeasuresAndAreReleasedWithTheCanvas) {
  const HGDIOBJ own_font = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ made = nullptr;
  {
    Win32Canvas canvas(dc);
    const int default_line = canvas.line_height();
    const int default_m = canvas.text_width("M");
    EXPECT_GT(default_line, 0);
    EXPECT_GT(default_m, 0);
    EXPECT_GT(canvas.text_width("MMM"), default_m);
    EXPECT_EQ(canvas.text_width(""), 0);

    ASSERT_TRUE(canvas.select_font(-48, 400, true, "Arial"));
    made = GetCurrentObject(dc, OBJ_FONT);
    EXPECT_NE(made, own_font);
    EXPECT_GT(canvas.line_height(), default_line);
    EXPECT_GT(canvas.text_width("M"), default_m);

    // Faces that don't exist and height 0 are made all the same, in a font GDI picks.
    EXPECT_TRUE(canvas.select_font(-20, 600, false, "No Such Face Anywhere"));
    EXPECT_TRUE(canvas.select_font(0, 400, false, ""));
    EXPECT_GT(canvas.line_height(), 0);

    canvas.select_default_font();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), own_font);
    EXPECT_EQ(canvas.line_height(), default_line);
    EXPECT_TRUE(canvas.select_font(-30, 400, false, "Arial"));  // still selected at the end
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), own_font);
  EXPECT_EQ(GetObjectType(made), 0u);
}

TEST_F(Win32CanvasOnBitmap, WrappedTextBreaksAtWordsRunsPastTheBottomAndKeepsAmpersands) {
  Win32Canvas canvas(dc);
  canvas.set_text_colour(red);
  const int line = canvas.line_height();
  const Rect one_line{10, 10, 110, 10 + line};
  canvas.draw_wrapped(one_line, "one two three four five six seven eight nine ten");
  const auto [bottom, right] = extent_of(red);
  EXPECT_GT(bottom, one_line.bottom + line);  // three lines or more, none clipped
  EXPECT_LT(right, one_line.right);

  PatBlt(dc, 0, 0, width, height, WHITENESS);
  canvas.draw_wrapped(Rect{10, 10, 390, 10 + line}, "&&&&&&&&");
  // Read as prefixes, the eight would show as four.
  EXPECT_GT(extent_of(red).second, 10 + canvas.text_width("&&&&&&"));
}

// A 16 x 16 icon file of one colour: 32 bits a pixel and an empty mask.
void write_icon_file(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const std::uint32_t pixels = icon_size * icon_size * 4, mask = icon_size * 4;
  put(0, 2), put(1, 2), put(1, 2);                                              // one icon
  put(icon_size, 1), put(icon_size, 1), put(0, 2), put(1, 2), put(32, 2);       // its entry
  put(40 + pixels + mask, 4), put(6 + 16, 4);                                   // size, offset
  put(40, 4), put(icon_size, 4), put(2 * icon_size, 4), put(1, 2), put(32, 2);  // its header
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (std::uint32_t i = 0; i < pixels / 4; ++i) put(0xFF2F6FC4, 4);
  for (std::uint32_t i = 0; i < mask; ++i) put(0, 1);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool is_icon(IconHandle icon) {
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return false;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return true;
}

// High contrast: text in the system's window text colour on its window
// colour (not the default white), the rule in the text colour. The colours
// are changed for the test and put back.
TEST_F(Win32CanvasOnBitmap, SystemColoursDrawTextAndRuleInTheWindowTextColourOnTheWindowColour) {
  constexpr COLORREF text = RGB(0, 255, 0), back = RGB(0, 0, 128);
  const int which[] = {COLOR_WINDOWTEXT, COLOR_WINDOW};
  const COLORREF before[] = {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
  const COLORREF wanted[] = {text, back};
  ASSERT_TRUE(SetSysColors(2, which, wanted));
  {
    Win32Canvas canvas(dc);
    canvas.set_text_colour(RGB(255, 0, 0));
    canvas.set_system_colours();
    ASSERT_TRUE(canvas.select_font(-40, 700, false, "Arial"));
    canvas.draw_text(10, 10, "MMMM");
    canvas.draw_rule(10, 110, 150);
  }
  SetSysColors(2, which, before);
  EXPECT_GE(extent_of(text).first, 10) << "the text";
  EXPECT_GE(extent_of(back).first, 10) << "its opaque background";
  EXPECT_EQ(extent_of(RGB(255, 0, 0)).first, -1);
  for (int x : {10, 60, 109}) EXPECT_EQ(GetPixel(dc, x, 150), text) << x;
}

TEST(Win32Icons, AnIconLoadedAheadGoesOnceToItsRequestAnyOtherLoadsAsBefore) {
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  const std::string file = std::string(temp) + "korvel-ahead-" + std::to_string(GetCurrentProcessId()) + ".ico";
  write_icon_file(file);
  const IconRequest icon{file, 0, 0, false}, larger{file, 32, 32, false}, missing{file + ".gone", 0, 0, false};
  Win32Windows windows;
  windows.load_icons_ahead({missing, icon});

  const IconHandle first = windows.load_icon(icon);
  EXPECT_TRUE(is_icon(first));
  EXPECT_EQ(windows.load_icon(missing), 0u);
  DeleteFileA(file.c_str());
  EXPECT_EQ(windows.load_icon(icon), 0u) << "taken once: a second request reads the file, now gone";
  write_icon_file(file);
  const IconHandle again = windows.load_icon(icon), other = windows.load_icon(larger);
  EXPECT_TRUE(is_icon(again));
  EXPECT_NE(again, first);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(other), &info));
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 32) << "a request of another size is not served from the batch";
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  for (IconHandle made : {first, again, other, IconHandle{0}}) windows.destroy_icon(made);
  for (IconHandle made : {first, again, other}) EXPECT_FALSE(is_icon(made)) << "released by the platform's call";
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace korvel::win32
