#include "platform/win32/win32_running_launchers.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "platform/win32/code_pages.h"
#include "platform/win32/native_message.h"
#include "platform/win32/owned_handles.h"

namespace korvel::win32 {

namespace {

// How long a later start waits for the running Launcher's main dialog: its
// welcome window shows for four seconds at most, and the set-up that follows
// takes a fraction of one.
constexpr ULONGLONG main_dialog_wait_milliseconds = 10000;
constexpr DWORD look_again_milliseconds = 50;

// Owning the mutex, not its existence, tells that a Launcher runs: a later
// start's own handle keeps the mutex in being. The system gives up a dead
// owner's hold (abandoned), so a Launcher that crashed blocks no later one.
bool take(HANDLE mutex, DWORD milliseconds) {
  const DWORD result = WaitForSingleObject(mutex, milliseconds);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

// The folder as Windows compares it: every part in its long form, without a
// trailing backslash, in capitals.
std::wstring folded_folder(std::string_view start_directory) {
  std::wstring folder = widen(start_directory).value_or(std::wstring(start_directory.begin(), start_directory.end()));
  // Only a path of the usual length: Wine's GetLongPathNameW overruns its own
  // buffers on one of a few thousand characters. The current directory is
  // never longer.
  if (!folder.empty() && folder.size() < MAX_PATH) {
    std::wstring long_form(32768, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), long_form.data(), static_cast<DWORD>(long_form.size()));
    if (length > 0 && length < long_form.size()) folder = long_form.substr(0, length);
  }
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  if (!folder.empty()) CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  return folder;
}

HWND marked_window(const std::string& name) {
  struct Search {
    const std::string& name;
    HWND found = nullptr;
  } search{name};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (!GetPropA(window, s.name.c_str())) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void show_in_front(HWND dialog) {
  // Not ShowWindow: a Launcher busy with a sound must not hold this start up.
  if (IsIconic(dialog)) ShowWindowAsync(dialog, SW_RESTORE);
  // A dialog the running Launcher shows over its main dialog comes along.
  SetForegroundWindow(GetLastActivePopup(dialog));
}

}  // namespace

std::string running_launcher_name(std::string_view start_directory) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;  // 64-bit FNV-1a over the UTF-16 units
  for (const wchar_t unit : folded_folder(start_directory)) {
    hash = (hash ^ static_cast<std::uint16_t>(unit)) * 0x100000001b3ULL;
  }
  char name[40];
  std::snprintf(name, sizeof name, "KORVEL-Launcher-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

// The handle is closed by its owner; a hold taken is given up first.
struct Win32RunningLaunchers::Mutex {
  explicit Mutex(HANDLE h) : handle(h) {}
  ~Mutex() {
    if (owned) ReleaseMutex(handle.get());
  }
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  OwnedHandle handle;
  bool owned = false;
};

Win32RunningLaunchers::Win32RunningLaunchers() = default;
Win32RunningLaunchers::~Win32RunningLaunchers() = default;

bool Win32RunningLaunchers::claim(std::string_view start_directory) {
  const std::string name = running_launcher_name(start_directory);
  if (!mutex_ || name != name_) {
    mutex_.reset();
    name_ = name;
    // Local\: each signed-in user's session has Launchers of its own.
    const HANDLE handle = CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    if (!handle) return true;
    mutex_ = std::make_unique<Mutex>(handle);
  }
  if (!mutex_->owned) mutex_->owned = take(mutex_->handle.get(), 0);
  return mutex_->owned;
}

void Win32RunningLaunchers::set_main_dialog(NativeWindow window) {
  if (name_.empty()) return;
  if (marked_) RemovePropA(hwnd_of(marked_), name_.c_str());
  marked_ = window;
  if (window) SetPropA(hwnd_of(window), name_.c_str(), reinterpret_cast<HANDLE>(1));
}

bool Win32RunningLaunchers::bring_to_front(std::string_view start_directory) {
  const std::string name = running_launcher_name(start_directory);
  const bool waits_on_mutex = mutex_ && name == name_ && !mutex_->owned;
  const ULONGLONG deadline = GetTickCount64() + main_dialog_wait_milliseconds;
  do {
    if (const HWND dialog = marked_window(name)) {
      show_in_front(dialog);
      return true;
    }
    if (!waits_on_mutex) {
      Sleep(look_again_milliseconds);
    } else if (take(mutex_->handle.get(), look_again_milliseconds)) {
      // The running Launcher ended before it showed its main dialog: this one holds the claim now.
      mutex_->owned = true;
      return false;
    }
  } while (GetTickCount64() < deadline);
  return false;
}

}  // namespace korvel::win32
