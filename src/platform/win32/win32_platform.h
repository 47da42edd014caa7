// The Win32 implementation of the platform seam.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_running_launchers.h"
#include "platform/win32/win32_windows.h"

namespace korvel::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::uint64_t> file_size(std::string_view path) override;
  std::optional<std::string> read_file_range(std::string_view path, std::uint64_t offset,
                                             std::size_t count) override;
  bool write_file(std::string_view path, std::string_view data, Durability durability) override;
  bool move_file_replacing(std::string_view from, std::string_view to, Durability durability) override;
  bool delete_file(std::string_view path) override;
  bool file_exists(std::string_view path) override;
  std::optional<std::string> search_path(std::string_view name) override;
  std::optional<std::string> full_path(std::string_view name) override;
  std::optional<std::string> current_directory() override;
  bool set_current_directory(std::string_view path) override;
  std::string windows_directory() override;
  std::string from_system_code_page(std::string_view text) override;
  std::optional<std::string> to_system_code_page(std::string_view text) override;
  std::optional<std::string> short_name(std::string_view path) override;
};

class Win32MessageBoxes final : public MessageBoxes {
 public:
  int show(std::string_view text, std::string_view caption, unsigned type) override;
};

class Win32Sound final : public Sound {
 public:
  void play(std::string_view path) override;
};

class Win32Processes final : public Processes {
 public:
  std::optional<StartedProcess> start(std::string_view application, std::string_view command_line) override;
  ProcessHandle open(std::uint32_t process_id) override;
  std::optional<std::uint32_t> exit_code(ProcessHandle handle) override;
  void terminate(ProcessHandle handle, std::uint32_t exit_code) override;
  void close(ProcessHandle handle) override;
};

// One instance of every service, for the program's whole run.
struct Win32Platform {
  Win32FileSystem files;
  Win32MessageBoxes message_boxes;
  Win32Sound sound;
  Win32Processes processes;
  Win32Windows windows;
  Win32NativeDialogs dialogs;
  Win32FileDialogs file_dialogs;
  Win32RunningLaunchers launchers;

  Platform platform() {
    return Platform{files, message_boxes, sound, processes, windows, dialogs, file_dialogs, launchers};
  }
};

}  // namespace korvel::win32
