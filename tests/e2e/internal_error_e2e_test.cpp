// An exception thrown inside a window's procedure of the real Launcher (its
// core on the Win32 adapter, one service made to throw): caught at the
// adapter's boundary, thrown again in the Launcher's own frames, and the run
// ended with a message, exit code 0 and the user's files as they should be.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

const std::string internal_error = "An internal error has occurred.\nKORVEL Launcher will now close.";

class InternalErrorE2E : public LauncherTest {
 protected:
  void start(const std::string& fault) {
    korvel.emplace(install.start_faulting_launcher(fault));
    ASSERT_TRUE(korvel->started());
  }
  void start_to_main_dialog(const std::string& fault) {
    ASSERT_NO_FATAL_FAILURE(start(fault));
    dialog = wait_for_dialog(korvel->id(), "KORVEL", 30s);
    ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
  }
  // The internal error's box, once the main dialog has gone; answered.
  void expect_internal_error() {
    const MessageBoxSeen box = wait_for_message_box(korvel->id(), "KORVEL Message");
    ASSERT_NE(box.window, nullptr) << "no message";
    EXPECT_EQ(box.text, internal_error);
    EXPECT_FALSE(IsWindow(dialog)) << "the main dialog is closed before the message";
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    answer(box.window, IDOK);
    EXPECT_TRUE(wait_until_gone(box.window));
  }
  void expect_no_process_left() {
    EXPECT_TRUE(processes_named("KorvelFaulting.exe").empty());
    EXPECT_TRUE(children_of(korvel->id()).empty());
  }
};

// A main dialog button's routine: a program runs, the next start throws. The
// shutdown's question about the running program is asked and answered.
TEST_F(InternalErrorE2E, FromAMainDialogButtonTheShutdownRunsWithItsQuestion) {
  install.install_program("LORIM.exe");
  standin_mode("stay");
  ASSERT_NO_FATAL_FAILURE(start_to_main_dialog("tool"));
  click(dialog, structure_graph_button);
  std::vector<DWORD> ids;
  ASSERT_TRUE(wait_until([&] {
    ids = children_of(korvel->id());
    return ids.size() == 1 && find_window(ids[0], "KorvelStandIn") != nullptr;
  })) << "the first program did not come up";
  const std::vector<Watched> running = watch(ids);
  click(dialog, structure_graph_button);

  ASSERT_NO_FATAL_FAILURE(expect_internal_error());
  const MessageBoxSeen question = wait_for_message_box(korvel->id(), "KORVEL Message");
  ASSERT_NE(question.window, nullptr) << "no question about the running program";
  EXPECT_EQ(question.text, "1 Program Is Still Running!\nWould You Like to Terminate It?");
  answer(question.window, IDYES);
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  EXPECT_EQ(running[0].wait_for_exit(), 0u) << "ended by the answer";
  EXPECT_FALSE(file_exists(install.path("Exe\\language.dat")));
  EXPECT_TRUE(file_exists(install.path("Exe\\recent.dat")));
  expect_no_process_left();
}

// The Recent Dialog's routine, while the dialog runs modally: the dialog goes
// with the main dialog, and the recent list (the current file put in front)
// is saved.
TEST_F(InternalErrorE2E, FromTheRecentDialogTheRecentListIsSaved) {
  const std::string current = install.path("Dat\\a.dat");
  const std::string missing = install.path("Dat\\missing.dat");
  ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), missing + "\r\n"));
  ASSERT_NO_FATAL_FAILURE(start_to_main_dialog("recent"));
  type_into(dialog, geometry_edit, current);
  click(dialog, select_recent_button);
  HWND recent = wait_for_dialog(korvel->id(), "Recent Dialog");
  ASSERT_NE(recent, nullptr) << "no Recent Dialog";
  pick_list_item(recent, recent_list, 1);

  ASSERT_NO_FATAL_FAILURE(expect_internal_error());
  EXPECT_FALSE(IsWindow(recent));
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  const std::optional<std::string> saved = read_file(install.path("Exe\\recent.dat"));
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find(current + "\r\n" + missing + "\r\n"), std::string::npos) << *saved;
  EXPECT_FALSE(file_exists(install.path("Exe\\language.dat")));
  expect_no_process_left();
}

// The welcome window's first paint, during start-up: the start-up error as
// before, and the settings files as they were.
TEST_F(InternalErrorE2E, FromTheWelcomePaintTheStartUpErrorLeavesTheFilesAsTheyWere) {
  const std::string recent = install.path("Dat\\a.dat") + "\r\n";
  ASSERT_TRUE(write_file(install.path("Exe\\Sound.dat"), " T\r\n"));
  ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), recent));
  ASSERT_NO_FATAL_FAILURE(start("welcome"));
  HWND box = nullptr;  // not clicked away: the welcome window must paint
  ASSERT_TRUE(wait_until([&] { return (box = find_dialog(korvel->id(), "Error")) != nullptr; }, 30s));
  EXPECT_EQ(control_text(box, message_box_text), "Error initializing application Korvel");
  EXPECT_TRUE(top_windows(korvel->id(), "Welcome").empty()) << "the welcome window went before the box";
  EXPECT_EQ(find_dialog(korvel->id(), "KORVEL"), nullptr);
  answer(box, IDOK);
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  EXPECT_EQ(read_file(install.path("Exe\\Sound.dat")), " T\r\n");
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), recent);
  expect_no_process_left();
}

}  // namespace
}  // namespace korvel::e2e
