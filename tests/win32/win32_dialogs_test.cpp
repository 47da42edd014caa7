// The Win32 dialogs and windows under the binding layer's calls: the main
// dialog made modelessly, what it reports, its controls and its coloured fields.
#include <windows.h>
// After <windows.h>, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_files.h"
#include "platform/dialog_template.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_windows.h"
#include "ui/control_ids.h"
#include "ui/icons.h"

namespace korvel::win32 {
namespace {

struct Event {
  std::string kind;
  int id = 0;
  int code = -1;
};

class RecordingEvents final : public DialogEvents {
 public:
  void dialog_created(void* d, NativeWindow w) override {
    record(d, {"created"});
    window = w;
    if (on_created) on_created(w);
  }
  void dialog_command(void* d, int id, int code) override {
    record(d, {"command", id, code});
    if (on_command) on_command(id);
  }
  void dialog_cancel_requested(void* d) override { record(d, {"cancel"}); }
  void dialog_activated(void* d, bool active) override { record(d, {active ? "active" : "inactive"}); }
  void dialog_resized(void* d) override { record(d, {"resized"}); }
  void dialog_destroyed(void* d) override { record(d, {"destroyed"}); }
  void dialog_files_dropped(void* d, int id, const std::vector<std::string>& paths) override {
    record(d, {"dropped", id});
    dropped_paths = paths;
  }
  void dialog_dpi_changed(void* d, int dpi) override { record(d, {"dpi", dpi}); }
  void dialog_help_requested(void* d) override { record(d, {"help"}); }

  int count(const std::string& kind, int id = 0) const {
    int n = 0;
    for (const Event& e : events) n += e.kind == kind && e.id == id;
    return n;
  }

  std::vector<Event> events;
  std::vector<std::string> dropped_paths;  // of the last drop
  NativeWindow window = 0;
  std::function<void(NativeWindow)> on_created;
  std::function<void(int)> on_command;

 private:
  void record(void* d, Event e) {
    EXPECT_EQ(d, this);  // each report names the dialog it was made for
    events.push_back(std::move(e));
  }
};

constexpr UINT drained = WM_APP + 1;
constexpr COLORREF pale_yellow = RGB(255, 255, 180);

class Win32MainDialog : public ::testing::Test {
 protected:
  explicit Win32MainDialog(int show = SW_SHOWNORMAL) : show_command(show) {}

  void SetUp() override {
    window = dialogs.create_modeless(*find_dialog_template(102), 0, show_command, events, &events);
    ASSERT_NE(window, 0u);
    hwnd = reinterpret_cast<HWND>(window);
  }
  void TearDown() override {
    if (IsWindow(hwnd)) dialogs.destroy(window);
    drain();
  }

  // Runs the thread's messages through the dialog's keyboard handling, as the
  // Launcher's loop does, until `done` holds; false after five seconds.
  bool pump_until(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      MSG msg;
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      } else if (msg.hwnd == nullptr && msg.message == drained) {
        drain_seen = true;
      } else {
        NativeMessage message;
        std::memcpy(message.words, &msg, sizeof msg);
        if (!dialogs.is_dialog_message(window, message)) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
      }
    }
    return true;
  }
  // Runs every message posted so far: a second report of one request shows up by then.
  void drain() {
    drain_seen = false;
    PostThreadMessageA(GetCurrentThreadId(), drained, 0, 0);
    pump_until([&] { return drain_seen; });
  }

  COLORREF pixel_of(HWND target, int x = 3, int y = 3) {
    HDC dc = GetDC(target);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(target, dc);
    return colour;
  }
  COLORREF painted_pixel_of(int id, COLORREF wanted) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HWND control = GetDlgItem(hwnd, id);
    pump_until([&] { return pixel_of(control) == wanted; });
    return pixel_of(control);
  }
  void click(int id) {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, id)));
  }

  const int show_command;
  Win32NativeDialogs dialogs;
  Win32Windows windows;
  RecordingEvents events;
  NativeWindow window = 0;
  HWND hwnd = nullptr;
  bool drain_seen = false;
};

