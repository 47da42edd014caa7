// One Launcher per installation: a second start of an installation whose
// Launcher runs brings that one's main dialog to the front and ends at once;
// another installation runs a Launcher of its own.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

// Every Launcher's main dialog on the desktop, whichever process shows it.
std::vector<HWND> main_dialogs() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        char name[256] = {};
        char caption[256] = {};
        GetClassNameA(window, name, sizeof name);
        GetWindowTextA(window, caption, sizeof caption);
        if (IsWindowVisible(window) && std::string(name) == "#32770" && std::string(caption) == "KORVEL")
          reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// A settings file as it lies: its bytes and the time of its last write, so
// that a rewrite with the same bytes shows too.
std::string as_it_lies(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "<no file>";
  const FILETIME& written = data.ftLastWriteTime;
  return read_file(path).value_or("<unreadable>") + "<written " + std::to_string(written.dwHighDateTime) + ":" +
         std::to_string(written.dwLowDateTime) + ">";
}

class OneLauncher : public LauncherTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), "C:\\Jobs\\frame.dat\r\n"));
    ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), " F\r\n"));  // the first start keeps it
  }
  std::vector<std::string> settings_files() const {
    std::vector<std::string> files;
    for (const char* name : {"Sound.dat", "recent.dat", "language.dat"})
      files.push_back(as_it_lies(install.path(std::string("Exe\\") + name)));
    return files;
  }
  // A second start of the installation ends by itself with 0, soon, and
  // leaves the first's main dialog the only one, in front.
  void expect_handed_over(Program& second) {
    EXPECT_EQ(second.wait_for_exit(15s), 0u) << "the second start did not end by itself";
    EXPECT_EQ(main_dialogs(), std::vector<HWND>{dialog});
    EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == dialog; })) << "the main dialog is not in front";
  }
};

TEST_F(OneLauncher, ASecondStartBringsTheFirstForwardRestoredAndChangesNoFile) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  ASSERT_TRUE(file_exists(install.path("Exe\\language.dat")));
  ShowWindow(dialog, SW_MINIMIZE);
  ASSERT_TRUE(wait_until([&] { return IsIconic(dialog) != FALSE; }));
  const std::vector<std::string> before = settings_files();

  Program second = install.start_launcher();
  ASSERT_TRUE(second.started());
  expect_handed_over(second);
  EXPECT_TRUE(wait_until([&] { return !IsIconic(dialog); })) << "the main dialog stays minimised";
  EXPECT_EQ(settings_files(), before);

  exit_normally();  // the first runs on as before
}

TEST_F(OneLauncher, ASecondStartDuringTheWelcomeWindowWaitsForTheMainDialog) {
  korvel.emplace(install.start_launcher());
  ASSERT_TRUE(korvel->started());
  ASSERT_TRUE(wait_until([&] { return find_window(korvel->id(), "Welcome") != nullptr; }));

  Program second = install.start_launcher();
  ASSERT_TRUE(second.started());
  // Left alone, the welcome window goes after four seconds: the second start waits that long.
  ASSERT_TRUE(wait_until([&] { return (dialog = find_dialog(korvel->id(), "KORVEL")) != nullptr; }, 30s));
  expect_handed_over(second);
  exit_normally();
}

TEST_F(OneLauncher, AnotherInstallationRunsItsOwn) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  Installation other("AnotherInstallation");
  Program own = other.start_launcher();
  ASSERT_TRUE(own.started());
  const HWND own_dialog = wait_for_dialog(own.id(), "KORVEL", 30s);
  ASSERT_NE(own_dialog, nullptr) << "the other installation's Launcher showed no main dialog";
  EXPECT_EQ(main_dialogs().size(), 2u);
  click(own_dialog, exit_button);
  EXPECT_EQ(own.wait_for_exit(), 0u);
  EXPECT_FALSE(file_exists(other.path("Exe\\language.dat")));
  EXPECT_TRUE(file_exists(install.path("Exe\\language.dat"))) << "the first's language.dat must stay";
  exit_normally();
}

// The system gives a killed Launcher's claim up: the next start runs.
TEST_F(OneLauncher, AKilledLauncherBlocksNoLaterStart) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  Watched first(korvel->id());
  ASSERT_TRUE(first.end());
  ASSERT_TRUE(first.wait_for_exit().has_value());
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  exit_normally();
}

}  // namespace
}  // namespace korvel::e2e
