#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/callback_guard.h"
#include "platform/win32/code_pages.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/process_start.h"
#include "platform/win32/read_exactly.h"
#include "platform/win32/system_library.h"

#include <vector>

namespace korvel::win32 {

namespace {

// A replacement refused because another program holds the file: tried this many
// times in all, this far apart (at most a tenth of a second on the UI thread).
constexpr int move_attempts = 5;
constexpr DWORD move_retry_milliseconds = 25;

// Win32 wants NUL-terminated texts.
std::string z(std::string_view text) { return std::string(text); }

using FileHandle = OwnedHandle;

HANDLE open_for_reading(std::string_view path) {
  return CreateFileA(z(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A regular file: no folder, and no device. A device name such as NUL or CON
// names the device in any existing folder, also with an extension (NUL.dat),
// and Wine gives it the attributes of an ordinary file; only an opened handle
// tells the two apart. Opened with no access right, it never meets another
// program's sharing mode.
bool is_regular_file(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && GetFileType(file.get()) == FILE_TYPE_DISK;
}

}  // namespace

std::optional<std::uint64_t> Win32FileSystem::file_size(std::string_view path) {
  FileHandle file(open_for_reading(path));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::string> Win32FileSystem::read_file_range(std::string_view path, std::uint64_t offset,
                                                            std::size_t count) {
  FileHandle file(open_for_reading(path));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);
  if (offset >= total) return std::string();
  if (count > total - offset) count = static_cast<std::size_t>(total - offset);
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string data(count, '\0');
  if (!read_exactly(file.get(), data.data(), count)) return std::nullopt;
  return data;
}

bool Win32FileSystem::write_file(std::string_view path, std::string_view data, Durability durability) {
  FileHandle file(CreateFileA(z(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  while (!data.empty()) {
    const DWORD want = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
    DWORD written = 0;
    if (!WriteFile(file.get(), data.data(), want, &written, nullptr) || written == 0) return false;
    data.remove_prefix(written);
  }
  // A durable file's data must be on the disk before it is moved over the old
  // one. Forcing it there costs a disk round trip, too slow for a scratch file
  // rewritten at every keystroke.
  return durability == Durability::scratch || FlushFileBuffers(file.get()) != 0;
}

bool Win32FileSystem::move_file_replacing(std::string_view from, std::string_view to, Durability durability) {
  // A read-only file is one the user chose to keep as it is. Windows refuses to
  // replace it; Wine would, so the adapter says no on both.
  const DWORD target = GetFileAttributesA(z(to).c_str());
  if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY)) return false;
  // A program reading the file at that moment (one of the package's, a virus
  // scanner) makes the replacement fail for a while: try again briefly before
  // the old file is kept.
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability == Durability::durable ? MOVEFILE_WRITE_THROUGH : 0u);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(z(from).c_str(), z(to).c_str(), flags)) return true;
    const DWORD error = GetLastError();
    if (attempt == move_attempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
    Sleep(move_retry_milliseconds);
  }
}

bool Win32FileSystem::delete_file(std::string_view path) {
  const std::string name = z(path);
  const DWORD attributes = GetFileAttributesA(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return DeleteFileA(name.c_str()) != 0;
}

bool Win32FileSystem::file_exists(std::string_view path) { return is_regular_file(z(path)); }

std::optional<std::string> Win32FileSystem::search_path(std::string_view name) {
  const std::string wanted = z(name);
  if (wanted.empty()) return std::nullopt;
  std::vector<char> found(MAX_PATH + 1);
  for (;;) {
    const DWORD n = SearchPathA(nullptr, wanted.c_str(), nullptr, static_cast<DWORD>(found.size()), found.data(),
                                nullptr);
    if (n == 0) return std::nullopt;
    // The search finds folders too, and may find a device: neither is a file to read.
    if (n < found.size()) {
      std::string path(found.data(), n);
      if (!is_regular_file(path)) return std::nullopt;
      return path;
    }
    found.resize(n + 1);
  }
}

std::optional<std::string> Win32FileSystem::full_path(std::string_view name) {
  const std::string wanted = z(name);
  if (wanted.empty()) return std::nullopt;
  std::vector<char> full(MAX_PATH + 1);
  for (;;) {
    const DWORD n = GetFullPathNameA(wanted.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return std::nullopt;
    if (n < full.size()) return std::string(full.data(), n);
    full.resize(n + 1);
  }
}

bool Win32FileSystem::set_current_directory(std::string_view path) {
  return SetCurrentDirectoryA(std::string(path).c_str()) != 0;
}

std::optional<std::string> Win32FileSystem::current_directory() {
  // In UTF-8 a folder of 259 characters may take more than MAX_PATH bytes (the
  // open-file dialog moves into such folders): the buffer grows to what the
  // call asks for.
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0) return std::nullopt;
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n + 1);
  }
  return std::nullopt;
}

std::string Win32FileSystem::windows_directory() {
  char buffer[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (n == 0 || n > MAX_PATH) return std::string();
  return std::string(buffer, n);
}

std::string Win32FileSystem::from_system_code_page(std::string_view text) {
  return system_to_process_code_page(text);
}

std::optional<std::string> Win32FileSystem::to_system_code_page(std::string_view text) {
  return process_to_system_code_page(text);
}

std::optional<std::string> Win32FileSystem::short_name(std::string_view path) { return short_name_of(path); }

// The core's box types and answers are the system's own values.
static_assert(mb::ok == MB_OK && mb::ok_cancel == MB_OKCANCEL && mb::yes_no == MB_YESNO &&
              mb::retry_cancel == MB_RETRYCANCEL && mb::icon_error == MB_ICONERROR &&
              mb::icon_information == MB_ICONINFORMATION && mb::default_button2 == MB_DEFBUTTON2);
static_assert(mb::answer_ok == IDOK && mb::answer_cancel == IDCANCEL && mb::answer_retry == IDRETRY &&
              mb::answer_yes == IDYES && mb::answer_no == IDNO);

int Win32MessageBoxes::show(std::string_view text, std::string_view caption, unsigned type) {
  const int answer = MessageBoxA(nullptr, z(text).c_str(), z(caption).c_str(), type);
  rethrow_parked();  // the box's loop runs the other windows' messages
  return answer;
}

void Win32Sound::play(std::string_view path) {
  using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  static const PlaySoundFunction play_sound = system_function_as<PlaySoundFunction>("winmm.dll", "PlaySoundA");
  if (play_sound) play_sound(z(path).c_str(), nullptr, 0);
}

std::optional<StartedProcess> Win32Processes::start(std::string_view application, std::string_view command_line) {
  const std::string app = z(application);
  std::string line = z(command_line);  // CreateProcessA may write into its command line
  ProcessStart how = process_start();
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(app.c_str(), line.data(), nullptr, nullptr, how.inherit_handles, how.creation_flags, nullptr,
                      nullptr, &how.startup, &info))
    return std::nullopt;
  // The Launcher never looks at the program's first thread.
  OwnedHandle thread(info.hThread);
  // The process handle is the caller's: while it is open the id can't be reused.
  return StartedProcess{reinterpret_cast<ProcessHandle>(info.hProcess), info.dwProcessId};
}

void Win32Processes::close(ProcessHandle handle) { OwnedHandle(reinterpret_cast<HANDLE>(handle)).reset(); }

ProcessHandle Win32Processes::open(std::uint32_t process_id) {
  return reinterpret_cast<ProcessHandle>(OpenProcess(PROCESS_ALL_ACCESS, TRUE, process_id));
}

std::optional<std::uint32_t> Win32Processes::exit_code(ProcessHandle handle) {
  DWORD code = 0;
  if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(handle), &code)) return std::nullopt;
  return code;
}

void Win32Processes::terminate(ProcessHandle handle, std::uint32_t exit_code) {
  TerminateProcess(reinterpret_cast<HANDLE>(handle), exit_code);
}

}  // namespace korvel::win32
