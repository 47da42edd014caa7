// Stand-in for every package program in tests and the demo. It records how it
// was started in the journal named by KORVEL_STANDIN_JOURNAL; as the solver it
// writes an Output File. KORVEL_STANDIN_MODE "exit" ends it at once, "stay"
// keeps a window open until closed; by default only the solver ends by itself.
// KORVEL_STANDIN_ENDING names programs ("LORIM.exe;PIRA.exe") that end at once
// whatever the mode, so one run can mix ending and staying programs.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "journal.h"

namespace {

using korvel::standin::JournalEntry;

std::string environment(const char* name) {
  char buffer[4096];
  DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string own_file_name() {
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full(path, n);
  return full.substr(full.find_last_of("\\/") + 1);
}

std::string current_directory() {
  DWORD n = GetCurrentDirectoryA(0, nullptr);
  std::string dir(n, '\0');
  dir.resize(GetCurrentDirectoryA(n, dir.data()));
  return dir;
}

std::string read_file(const char* path) {
  std::string content;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return content;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

// One WriteFile of the whole text: appends from concurrent stand-ins stay whole lines.
void write_file(const std::string& path, const std::string& text, bool append) {
  HANDLE file = CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

bool named_in(const std::string& list, const std::string& program) {
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = list.find(';', from);
    const std::string name = list.substr(from, end == std::string::npos ? std::string::npos : end - from);
    if (_stricmp(name.c_str(), program.c_str()) == 0) return true;
    if (end == std::string::npos) return false;
    from = end + 1;
  }
}

std::string visible(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\t' ? std::string("<TAB>") : std::string(1, c);
  return out;
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(GetDlgItem(window, 1), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int stay(HINSTANCE instance, const JournalEntry& entry) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = window_proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "KorvelStandIn";
  RegisterClassA(&window_class);

  HWND window = CreateWindowA("KorvelStandIn", entry.program.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 520, 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  std::string text = "Program: " + entry.program + "\r\nCommand line: [" + visible(entry.command_line) +
                     "]\r\nCurrent directory: " + entry.current_directory + "\r\nLanguage: [" + entry.language +
                     "]";
  HWND edit = CreateWindowExA(0, "EDIT", text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
                              0, 0, 0, window, reinterpret_cast<HMENU>(1), instance, nullptr);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  RECT client;
  GetClientRect(window, &client);
  MoveWindow(edit, 0, 0, client.right, client.bottom, FALSE);
  ShowWindow(window, SW_SHOWNORMAL);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

// The command line as a Unicode program (the editor, the help viewer) reads it.
std::string unicode_command_line() {
  const wchar_t* wide = GetCommandLineW();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
  return text;
}

bool is_file(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  JournalEntry entry{own_file_name(), unicode_command_line(), current_directory(),
                     korvel::standin::first_record(read_file("language.dat")), {}};  // unopened: below
  // The solver reads its command line in the system's code page, as the
  // package's programs do: the names it gets there are the ones it can open.
  bool solver = _strnicmp(entry.program.c_str(), "VEK", 3) == 0;
  const std::vector<std::string> arguments = korvel::standin::split_solver_arguments(GetCommandLineA());
  if (solver)
    for (std::size_t i = 0; i < arguments.size() && i < 2; ++i)
      if (!is_file(arguments[i])) entry.unopened += (entry.unopened.empty() ? "" : ";") + arguments[i];

  std::string journal = environment("KORVEL_STANDIN_JOURNAL");
  if (!journal.empty()) write_file(journal, korvel::standin::format_journal_line(entry), true);

  if (solver) {
    if (!arguments.empty())
      write_file(korvel::standin::output_file_for(arguments[0]), korvel::standin::solver_output_text(arguments),
                 false);
  }

  std::string mode = environment("KORVEL_STANDIN_MODE");
  if (mode == "exit" || (mode != "stay" && solver) || named_in(environment("KORVEL_STANDIN_ENDING"), entry.program))
    return 0;
  return stay(instance, entry);
}
