// The Launcher's core on the real Win32 services, with one service that throws
// at the point the command line names. Built for the end-to-end tests only
// (never installed): they reach the Launcher's error paths through the real
// adapter, which the shipped Korvel.exe has no switch for.
//   tool     the second program start, inside a main dialog button's routine
//   recent   the look for a file named Throwing.dat, inside the Recent Dialog's routine
//   welcome  the welcome window's sound, at its first paint
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "app/launcher.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace korvel;

class SecondStartThrows final : public Processes {
 public:
  explicit SecondStartThrows(Processes& real) : real_(real) {}
  std::optional<StartedProcess> start(std::string_view application, std::string_view command_line) override {
    if (++starts_ == 2) throw std::runtime_error("a program's start");
    return real_.start(application, command_line);
  }
  ProcessHandle open(std::uint32_t id) override { return real_.open(id); }
  std::optional<std::uint32_t> exit_code(ProcessHandle handle) override { return real_.exit_code(handle); }
  void terminate(ProcessHandle handle, std::uint32_t code) override { real_.terminate(handle, code); }

 private:
  Processes& real_;
  int starts_ = 0;
};

class LookingForThrowingDatThrows final : public FileSystem {
 public:
  explicit LookingForThrowingDatThrows(FileSystem& real) : real_(real) {}
  bool file_exists(std::string_view path) override {
    if (path.ends_with("\\Throwing.dat")) throw std::runtime_error("a file's look-up");
    return real_.file_exists(path);
  }
  std::optional<std::uint64_t> file_size(std::string_view path) override { return real_.file_size(path); }
  std::optional<std::string> read_file_range(std::string_view path, std::uint64_t offset, std::size_t count) override {
    return real_.read_file_range(path, offset, count);
  }
  bool write_file(std::string_view path, std::string_view data, Durability how) override {
    return real_.write_file(path, data, how);
  }
  bool move_file_replacing(std::string_view from, std::string_view to, Durability how) override {
    return real_.move_file_replacing(from, to, how);
  }
  bool delete_file(std::string_view path) override { return real_.delete_file(path); }
  std::optional<std::string> search_path(std::string_view name) override { return real_.search_path(name); }
  std::optional<std::string> full_path(std::string_view name) override { return real_.full_path(name); }
  std::optional<std::string> current_directory() override { return real_.current_directory(); }
  std::string windows_directory() override { return real_.windows_directory(); }
  std::string from_system_code_page(std::string_view text) override { return real_.from_system_code_page(text); }
  std::optional<std::string> to_system_code_page(std::string_view text) override {
    return real_.to_system_code_page(text);
  }
  std::optional<std::string> short_name(std::string_view path) override { return real_.short_name(path); }

 private:
  FileSystem& real_;
};

class WelcomeSoundThrows final : public Sound {
 public:
  explicit WelcomeSoundThrows(Sound& real) : real_(real) {}
  void play(std::string_view path) override {
    if (path.ends_with("\\KorvelWelcome.wav")) throw std::runtime_error("the welcome's sound");
    real_.play(path);
  }

 private:
  Sound& real_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int show_command) {
  // As Korvel.exe's entry point, with the service of the chosen fault in place.
  std::unique_ptr<win32::Win32Platform> services;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<LauncherState> state;
  try {
    services = std::make_unique<win32::Win32Platform>();
    static SecondStartThrows processes(services->processes);
    static LookingForThrowingDatThrows files(services->files);
    static WelcomeSoundThrows sound(services->sound);
    const std::string fault(command_line);
    platform = std::make_unique<Platform>(Platform{
        fault == "recent" ? static_cast<FileSystem&>(files) : services->files, services->message_boxes,
        fault == "welcome" ? static_cast<Sound&>(sound) : services->sound,
        fault == "tool" ? static_cast<Processes&>(processes) : services->processes, services->windows,
        services->dialogs, services->file_dialogs});
    state = std::make_unique<LauncherState>(*platform);
    return run_launcher(*state, show_command);
  } catch (...) {
    MessageBoxA(nullptr, "Error initializing application Korvel", "Error", MB_OK);
    return 0;
  }
}
