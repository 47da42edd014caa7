// One Launcher per installation: a later start of an installation whose
// Launcher runs brings that one's main dialog to the front and ends, having
// read, written, shown and played nothing.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "launcher_fixture.h"

namespace korvel {
namespace {

using fake::FakeLauncher;
using fake::LauncherRegistry;

// A Launcher started on the same machine (the same registry) as `registry`'s.
struct LaterStart : FakeLauncher {
  std::vector<std::string> files_asked;  // every read, write, move and delete

  LaterStart(const std::shared_ptr<LauncherRegistry>& registry, std::string_view folder) {
    fake.launchers.registry = registry;
    fake.files.current = folder;
    fake.files.fail = [this](fake::Operation, std::string_view path) {
      files_asked.emplace_back(path);
      return false;
    };
  }

  void expect_did_nothing(std::string_view row) {
    EXPECT_TRUE(files_asked.empty()) << row;
    EXPECT_TRUE(fake.files.touched.empty()) << row;
    EXPECT_EQ(fake.files.range_reads, 0u) << row;
    EXPECT_TRUE(fake.events.empty()) << row << ": no sound, no box";
    EXPECT_TRUE(fake.windows.welcome.empty()) << row;
    EXPECT_TRUE(fake.dialogs.windows.empty()) << row;
    EXPECT_EQ(fake.live, fake::LiveObjects{}) << row << ": no window, icon or handle";
  }
};

TEST(OneLauncherPerInstallation, ALaterStartBringsTheRunningMainDialogForward) {
  // The first runs in C:\KORVEL\Exe; the folder as each later start may spell it.
  for (const std::string_view folder : {"C:\\KORVEL\\Exe", "c:\\korvel\\EXE", "C:\\KORVEL\\Exe\\"}) {
    FakeLauncher first;
    const auto registry = first.fake.launchers.registry;
    first.run([&] {
      LaterStart later(registry, folder);
      EXPECT_EQ(run_launcher(later.state, 1), 0) << folder;
      later.expect_did_nothing(folder);
      EXPECT_EQ(registry->brought_to_front, std::vector<NativeWindow>{first.w}) << folder;
    });
    // The first ends as ever: its recent list saved, its language.dat gone.
    EXPECT_TRUE(first.fake.files.has("C:\\KORVEL\\Exe\\recent.dat")) << folder;
    EXPECT_FALSE(first.fake.files.has("C:\\KORVEL\\Exe\\language.dat")) << folder;
  }
}

TEST(OneLauncherPerInstallation, AnotherInstallationRunsItsOwn) {
  for (const std::string_view folder : {"D:\\KORVEL\\Exe", "C:\\KORVEL\\Exe2", "C:\\KORVEL"}) {
    FakeLauncher first;
    const auto registry = first.fake.launchers.registry;
    first.run([&] {
      LaterStart other(registry, folder);
      other.fake.files.fail = nullptr;
      other.run();
      EXPECT_NE(other.w, 0u) << folder;
      EXPECT_TRUE(other.fake.files.has(std::string(folder) + "\\Sound.dat")) << folder;
    });
    EXPECT_TRUE(registry->brought_to_front.empty()) << folder;
  }
}

// The claim lasts as long as the Launcher's process; its main dialog is
// offered only while it exists (not during the exit question, say).
TEST(OneLauncherPerInstallation, TheClaimEndsWithTheLauncher) {
  const auto registry = std::make_shared<LauncherRegistry>();
  {
    FakeLauncher first;
    first.fake.launchers.registry = registry;
    first.run();
    ASSERT_EQ(registry->claims.size(), 1u);
    EXPECT_EQ(registry->claims.begin()->second.main_dialog, 0u);
  }
  EXPECT_TRUE(registry->claims.empty());
  LaterStart later(registry, "C:\\KORVEL\\Exe");
  later.run();
  EXPECT_NE(later.w, 0u);
  EXPECT_TRUE(registry->brought_to_front.empty());
}

// The running Launcher still shows its welcome window when the later start
// comes: the later one waits for its main dialog.
TEST(OneLauncherPerInstallation, ALaterStartWaitsForTheMainDialog) {
  constexpr NativeWindow main_dialog = 0x777;
  enum class Meanwhile { main_dialog_shows, running_one_ends, nothing };
  for (const Meanwhile meanwhile : {Meanwhile::main_dialog_shows, Meanwhile::running_one_ends, Meanwhile::nothing}) {
    const std::string row = "case " + std::to_string(static_cast<int>(meanwhile));
    auto running = std::make_optional<fake::FakeRunningLaunchers>();
    ASSERT_TRUE(running->claim("C:\\KORVEL\\Exe"));
    const auto registry = running->registry;
    registry->while_waiting = [&] {
      if (meanwhile == Meanwhile::main_dialog_shows) running->set_main_dialog(main_dialog);
      if (meanwhile == Meanwhile::running_one_ends) running.reset();
    };
    LaterStart later(registry, "C:\\KORVEL\\Exe");
    if (meanwhile == Meanwhile::running_one_ends) {
      later.run();  // in the ended one's place
      EXPECT_NE(later.w, 0u);
      EXPECT_FALSE(later.files_asked.empty());
    } else {
      EXPECT_EQ(run_launcher(later.state, 1), 0) << row;
      later.expect_did_nothing(row);
    }
    const std::vector<NativeWindow> brought =
        meanwhile == Meanwhile::main_dialog_shows ? std::vector<NativeWindow>{main_dialog} : std::vector<NativeWindow>{};
    EXPECT_EQ(registry->brought_to_front, brought) << row;
  }
}

}  // namespace
}  // namespace korvel
