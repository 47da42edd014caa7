// The Launcher's core on the real Win32 services, with one service that throws
// at the point the command line names. Built for the end-to-end tests only
// (never installed): they reach the Launcher's error paths through the real
// adapter, which the shipped Korvel.exe has no switch for.
//   tool     the second program start, inside a main dialog button's routine
//   recent   the message about a missing pick, inside the Recent Dialog's routine
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
  void close(ProcessHandle handle) override { real_.close(handle); }

 private:
  Processes& real_;
  int starts_ = 0;
};

class RecentDialogsBoxThrows final : public MessageBoxes {
 public:
  explicit RecentDialogsBoxThrows(MessageBoxes& real) : real_(real) {}
  int show(std::string_view text, std::string_view caption, unsigned type) override {
    if (caption == "Select Recent Message") throw std::runtime_error("the Recent Dialog's message");
    return real_.show(text, caption, type);
  }

 private:
  MessageBoxes& real_;
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
    static RecentDialogsBoxThrows boxes(services->message_boxes);
    static WelcomeSoundThrows sound(services->sound);
    const std::string fault(command_line);
    platform = std::make_unique<Platform>(Platform{
        services->files, fault == "recent" ? static_cast<MessageBoxes&>(boxes) : services->message_boxes,
        fault == "welcome" ? static_cast<Sound&>(sound) : services->sound,
        fault == "tool" ? static_cast<Processes&>(processes) : services->processes, services->windows,
        services->dialogs, services->file_dialogs, services->launchers});
    state = std::make_unique<LauncherState>(*platform);
    return run_launcher(*state, show_command);
  } catch (...) {
    MessageBoxA(nullptr, "Error initializing application Korvel", "Error", MB_OK);
    return 0;
  }
}