// Most checks need no window on the screen; a hidden one also ends at once
// under Wine, where ending a shown one waits two seconds without a window manager.
class Win32HiddenMainDialog : public Win32MainDialog {
 protected:
  Win32HiddenMainDialog() : Win32MainDialog(SW_HIDE) {}
};

TEST_F(Win32MainDialog, ReportsCreationFirstThenActivationSizeAndDestruction) {
  EXPECT_EQ(events.events.at(0).kind, "created");
  EXPECT_EQ(events.window, window);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(pump_until([&] { return events.count("active") > 0; }));
  ShowWindow(hwnd, SW_MINIMIZE);
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_GE(events.count("resized"), 2);

  dialogs.destroy(window);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(events.events.back().kind, "destroyed");
  EXPECT_EQ(events.count("destroyed"), 1);
}

TEST_F(Win32HiddenMainDialog, ControlValuesRoundTrip) {
  const std::string full_field = ".dat" + std::string(256, ' ');
  dialogs.set_text(window, 1001, full_field);
  EXPECT_EQ(dialogs.text(window, 1001), full_field);
  dialogs.set_caret(window, 1001, {2, 6});
  EXPECT_EQ(dialogs.caret(window, 1001), std::make_pair(2, 6));

  dialogs.set_enabled(window, 1003, false);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, 1003)));
  EXPECT_FALSE(dialogs.enabled(window, 1003));
  dialogs.set_checked(window, 1013, true);
  EXPECT_TRUE(dialogs.checked(window, 1013));
  dialogs.set_checked(window, 1013, false);
  EXPECT_FALSE(dialogs.checked(window, 1013));

  dialogs.enable_close_command(window, false);
  EXPECT_TRUE(GetMenuState(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  dialogs.enable_close_command(window, true);
  EXPECT_FALSE(GetMenuState(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Win32HiddenMainDialog, ListBoxAndDropDownItems) {
  const ListKind box = ListKind::list_box, drop = ListKind::drop_down;
  dialogs.list_add(box, window, 1016, "stale");
  dialogs.list_clear(box, window, 1016);  // the layer always refills a list whole
  for (const char* item : {"Frame.dat", "", "Frame.rez", "New"}) dialogs.list_add(box, window, 1016, item);
  EXPECT_EQ(dialogs.list_count(box, window, 1016), 4);
  EXPECT_EQ(dialogs.list_item(box, window, 1016, 3), "New");
  dialogs.list_select(box, window, 1016, 2);
  EXPECT_TRUE(dialogs.list_selected(window, 1016, 2));
  EXPECT_FALSE(dialogs.list_selected(window, 1016, 1));

  dialogs.list_add(drop, window, 1026, "English");
  dialogs.list_add(drop, window, 1026, "Romanian");
  EXPECT_EQ(dialogs.list_item(drop, window, 1026, 1), "Romanian");
  EXPECT_EQ(dialogs.list_current(window, 1026), -1);
  dialogs.list_select_text(window, 1026, "Romanian");
  EXPECT_EQ(dialogs.list_current(window, 1026), 1);
  dialogs.list_select(drop, window, 1026, -1);
  EXPECT_EQ(dialogs.list_current(window, 1026), -1);
}

// The close box arrives as one cancel request, also while the hidden Cancel
// button is disabled: what that makes of it is the layer's call.
TEST_F(Win32HiddenMainDialog, CloseRequestsAskToCancelOnce) {
  const auto close = [&](UINT message, WPARAM command) {
    events.events.clear();
    PostMessageA(hwnd, message, command, 0);
    EXPECT_TRUE(pump_until([&] { return events.count("cancel") > 0; }));
    drain();
    EXPECT_EQ(events.count("cancel"), 1);
    EXPECT_EQ(events.count("command", IDCANCEL), 0);
  };
  close(WM_CLOSE, 0);
  close(WM_SYSCOMMAND, SC_CLOSE);
  EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
  close(WM_CLOSE, 0);
}

// Escape reaches the layer once: as the hidden Cancel's click, or as a cancel request.
TEST_F(Win32MainDialog, EscapeClicksTheHiddenCancelOnce) {
  // A button leaves the key to IsDialogMessage; a multi-line edit takes it and closes its dialog.
  for (int focus : {1000, 1001}) {
    SCOPED_TRACE(focus);
    HWND control = GetDlgItem(hwnd, focus);
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);
    events.events.clear();
    PostMessageA(control, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(control, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    EXPECT_TRUE(pump_until([&] { return events.count("command", IDCANCEL) + events.count("cancel") > 0; }));
    drain();
    EXPECT_EQ(events.count("command", IDCANCEL) + events.count("cancel"), 1);
  }
}

// A drop as the shell hands it over: DROPFILES, then the wide paths, each
// NUL-terminated, and one more NUL; the receiver frees it.
HDROP drop_of(POINT point, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->pt = point;
  files->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

POINT centre_of(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(dialog, &centre);
  return centre;
}

// The field under the drop point is named, a group box around it or not; every
// path comes in the process's code page, in order.
TEST_F(Win32HiddenMainDialog, DroppedFilesReachTheLayerWithTheFieldUnderThem) {
  EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  dialogs.accept_dropped_files(window);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  const std::vector<std::wstring> paths{L"C:\\Cl\u0103dire \u0218tefan\\frame.dat", L"C:\\b.inc"};
  const std::vector<std::string> expected{
      "C:\\Cl\xC4\x83"
      "dire \xC8\x98tefan\\frame.dat",
      "C:\\b.inc"};
  const struct {
    POINT at;
    int field;
  } drops[] = {{centre_of(hwnd, 1001), 1001},
               {centre_of(hwnd, 1012), 1012},
               {centre_of(hwnd, 1002), 1002},
               {centre_of(hwnd, 1016), 0},
               {POINT{2, 2}, 0}};
  for (const auto& drop : drops) {
    SCOPED_TRACE(drop.field);
    events.events.clear();
    SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop_of(drop.at, paths)), 0);
    ASSERT_EQ(events.count("dropped", drop.field), 1);
    EXPECT_EQ(events.dropped_paths, expected);
  }
}

// A name the Launcher puts into a field shows its end, the file's own name, in
// the one-line fields and the two-line one alike; Ctrl+A then selects it whole.
TEST_F(Win32MainDialog, AFieldShowsTheEndOfItsNameAndCtrlASelectsItWhole) {
  const std::string name = "C:\\" + std::string(200, 'a') + "\\" + std::string(20, 'b') + "\\frame.dat";
  for (int id : {1001, 1002, 1012}) {
    SCOPED_TRACE(id);
    HWND field = GetDlgItem(hwnd, id);
    dialogs.set_text(window, id, name);
    dialogs.set_caret(window, id, {end_of_text, end_of_text});
    const int end = static_cast<int>(name.size());
    EXPECT_EQ(dialogs.caret(window, id), std::make_pair(end, end));
    RECT client{};
    GetClientRect(field, &client);
    const LRESULT last = SendMessageA(field, EM_POSFROMCHAR, end - 1, 0);
    EXPECT_TRUE(PtInRect(&client, POINT{static_cast<short>(LOWORD(last)), static_cast<short>(HIWORD(last))}))
        << "the name's last character is in view";

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(field, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(field, WM_KEYUP, 'A', 0xC01E0001);
    drain();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(dialogs.caret(window, id), std::make_pair(0, end));
    EXPECT_EQ(dialogs.text(window, id), name) << "no character typed";
  }
}

TEST_F(Win32MainDialog, ModalDialogOpensAtItsOwnersClientOriginAndReturnsItsEnd) {
  RecordingEvents recent;
  POINT origin{}, owner_origin{};
  ClientToScreen(hwnd, &owner_origin);
  recent.on_created = [&](NativeWindow w) {
    ClientToScreen(reinterpret_cast<HWND>(w), &origin);
    PostMessageA(reinterpret_cast<HWND>(w), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  recent.on_command = [&](int id) {
    if (id == IDOK) dialogs.end_modal(recent.window, 7);
  };
  EXPECT_EQ(dialogs.run_modal(*find_dialog_template(106), window, recent, &recent), 7);
  EXPECT_EQ(origin.x, owner_origin.x);
  EXPECT_EQ(origin.y, owner_origin.y);
  EXPECT_EQ(recent.events.back().kind, "destroyed");

  dialogs.destroy(window);  // an owner that is gone
  RecordingEvents orphan;
  EXPECT_EQ(dialogs.run_modal(*find_dialog_template(106), window, orphan, &orphan), -1);
  EXPECT_TRUE(orphan.events.empty());
}

TEST_F(Win32MainDialog, ColouredFieldsArePaleYellowAndTheRestKeepsTheSystemsLook) {
  windows.colour_fields(window, std::array{1001}, std::array{1016}, pale_yellow);
  EXPECT_EQ(painted_pixel_of(1001, pale_yellow), pale_yellow);
  EXPECT_EQ(painted_pixel_of(1016, pale_yellow), pale_yellow);
  EXPECT_EQ(pixel_of(GetDlgItem(hwnd, 1002)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel_of(hwnd, 2, 2), GetSysColor(COLOR_BTNFACE));  // the dialog's own background

  click(1003);  // the dialog's own procedure still gets the rest
  EXPECT_TRUE(pump_until([&] { return events.count("command", 1003) == 1; }));
}

// The system draws the frame's caption buttons, scroll arrows and check marks
// from its symbol font: a set-up without it shows letters ("0 1 r") instead.
TEST(Win32Look, TheSystemsSymbolFontIsThereForTheFramesButtons) {
  HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
  HDC dc = GetDC(nullptr);
  HGDIOBJ before = SelectObject(dc, font);
  std::array<char, LF_FACESIZE> face{};
  GetTextFaceA(dc, static_cast<int>(face.size()), face.data());
  SelectObject(dc, before);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  EXPECT_STREQ(face.data(), "Marlett");
}

TEST_F(Win32HiddenMainDialog, FieldBrushIsMadeOnceAndDeletedWithTheDialog) {
  windows.colour_fields(window, std::array{1001, 1012}, {}, pale_yellow);
  HDC dc = GetDC(hwnd);
  const auto brush_for = [&](int id) {
    return reinterpret_cast<HBRUSH>(SendMessageA(hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd, id))));
  };
  const HBRUSH brush = brush_for(1001);
  EXPECT_EQ(GetBkColor(dc), pale_yellow);
  EXPECT_EQ(brush_for(1012), brush);
  EXPECT_EQ(brush_for(1001), brush);
  EXPECT_NE(brush_for(1002), brush);
  ReleaseDC(hwnd, dc);
  LOGBRUSH logbrush{};
  GetObjectA(brush, sizeof logbrush, &logbrush);
  EXPECT_EQ(logbrush.lbColor, pale_yellow);

  dialogs.destroy(window);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(events.count("destroyed"), 1);
}

TEST_F(Win32HiddenMainDialog, MessageLoopDispatchesUntilTheQuitCode) {
  click(1005);
  windows.post_quit(3);
  NativeMessage message;
  while (windows.next_message(message)) windows.translate_and_dispatch(message);
  EXPECT_EQ(windows.quit_code(message), 3);
  EXPECT_EQ(events.count("command", 1005), 1);
}

bool quit_waiting() {
  MSG quit;
  return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

// A routine that throws inside the dialog procedure: the exception stops at the
// procedure, its quit message ends whichever loop runs (the Launcher's, a modal
// dialog's, a message box's), and the adapter call that ran the loop throws it
// again with the quit message taken back.
TEST_F(Win32HiddenMainDialog, WhatARoutineThrowsEndsTheLoopAndReachesTheCaller) {
  const auto thrower = [](int id) {
    if (id == 1005) throw std::runtime_error("routine");
  };
  struct Case {
    const char* loop;
    std::function<void()> run;
  } cases[] = {
      {"the main loop",
       [&] {
         click(1005);
         NativeMessage message;
         while (windows.next_message(message))
           if (!dialogs.is_dialog_message(window, message)) windows.translate_and_dispatch(message);
         ADD_FAILURE() << "the loop ended without the exception";
       }},
      {"a modal dialog",
       [&] {
         RecordingEvents recent;
         recent.on_created = [&](NativeWindow w) {
           PostMessageA(reinterpret_cast<HWND>(w), WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), 0);
         };
         recent.on_command = thrower;
         struct Destroyed {
           RecordingEvents& events;
           ~Destroyed() { EXPECT_EQ(events.events.back().kind, "destroyed") << "the modal dialog went"; }
         } destroyed{recent};
         dialogs.run_modal(*find_dialog_template(106), window, recent, &recent);
       }},
      {"a message box",
       [&] {
         click(1005);  // served by the box's loop
         Win32MessageBoxes().show("waits", "Boundary", MB_OK);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loop);
    events.on_command = thrower;
    EXPECT_THROW(c.run(), std::runtime_error);
    EXPECT_FALSE(quit_waiting());
    events.on_command = nullptr;
  }
  // The dialog goes on as before.
  click(1005);
  drain();
  EXPECT_EQ(events.count("command", 1005), 3);
}

}  // namespace
}  // namespace korvel::win32

namespace korvel::win32 {
namespace {

// The side of the colour image of the icon a button shows; 0 for none.
int image_side(HWND dialog, int id) {
  const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// Moved to a monitor of another DPI, the dialog reports it and the buttons get
// icons of the size they have there, taken from the files' own images.
TEST_F(Win32HiddenMainDialog, AtAnotherDpiTheButtonsShowIconsOfTheirScaledSize) {
  RECT suggested{};
  GetWindowRect(hwnd, &suggested);
  SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  ASSERT_EQ(events.count("dpi", 144), 1) << "the new DPI, from the message";

  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "korvel-dpi-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Uir").c_str(), nullptr);
  std::vector<testing::IconBytes> images;
  const std::vector<std::uint32_t> sides{32, 48, 40, 60, 64, 72, 96};
  for (std::uint32_t side : sides)
    images.push_back(testing::bitmap_image({.width = side, .height = 2 * static_cast<std::int64_t>(side)}));
  const testing::IconBytes file = testing::icon_file(images, sides);
  for (const IconFile& icon : icon_files) {
    const std::string path = folder + "\\Uir\\" + std::string(icon.file);
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
  }
  const Directories dirs = directories_from(folder);
  EXPECT_EQ(windows.dpi(NativeWindow{0}), 96) << "the prefix's";

  Icons icons;
  load_application_icon(windows, dirs, icons);
  load_button_icons(windows, dirs, icons);
  using namespace main_dialog_ids;
  for (int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    show_button_icons(windows, dirs, icons, window, dpi);
    for (int id : icon_button_order) {
      const bool asked_48 = id == max_processor_button || id == structure_graph_button ||
                            id == structure_viewer_button || id == exit_button || id == about_button;
      EXPECT_EQ(image_side(hwnd, id), MulDiv(asked_48 ? 48 : 32, dpi, 96)) << id;
    }
  }
  windows.set_big_icon(window, icons.korvel());
  EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), static_cast<LRESULT>(icons.korvel()));

  dialogs.destroy(window);
  release_icons(windows, icons);
  for (const IconFile& icon : icon_files) DeleteFileA((folder + "\\Uir\\" + std::string(icon.file)).c_str());
  RemoveDirectoryA((folder + "\\Uir").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace korvel::win32
