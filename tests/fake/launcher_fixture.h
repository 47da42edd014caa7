// The Launcher on the fake platform, run with scripted user actions: the
// fixture of the unit tests that drive it as the user would.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/launcher.h"
#include "fake_platform.h"
#include "ui/control_ids.h"

// The tests name controls as the routines do.
namespace korvel {
using namespace main_dialog_ids;
using namespace recent_dialog_ids;
}  // namespace korvel

namespace korvel::fake {

// One Launcher with its own platform. A table test that needs a fresh one per
// row makes one per row.
struct FakeLauncher {
  FakePlatform fake;
  Platform platform = fake.platform();
  LauncherState state{platform};
  NativeWindow w = 0;  // the main dialog's window, once it is up

  virtual ~FakeLauncher() = default;

  // A whole run, started with `show_command`. Once the main dialog is up the
  // user does `actions` and, when they left the dialog open, leaves it. The run
  // must end by itself, with 0.
  int run(std::function<void()> actions = nullptr, int show_command = 1) {
    fake.windows.user_actions.push_back([this, actions] {
      w = fake.dialogs.find(main_dialog_template);
      if (actions) actions();
      if (w != 0 && fake.dialogs.windows.at(w).open) leave();
    });
    const int exit_code = run_launcher(state, show_command);
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(fake.windows.ran_dry);
    return exit_code;
  }
  // How the user leaves the main dialog at the end of a run.
  virtual void leave() { fake.dialogs.click(w, exit_button); }

  FakeControl& control(int id) { return fake.dialogs.control(w, id); }
  bool enabled(int id) { return control(id).enabled; }
};

class LauncherTest : public ::testing::Test, public FakeLauncher {};

}  // namespace korvel::fake
