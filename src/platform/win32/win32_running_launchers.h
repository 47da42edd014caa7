// One Launcher per installation on Win32. The Launcher that runs owns a named
// mutex of its Exe folder and marks its main dialog with a window property of
// the same name; a later start that finds the mutex owned looks for the
// marked window.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace korvel::win32 {

class Win32RunningLaunchers final : public RunningLaunchers {
 public:
  Win32RunningLaunchers();
  ~Win32RunningLaunchers() override;
  Win32RunningLaunchers(const Win32RunningLaunchers&) = delete;
  Win32RunningLaunchers& operator=(const Win32RunningLaunchers&) = delete;

  // A mutex or window that can't be had is no reason to refuse the start:
  // the Launcher then runs as if no other did.
  bool claim(std::string_view start_directory) override;
  void set_main_dialog(NativeWindow window) override;
  bool bring_to_front(std::string_view start_directory) override;

 private:
  struct Mutex;
  std::string name_;  // of the installation this Launcher claimed or waits for
  std::unique_ptr<Mutex> mutex_;
  NativeWindow marked_ = 0;
};

// The name of the mutex and the window property of an installation: the same
// for every spelling of its Exe folder that names the same folder (letter case,
// a trailing backslash, an 8.3 name), of any length and any characters.
std::string running_launcher_name(std::string_view start_directory);

}  // namespace korvel::win32
