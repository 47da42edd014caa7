#include "harness.h"
// After <windows.h>, which harness.h includes.
#include <psapi.h>
#include <tlhelp32.h>

#include "file_tree.h"

#include <stdexcept>
#include <thread>
#include <utility>

namespace korvel::e2e {

using korvel::testing::remove_tree;

std::string environment(const char* name) {
  char value[32768];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  if (n == 0 || n >= sizeof value) throw std::runtime_error(std::string("environment variable missing: ") + name);
  return std::string(value, n);
}

namespace {

void copy_tree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      copy_tree(from + "\\" + name, to + "\\" + name);
    else
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::wstring wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  return text;
}

std::string utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::optional<std::string> read_file(const std::string& path) {
  HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string data;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) data.append(buffer, got);
  CloseHandle(file);
  return data;
}

bool write_file(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                  written == content.size();
  CloseHandle(file);
  return ok;
}

bool file_exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<HWND> top_windows(DWORD process_id, const std::string& class_name) {
  struct Search {
    DWORD process_id;
    const std::string* class_name;
    std::vector<HWND> found;
  } search{process_id, &class_name, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->process_id || !IsWindowVisible(window)) return TRUE;
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (s->class_name->empty() || *s->class_name == name) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND find_window(DWORD process_id, const std::string& class_name) {
  const std::vector<HWND> windows = top_windows(process_id, class_name);
  return windows.empty() ? nullptr : windows.front();
}

HWND find_dialog(DWORD process_id, const std::string& title) {
  // Every dialog of the process is looked at: a box need not be the first in Z order.
  for (HWND window : top_windows(process_id, "#32770")) {
    // A top-level window's caption is read without a message, so a busy process never blocks this.
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (title == caption) return window;
  }
  return nullptr;
}

HWND wait_for_dialog(DWORD process_id, const std::string& title, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  wait_until(
      [&] {
        // A user waiting for the Launcher clicks its welcome window away.
        if (HWND splash = find_window(process_id, "Welcome"); splash && window_text(splash) == "Welcome")
          PostMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        return (found = find_dialog(process_id, title)) != nullptr;
      },
      limit);
  return found;
}

bool wait_until_gone(HWND window, std::chrono::milliseconds limit) {
  return wait_until([&] { return !IsWindow(window); }, limit);
}

std::string window_text(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return utf8(text);
}

std::string control_text(HWND dialog, int id) { return window_text(GetDlgItem(dialog, id)); }
bool control_enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool control_visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool control_checked(HWND dialog, int id) {
  return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {
// Item texts come back whole across processes only through the wide messages.
std::vector<std::string> items(HWND control, UINT count_message, UINT length_message, UINT text_message) {
  std::vector<std::string> result;
  const LRESULT count = SendMessageW(control, count_message, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(control, length_message, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    result.push_back(utf8(text));
  }
  return result;
}
}  // namespace

std::vector<std::string> list_items(HWND dialog, int id) {
  return items(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}
std::vector<std::string> drop_down_items(HWND dialog, int id) {
  return items(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}
int drop_down_selection(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

COLORREF colour_inside(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  RECT client;
  GetClientRect(control, &client);
  POINT middle{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  ClientToScreen(control, &middle);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, middle.x, middle.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

void type_into(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageW(edit, WM_CHAR, L'\b', 0);
  for (wchar_t c : wide(text)) SendMessageW(edit, WM_CHAR, c, 0);
}

void pick_list_item(HWND dialog, int id, int index, WORD notification) {
  HWND list = GetDlgItem(dialog, id);
  PostMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(list));
}

void click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

MessageBoxSeen wait_for_message_box(DWORD process_id, const std::string& title) {
  MessageBoxSeen box;
  box.window = wait_for_dialog(process_id, title);
  if (box.window) box.text = control_text(box.window, message_box_text);
  return box;
}

void answer(HWND box, int button) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::vector<std::string> trimmed(std::vector<std::string> items) {
  for (std::string& item : items) item = trimmed(item);
  return items;
}

std::string not_found(const std::string& name) { return "\"" + name + "\": File NOT found.\n\nCheck for File Name !"; }

namespace {
// The running processes that `keep` accepts.
std::vector<DWORD> processes_where(const std::function<bool(const PROCESSENTRY32&)>& keep) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (keep(entry)) ids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return ids;
}
}  // namespace

namespace {
// When the process started, or 0 when it can't be asked.
ULONGLONG start_time(DWORD id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!process) return 0;
  FILETIME created{}, ended{}, kernel{}, user{};
  const BOOL known = GetProcessTimes(process, &created, &ended, &kernel, &user);
  CloseHandle(process);
  return known ? (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime : 0;
}
}  // namespace

std::size_t peak_working_set(DWORD process_id) {
  PROCESS_MEMORY_COUNTERS memory{};
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id);
  if (process == nullptr) return 0;
  const bool read = GetProcessMemoryInfo(process, &memory, sizeof memory) != FALSE;
  CloseHandle(process);
  return read ? memory.PeakWorkingSetSize : 0;
}

std::vector<DWORD> children_of(DWORD parent, const std::string& name) {
  // An ended process's id is given again: a process older than `parent` that
  // names its id was started by an earlier holder of it (under Wine, the
  // desktop's explorer.exe, by the session's first program).
  const ULONGLONG parent_start = start_time(parent);
  return processes_where([&](const PROCESSENTRY32& entry) {
    if (entry.th32ParentProcessID != parent) return false;
    if (!name.empty() && _stricmp(entry.szExeFile, name.c_str()) != 0) return false;
    const ULONGLONG child_start = start_time(entry.th32ProcessID);
    return parent_start == 0 || child_start == 0 || child_start >= parent_start;
  });
}

std::vector<DWORD> processes_named(const std::string& name) {
  return processes_where([&](const PROCESSENTRY32& entry) { return _stricmp(entry.szExeFile, name.c_str()) == 0; });
}

Program::Program(const std::string& application, const std::string& command_line, const std::string& directory) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = command_line;
  if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &info_))
    info_ = PROCESS_INFORMATION{};
}

Program::~Program() {
  if (!started()) return;
  // A test never leaves its programs behind.
  if (running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::optional<DWORD> Program::wait_for_exit(std::chrono::milliseconds limit) {
  if (!started()) return std::nullopt;
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool Program::running() const {
  return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

Watched::Watched(DWORD id)
    : handle_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id)) {}

Watched::~Watched() {
  if (!handle_) return;
  if (running()) {
    end();
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
}

Watched::Watched(Watched&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

bool Watched::running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Watched::wait_for_exit(std::chrono::milliseconds limit) const {
  if (!handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

std::vector<Watched> watch(const std::vector<DWORD>& ids) {
  std::vector<Watched> watched;
  for (DWORD id : ids) watched.emplace_back(id);
  return watched;
}

Installation::Installation(const std::string& name) {
  static unsigned counter = 0;
  root_ = environment("KORVEL_E2E_RUNS") + "\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  remove_tree(root_);
  CreateDirectoryA(environment("KORVEL_E2E_RUNS").c_str(), nullptr);
  copy_tree(environment("KORVEL_ASSETS_ROOT"), root_);
  CreateDirectoryA(exe().c_str(), nullptr);
  CopyFileA(environment("KORVEL_EXE").c_str(), (exe() + "\\Korvel.exe").c_str(), FALSE);
  SetEnvironmentVariableA("KORVEL_STANDIN_JOURNAL", journal().c_str());
}

Installation::~Installation() {
  // A failed test leaves its installation behind to be looked at.
  if (!::testing::Test::HasFailure()) remove_tree(root_);
}

void Installation::install_program(const std::string& file_name) {
  CopyFileA(environment("KORVEL_STANDIN_EXE").c_str(), (exe() + "\\" + file_name).c_str(), FALSE);
}

std::vector<standin::JournalEntry> Installation::journal_entries() const {
  return standin::parse_journal(read_file(journal()).value_or(""));
}

Program Installation::start_launcher() const { return Program(exe() + "\\Korvel.exe", "Korvel.exe", exe()); }

Program Installation::start_faulting_launcher(const std::string& fault) const {
  const std::string program = exe() + "\\KorvelFaulting.exe";
  CopyFileA(environment("KORVEL_FAULTING_EXE").c_str(), program.c_str(), FALSE);
  return Program(program, "KorvelFaulting.exe " + fault, exe());
}

void LauncherTest::TearDown() {
  if (korvel) watch(children_of(korvel->id()));
  standin_mode(nullptr);
  SetEnvironmentVariableA("KORVEL_STANDIN_ENDING", nullptr);
}

void LauncherTest::start_korvel() {
  korvel.emplace(install.start_launcher());
  ASSERT_TRUE(korvel->started());
  dialog = wait_for_dialog(korvel->id(), "KORVEL", 30s);
  ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
}

bool LauncherTest::field_reads(int id, const std::string& expected) const {
  return wait_until([&] { return field(id) == expected; });
}

std::string LauncherTest::answered_box(const std::string& caption, int button) const {
  const MessageBoxSeen box = wait_for_message_box(korvel->id(), caption);
  if (!box.window) return "<no " + caption + ">";
  answer(box.window, button);
  EXPECT_TRUE(wait_until_gone(box.window));
  return box.text;
}

void choose_file(HWND dialog, DWORD process_id, int select_button, const std::string& title,
                 const std::string& name, int button) {
  click(dialog, select_button);
  HWND chooser = wait_for_dialog(process_id, title);
  ASSERT_NE(chooser, nullptr) << "no open-file dialog " << title;
  SendMessageW(GetDlgItem(chooser, open_file_name_field), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(wide(name).c_str()));
  PostMessageA(chooser, WM_COMMAND, static_cast<WPARAM>(button), 0);
  ASSERT_TRUE(wait_until_gone(chooser)) << "the open-file dialog stayed";
}

void LauncherTest::choose_file(int select_button, const std::string& title, const std::string& name,
                               int button) const {
  e2e::choose_file(dialog, korvel->id(), select_button, title, name, button);
}

void LauncherTest::expect_ended_normally() {
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  EXPECT_FALSE(file_exists(install.path("Exe\\language.dat")));
}

void LauncherTest::exit_normally() {
  // A stand-in that has written its journal line may not have ended yet.
  EXPECT_TRUE(wait_until([&] { return children_of(korvel->id()).empty(); })) << "programs of the Launcher still run";
  click(dialog, exit_button);
  expect_ended_normally();
}

}  // namespace korvel::e2e
