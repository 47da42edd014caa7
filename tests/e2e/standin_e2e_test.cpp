// The stand-in that plays the package's programs records exactly what it was
// given, so the tests that start programs through Korvel.exe can rely on it.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

// The stand-ins alone: no Launcher is started.
using StandIn = LauncherTest;

TEST_F(StandIn, RecordsItsCommandLineDirectoryAndLanguage) {
  install.install_program("PUNA 20.exe");
  ASSERT_TRUE(write_file(install.path("Exe\\language.dat"), "Romanian            \r\n"));
  standin_mode("exit");
  Program puna(install.path("Exe\\PUNA 20.exe"), " \t", install.exe());
  EXPECT_EQ(puna.wait_for_exit(), 0u);

  const auto entries = install.journal_entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "PUNA 20.exe");
  EXPECT_EQ(entries[0].command_line, " \t");
  EXPECT_EQ(entries[0].current_directory, install.exe());
  EXPECT_EQ(entries[0].language, "Romanian            ");
}

TEST_F(StandIn, AsTheSolverWritesTheOutputFile) {
  install.install_program("VEK.exe");
  Program vek(install.path("Exe\\VEK.exe"), " \"" + install.path("Dat\\frame.dat") + "\" frame.inc E",
              install.path("Dat"));
  EXPECT_EQ(vek.wait_for_exit(), 0u);
  EXPECT_TRUE(file_exists(install.path("Dat\\frame.rez")));
  ASSERT_EQ(install.journal_entries().size(), 1u);
}

TEST_F(StandIn, StaysWithAWindowUntilClosed) {
  install.install_program("Sivra.exe");
  Program sivra(install.path("Exe\\Sivra.exe"), " C:\\Jobs\\frame.dat", install.exe());
  HWND window = nullptr;
  ASSERT_TRUE(wait_until([&] { return (window = find_window(sivra.id(), "KorvelStandIn")) != nullptr; }));
  EXPECT_TRUE(sivra.running());
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(sivra.wait_for_exit(), 0u);
}

}  // namespace
}  // namespace korvel::e2e
