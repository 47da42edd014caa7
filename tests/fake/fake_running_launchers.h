// Launchers of several installations on one machine: each fake holds its
// claims in a registry that the test may give to the platforms of several
// Launchers, which then see one another as one user's Launchers do.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace korvel::fake {

struct LauncherRegistry {
  struct Claim {
    const void* holder = nullptr;
    NativeWindow main_dialog = 0;
  };
  // By Exe folder, in lower case and without a trailing backslash.
  std::map<std::string, Claim> claims;
  // The main dialogs later starts brought to the front, in order.
  std::vector<NativeWindow> brought_to_front;
  // What happens while a later start waits for the main dialog (the running
  // Launcher may show it, or end).
  std::function<void()> while_waiting;
};

class FakeRunningLaunchers final : public RunningLaunchers {
 public:
  std::shared_ptr<LauncherRegistry> registry = std::make_shared<LauncherRegistry>();

  FakeRunningLaunchers() = default;
  FakeRunningLaunchers(const FakeRunningLaunchers&) = delete;
  FakeRunningLaunchers& operator=(const FakeRunningLaunchers&) = delete;
  // The process ends: its claim goes with it.
  ~FakeRunningLaunchers() override;

  bool claim(std::string_view start_directory) override;
  void set_main_dialog(NativeWindow window) override;
  bool bring_to_front(std::string_view start_directory) override;

 private:
  std::string claimed_;  // the folder this Launcher holds, once it does
  bool holds_ = false;
};

}  // namespace korvel::fake
