// What the end-to-end tests stand on: a fresh installation folder per test,
// Korvel.exe started in its Exe folder as a user starts it, and waits that
// poll a condition up to a deadline instead of sleeping.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "journal.h"
#include "ui/control_ids.h"

namespace korvel::e2e {

using namespace main_dialog_ids;
using namespace recent_dialog_ids;

using namespace std::chrono_literals;

// Polls `condition` until it holds or `limit` has passed; true when it held.
bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s);

// The variable's value; an exception when it is not set.
std::string environment(const char* name);

// Texts the tests read from and give to the Launcher's windows, and paths, are UTF-8.
std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& text);

std::optional<std::string> read_file(const std::string& path);
bool write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);

// The visible top-level windows of the process of the class named (any class when empty).
std::vector<HWND> top_windows(DWORD process_id, const std::string& class_name = {});
// The first of them, or null.
HWND find_window(DWORD process_id, const std::string& class_name = {});

// The visible top-level dialog (#32770) of the process with that title, or null.
HWND find_dialog(DWORD process_id, const std::string& title);
// The same, waited for until it is visible; the welcome window is clicked away on the way.
HWND wait_for_dialog(DWORD process_id, const std::string& title, std::chrono::milliseconds limit = 20s);
// True once the window is gone (destroyed) within `limit`.
bool wait_until_gone(HWND window, std::chrono::milliseconds limit = 20s);

// The platform's own controls: the open-file dialog's file-name field and a message box's text.
inline constexpr int open_file_name_field = 0x47c;
inline constexpr int message_box_text = 0xFFFF;

// Reading another process's controls: the messages Windows marshals across processes.
std::string window_text(HWND window);
std::string control_text(HWND dialog, int id);
bool control_enabled(HWND dialog, int id);
bool control_visible(HWND dialog, int id);
bool control_checked(HWND dialog, int id);
std::vector<std::string> list_items(HWND dialog, int id);      // a list box
std::vector<std::string> drop_down_items(HWND dialog, int id);  // a drop-down list
int drop_down_selection(HWND dialog, int id);                   // -1 for none
// The colour on the screen at the middle of a control's client area.
COLORREF colour_inside(HWND dialog, int id);

// Driving another process's controls as a user does.
// Replaces an edit's text keystroke by keystroke (select all, then one WM_CHAR
// each); an empty text is typed as a backspace over the selection.
void type_into(HWND dialog, int id, const std::string& text);
// Selects a list-box item (0-based) and tells the dialog, as a click does
// (LBN_SELCHANGE) or a double click (LBN_DBLCLK). Posted: the dialog may open a box.
void pick_list_item(HWND dialog, int id, int index, WORD notification = LBN_SELCHANGE);
// Posts a click on a push button.
void click(HWND dialog, int id);
// Clicks a Select button of the process's dialog and answers the open-file
// dialog titled `title` with `name` and `button`; a fatal failure when it never
// comes or stays.
void choose_file(HWND dialog, DWORD process_id, int select_button, const std::string& title,
                 const std::string& name, int button = IDOK);

// A message box of the process: its text, and an answer (IDOK, IDYES, ...) posted to it.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string text;
};
MessageBoxSeen wait_for_message_box(DWORD process_id, const std::string& title);
void answer(HWND box, int button);

// A text without the blanks the Launcher pads its fixed-width names with.
std::string trimmed(std::string text);
std::vector<std::string> trimmed(std::vector<std::string> items);
// The Launcher's message for a name of no file.
std::string not_found(const std::string& name);

// The running children of `parent`, of the program named (any when empty).
std::vector<DWORD> children_of(DWORD parent, const std::string& name = {});
// Every running process of the program named, whoever started it.
std::vector<DWORD> processes_named(const std::string& name);
// The most memory the process has had in use (peak working set), 0 when unknown.
std::size_t peak_working_set(DWORD process_id);

// A running program that the test started; ended when the value goes.
class Program {
 public:
  Program(const std::string& application, const std::string& command_line, const std::string& directory);
  ~Program();
  Program(Program&& other) noexcept : info_(std::exchange(other.info_, PROCESS_INFORMATION{})) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD id() const { return info_.dwProcessId; }
  // The exit code once the program has ended within `limit`.
  std::optional<DWORD> wait_for_exit(std::chrono::milliseconds limit = 30s);
  bool running() const;

 private:
  PROCESS_INFORMATION info_{};
};

// A process the test did not start but watches and, when the value goes, ends.
class Watched {
 public:
  explicit Watched(DWORD id);
  ~Watched();
  Watched(Watched&& other) noexcept;
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;

  bool opened() const { return handle_ != nullptr; }
  HANDLE handle() const { return handle_; }
  bool end(UINT code = 1) const { return TerminateProcess(handle_, code) != FALSE; }
  bool running() const;
  std::optional<DWORD> wait_for_exit(std::chrono::milliseconds limit = 20s) const;

 private:
  HANDLE handle_;
};
std::vector<Watched> watch(const std::vector<DWORD>& ids);

// An installation laid out for one test: <root>\Exe with Korvel.exe, its Uir
// icons, Wav sounds and help file; <root>\Dat with sample data; <root>\Doc.
class Installation {
 public:
  // `name` tells the test's folder apart; it is made fresh under the runs folder.
  explicit Installation(const std::string& name);
  ~Installation();

  const std::string& root() const { return root_; }
  std::string exe() const { return root_ + "\\Exe"; }
  std::string path(const std::string& relative) const { return root_ + "\\" + relative; }

  // Installs the stand-in package program in Exe under `file_name` ("PUNA.exe", "VEK 20.exe").
  void install_program(const std::string& file_name);
  // The stand-ins' journal, and the environment they are told it by.
  std::string journal() const { return root_ + "\\journal.txt"; }
  std::vector<standin::JournalEntry> journal_entries() const;

  // Starts Korvel.exe with the Exe folder as its current directory.
  Program start_launcher() const;
  // Starts the tests' Launcher whose service throws at `fault` (see
  // faulting_launcher.cpp) the same way, from the same folder.
  Program start_faulting_launcher(const std::string& fault) const;

 private:
  std::string root_;
};

// The base of the suites that run the Launcher: an installation named after
// the test, Korvel.exe started in it and its main dialog.
class LauncherTest : public ::testing::Test {
 protected:
  Installation install{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::optional<Program> korvel;
  HWND dialog = nullptr;

  // Whatever the Launcher started and left running goes with the test.
  void TearDown() override;

  // Starts Korvel.exe and waits for its main dialog; a fatal failure when it never comes.
  void start_korvel();
  // The stand-ins inherit their mode through Korvel.exe's environment.
  static void standin_mode(const char* mode) { SetEnvironmentVariableA("KORVEL_STANDIN_MODE", mode); }

  // A main dialog field as the Launcher holds it, and a wait until it reads `expected`.
  std::string field(int id) const { return trimmed(control_text(dialog, id)); }
  bool field_reads(int id, const std::string& expected) const;
  // The text of the message box of that caption, answered with `button`.
  std::string answered_box(const std::string& caption, int button) const;
  // Clicks a Select button and answers Wine's open-file dialog with `name` and `button`.
  void choose_file(int select_button, const std::string& title, const std::string& name, int button = IDOK) const;

  // The Launcher ended with code 0 and took its language.dat along.
  void expect_ended_normally();
  // E X I T with nothing left running: no question, a normal end.
  void exit_normally();
};

}  // namespace korvel::e2e
