// The platform seam.
//
// The Launcher's behaviour is plain C++ that reaches the operating system only
// through the small interfaces below. The Win32 adapter implements them; the
// native tests use an in-memory fake. Paths are Windows paths in the process's
// ANSI code page: UTF-8 where the platform honours the program manifest's
// request for it, else the system's code page. A relative path is taken against
// the process's current directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/native_ui.h"

namespace korvel {

// Whether a written file must survive a failure of the whole system. A
// durable file is on the disk when the write or move returns; a scratch file,
// which lives only as long as the run, may stay in the system's cache.
enum class Durability { durable, scratch };

// Files and directories.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Size in bytes of an existing file.
  virtual std::optional<std::uint64_t> file_size(std::string_view path) = 0;
  // Up to `count` bytes from `offset` (fewer at the end of the file); nothing
  // when the file is missing, is a folder or can't be read. There is no call
  // for a whole file: the Launcher reads only the records it uses.
  virtual std::optional<std::string> read_file_range(std::string_view path, std::uint64_t offset,
                                                     std::size_t count) = 0;
  // Creates or truncates the file and writes `data`; false when that fails.
  virtual bool write_file(std::string_view path, std::string_view data, Durability durability) = 0;
  // Moves `from` over `to`, replacing an existing `to` in one step.
  virtual bool move_file_replacing(std::string_view from, std::string_view to, Durability durability) = 0;
  // Deletes a file; read-only, hidden and system files are left alone.
  virtual bool delete_file(std::string_view path) = 0;

  // True when a regular file (not a folder or a device) of that name exists.
  virtual bool file_exists(std::string_view path) = 0;
  // A regular file found by the platform's search (not a folder or a device); nothing otherwise.
  virtual std::optional<std::string> search_path(std::string_view name) = 0;
  // The name made a full path against the current directory; nothing when it can't be.
  virtual std::optional<std::string> full_path(std::string_view name) = 0;

  // The current directory, at most 260 characters; nothing when it can't be had.
  virtual std::optional<std::string> current_directory() = 0;
  // Makes `path`, a folder, the current directory; false when it can't.
  virtual bool set_current_directory(std::string_view path) = 0;
  // The Windows directory, as the platform reports it (empty on failure).
  virtual std::string windows_directory() = 0;

  // The package's other programs write their files and read their command
  // lines in the system's ANSI code page. Where the process's code page is that
  // code page (an older system), both conversions give the text unchanged.
  // Text in the system's code page, in the process's code page.
  virtual std::string from_system_code_page(std::string_view text) = 0;
  // The text in the system's code page; nothing when that code page can't hold
  // every character of it (no look-alike is put in its place).
  virtual std::optional<std::string> to_system_code_page(std::string_view text) = 0;
  // The short (8.3) name of the file or folder that `path` names: that part
  // alone, without its folder; nothing when it has none (the volume makes no
  // short names, or nothing of that name exists).
  virtual std::optional<std::string> short_name(std::string_view path) = 0;
};

// Message box types and answers, with the platform's values.
namespace mb {
inline constexpr unsigned ok = 0x0;
inline constexpr unsigned ok_cancel = 0x1;
inline constexpr unsigned yes_no = 0x4;
inline constexpr unsigned retry_cancel = 0x5;
inline constexpr unsigned icon_error = 0x10;
inline constexpr unsigned icon_information = 0x40;
inline constexpr unsigned default_button2 = 0x100;  // Enter answers the second button

inline constexpr int answer_ok = 1;
inline constexpr int answer_cancel = 2;
inline constexpr int answer_retry = 4;
inline constexpr int answer_yes = 6;
inline constexpr int answer_no = 7;
}  // namespace mb

// Message boxes without an owner window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns the answer (one of mb::answer_*).
  virtual int show(std::string_view text, std::string_view caption, unsigned type) = 0;
};

// Synchronous sound cues.
class Sound {
 public:
  virtual ~Sound() = default;
  // Plays a wave file and returns when it has ended; failures are silent.
  virtual void play(std::string_view path) = 0;
};

// Processes the Launcher starts and, at exit, looks at again.
using ProcessHandle = std::uintptr_t;

struct StartedProcess {
  ProcessHandle handle = 0;
  std::uint32_t id = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `application` with `command_line`, inheriting environment and current
  // directory, no handles. The process handle stays open until it is closed.
  virtual std::optional<StartedProcess> start(std::string_view application,
                                              std::string_view command_line) = 0;
  // Opens a process by id; 0 when it can't be opened.
  virtual ProcessHandle open(std::uint32_t process_id) = 0;
  // The exit code, or nothing when it can't be read. 259 means still running.
  virtual std::optional<std::uint32_t> exit_code(ProcessHandle handle) = 0;
  virtual void terminate(ProcessHandle handle, std::uint32_t exit_code) = 0;
  // Closes a handle that start or open gave; the process runs on. 0 is left alone.
  virtual void close(ProcessHandle handle) = 0;
};

inline constexpr std::uint32_t still_active = 259;

// The platform's open-file dialog. The buffers are the caller's and persist from
// one dialog to the next: `file_name` offers the last path chosen and receives
// the new one, NUL-terminated.
struct OpenFileRequest {
  std::string_view filter;             // description, NUL, pattern, NUL, NUL
  unsigned filter_index = 1;
  char* file_name = nullptr;           // a buffer of `file_name_size` characters
  unsigned file_name_size = 0;
  const char* initial_directory = nullptr;  // NUL-terminated
  const char* title = nullptr;              // NUL-terminated
  const char* default_extension = nullptr;  // NUL-terminated
  unsigned flags = 0;
};

// OFN_PATHMUSTEXIST: the typed path's folder must exist, the file need not.
inline constexpr unsigned ofn_path_must_exist = 0x800;

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Shows the dialog without an owner; non-zero when the user confirmed a name.
  // Without the keep-directory flag the current directory follows the chosen file.
  virtual int get_open_file_name(OpenFileRequest& request) = 0;
};

// The Launchers of one installation, its Exe folder, in this user's session:
// one runs, and a later start hands over to it. Two would write the same
// settings files, and the one to end last would delete the other's
// language.dat and drop its recent entries.
class RunningLaunchers {
 public:
  virtual ~RunningLaunchers() = default;
  // Claims the installation whose Exe folder is `start_directory` for this run,
  // the folder compared as the platform compares paths (letter case and a
  // trailing backslash do not count); false while another Launcher holds it.
  // The claim lasts until this process ends, whatever way it ends.
  virtual bool claim(std::string_view start_directory) = 0;
  // The main dialog a later start brings to the front; 0 (before the window
  // goes) when this run has none any more.
  virtual void set_main_dialog(NativeWindow window) = 0;
  // Brings the main dialog of the Launcher that holds the installation to the
  // front, restored if minimised, waiting a few seconds while it has none yet
  // (its welcome window shows); false when none came in that time.
  virtual bool bring_to_front(std::string_view start_directory) = 0;
};

// Everything the core may use, handed to it as one value.
struct Platform {
  FileSystem& files;
  MessageBoxes& message_boxes;
  Sound& sound;
  Processes& processes;
  Windows& windows;
  NativeDialogs& dialogs;
  FileDialogs& file_dialogs;
  RunningLaunchers& launchers;
};

}  // namespace korvel
