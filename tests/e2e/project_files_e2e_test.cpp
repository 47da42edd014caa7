// The Geometry, Loading and Output names in the real Korvel.exe under Wine:
// typed key by key, chosen in Wine's open-file dialog, picked in the Recent
// Dialog, and checked through the File list before View / Edit and Print.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

constexpr const char* geometry_title = "Select Input File \".dat\"";

const std::string english_record = "English" + std::string(13, ' ') + "\r\n";
const std::string romanian_record = "Romanian" + std::string(12, ' ') + "\r\n";

// A selection that opens nothing, sent: it has been handled when this returns.
void pick_list_item_now(HWND dialog, int id, int index) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

class ProjectFilesE2E : public LauncherTest {
 protected:
  // Files in Dat: a.dat, b.dat (with an old b.rez), c.dat, and frame.dat and
  // frame.inc of the demo; gone.dat is listed in recent.dat but missing.
  std::string a = install.path("Dat\\a.dat"), b = install.path("Dat\\b.dat"), c = install.path("Dat\\c.dat");
  std::string gone = install.path("Dat\\gone.dat");
  std::string frame = install.path("Dat\\frame.dat");

  void SetUp() override {
    for (const std::string& name : {a, b, c, install.path("Dat\\b.rez")}) ASSERT_TRUE(write_file(name, "0\r\n"));
    ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), a + "\r\n" + b + "\r\n" + gone + "\r\n" + c + "\r\n"));
    ASSERT_NO_FATAL_FAILURE(start_korvel());
  }

  void expect_field(int id, const std::string& expected) {
    field_reads(id, expected);
    EXPECT_EQ(field(id), expected) << "field " << id;
  }
  void expect_enabled(HWND window, int id, bool expected) {
    wait_until([&] { return control_enabled(window, id) == expected; }, 10s);
    EXPECT_EQ(control_enabled(window, id), expected) << "control " << id;
  }
  void expect_file_list(const std::vector<std::string>& expected) {
    wait_until([&] { return list_items(dialog, file_list) == expected; }, 10s);
    EXPECT_EQ(list_items(dialog, file_list), expected);
  }
  void expect_file(const std::string& path, const std::string& expected) {
    wait_until([&] { return read_file(path) == expected; }, 10s);
    EXPECT_EQ(read_file(path).value_or("<missing>"), expected) << path;
  }
  // The three fields named after a Geometry name `base` + ".dat"; "" gives the unset forms.
  void expect_names(const std::string& base) {
    expect_field(geometry_edit, base + ".dat");
    expect_field(loading_edit, base + ".inc");
    expect_field(output_edit, base + ".rez");
  }

  HWND open_recent_dialog() {
    click(dialog, select_recent_button);
    return wait_for_dialog(korvel->id(), "Recent Dialog");
  }
};

// ---- Typing the names ----

TEST_F(ProjectFilesE2E, TypedGeometryNameGivesTheOtherTwoUpToItsFirstFullStop) {
  ASSERT_TRUE(DeleteFileA(install.path("Exe\\language.dat").c_str()));
  type_into(dialog, geometry_edit, "C:\\My.Jobs\\frame.dat");
  expect_field(geometry_edit, "C:\\My.Jobs\\frame.dat");
  expect_field(loading_edit, "C:\\My.inc");
  expect_field(output_edit, "C:\\My.rez");
  expect_enabled(dialog, solver_button, true);
  expect_enabled(dialog, geometry_viewer_button, true);
  expect_file_list({"Geometry File", "", "", "New"});
  expect_file(install.path("Exe\\language.dat"), english_record);
  exit_normally();
}

TEST_F(ProjectFilesE2E, ClearingTheGeometryFieldLeavesBareExtensionsAndSwitchesTheSolverOff) {
  type_into(dialog, geometry_edit, "C:\\Jobs\\frame.dat");
  expect_enabled(dialog, solver_button, true);
  HWND languages = GetDlgItem(dialog, language_list);
  SendMessageA(languages, CB_SETCURSEL, 1, 0);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(language_list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(languages));
  expect_file(install.path("Exe\\language.dat"), romanian_record);

  ASSERT_TRUE(DeleteFileA(install.path("Exe\\language.dat").c_str()));
  type_into(dialog, geometry_edit, "");
  expect_field(geometry_edit, "");
  expect_field(loading_edit, ".inc");
  expect_field(output_edit, ".rez");
  expect_enabled(dialog, solver_button, false);
  expect_enabled(dialog, geometry_viewer_button, false);
  // The keystroke wrote the language the drop-down shows.
  expect_file(install.path("Exe\\language.dat"), romanian_record);
  exit_normally();
}

TEST_F(ProjectFilesE2E, EachNameFieldSwitchesTheSolverByItsOwnName) {
  type_into(dialog, geometry_edit, "frame");  // no full stop: a name, with bare derived extensions
  expect_field(loading_edit, ".inc");
  expect_field(output_edit, ".rez");
  expect_enabled(dialog, solver_button, true);
  expect_enabled(dialog, geometry_viewer_button, true);

  type_into(dialog, loading_edit, "\\.inc");
  expect_enabled(dialog, solver_button, false);
  EXPECT_TRUE(control_enabled(dialog, geometry_viewer_button));

  type_into(dialog, loading_edit, "C:\\Load\\x.inc");
  expect_enabled(dialog, solver_button, true);
  expect_field(output_edit, "C:\\Load\\x.rez");
  EXPECT_EQ(field(geometry_edit), "frame");
  expect_file_list({"Geometry File", "Loading File", "", "New"});

  type_into(dialog, output_edit, "C:\\Out\\y.rez");
  expect_file_list({"Geometry File", "Loading File", "Output File", "New"});
  EXPECT_EQ(field(loading_edit), "C:\\Load\\x.inc");
  EXPECT_EQ(field(geometry_edit), "frame");

  type_into(dialog, geometry_edit, "\\.dat");
  expect_field(loading_edit, "\\.inc");
  expect_field(output_edit, "\\.rez");
  expect_enabled(dialog, solver_button, false);
  expect_enabled(dialog, geometry_viewer_button, false);
  exit_normally();
}

TEST_F(ProjectFilesE2E, AClickRightOfTheFirstNameThenTypingGivesThatName) {
  EXPECT_EQ(control_text(dialog, geometry_edit), ".dat") << "the edit holds no padding";
  // A click near the field's right edge, the four characters rubbed out, the path typed.
  HWND edit = GetDlgItem(dialog, geometry_edit);
  RECT inside{};
  ASSERT_TRUE(GetClientRect(edit, &inside));
  const LPARAM right = MAKELPARAM(inside.right - 4, 6);
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, right);
  SendMessageA(edit, WM_LBUTTONUP, 0, right);
  for (int i = 0; i < 4; ++i) SendMessageA(edit, WM_CHAR, VK_BACK, 0);
  for (char key : frame) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 0);
  expect_names(install.path("Dat\\frame"));
  exit_normally();
}

TEST_F(ProjectFilesE2E, TheGeometryEntryBeforeAnyNameReportsTheBareExtension) {
  pick_list_item(dialog, file_list, 0);
  EXPECT_EQ(answered_box("Wiew/Edit Message", IDOK), not_found(".dat"));
  exit_normally();
}

// ---- Select #1 and #2: Wine's own open-file dialog ----

TEST_F(ProjectFilesE2E, SelectOneTakesTheGeometryFileFromTheOpenFileDialog) {
  ASSERT_NO_FATAL_FAILURE(choose_file(select_geometry_button, geometry_title, frame));

  expect_names(install.path("Dat\\frame"));
  expect_enabled(dialog, solver_button, true);
  expect_enabled(dialog, geometry_viewer_button, true);
  EXPECT_FALSE(control_enabled(dialog, view_edit_button));
  EXPECT_FALSE(control_enabled(dialog, print_button));
  expect_file_list({"Geometry File", "Loading File", "", "New"});
  // The programs started next run in the chosen file's folder: language.dat is there too.
  expect_file(install.path("Dat\\language.dat"), english_record);
  EXPECT_EQ(read_file(install.path("Exe\\language.dat")), english_record);
  exit_normally();
  EXPECT_FALSE(file_exists(install.path("Dat\\language.dat")));
}

TEST_F(ProjectFilesE2E, TheOpenFileDialogStartsInTheDataFolder) {
  // A bare name is taken from the folder the dialog shows.
  ASSERT_NO_FATAL_FAILURE(choose_file(select_geometry_button, geometry_title, "b.dat"));

  expect_names(install.path("Dat\\b"));
  // No b.inc; b.rez from an earlier run.
  expect_file_list({"Geometry File", "", "Output File (old)", "New"});
  exit_normally();
  EXPECT_FALSE(file_exists(install.path("Dat\\language.dat")));
}

TEST_F(ProjectFilesE2E, CancellingTheOpenFileDialogChangesNothing) {
  type_into(dialog, geometry_edit, frame);
  pick_list_item(dialog, file_list, 0);
  expect_enabled(dialog, view_edit_button, true);
  expect_enabled(dialog, print_button, true);

  ASSERT_NO_FATAL_FAILURE(choose_file(select_geometry_button, geometry_title, b, IDCANCEL));

  expect_names(install.path("Dat\\frame"));
  EXPECT_TRUE(control_enabled(dialog, view_edit_button));
  EXPECT_TRUE(control_enabled(dialog, print_button));
  EXPECT_FALSE(file_exists(install.path("Dat\\language.dat")));
  exit_normally();
}

TEST_F(ProjectFilesE2E, SelectTwoTakesTheLoadingFileAndTheOutputNameFollowsIt) {
  const std::string chosen = install.path("Dat\\frame.inc");
  ASSERT_NO_FATAL_FAILURE(choose_file(select_loading_button, "Select Loading File \".inc\"", chosen));

  expect_field(loading_edit, chosen);
  expect_field(output_edit, install.path("Dat\\frame.rez"));
  EXPECT_EQ(field(geometry_edit), ".dat");
  expect_enabled(dialog, solver_button, true);
  EXPECT_FALSE(control_enabled(dialog, geometry_viewer_button)) << "Sivra needs a Geometry File";
  expect_file_list({"Geometry File", "Loading File", "", "New"});
  exit_normally();
}

// ---- The Recent Dialog ----

TEST_F(ProjectFilesE2E, RecentDialogAppliesTheEntryPickedWithDone) {
  HWND recent = open_recent_dialog();
  ASSERT_NE(recent, nullptr) << "no Recent Dialog";
  // Template position 0, 0 of its owner's client area: the two client areas start together.
  POINT recent_origin{0, 0}, main_origin{0, 0};
  ClientToScreen(recent, &recent_origin);
  ClientToScreen(dialog, &main_origin);
  EXPECT_EQ(recent_origin.x, main_origin.x);
  EXPECT_EQ(recent_origin.y, main_origin.y);
  EXPECT_EQ(trimmed(list_items(recent, recent_list)), (std::vector<std::string>{a, b, gone, c, ""}));
  EXPECT_FALSE(control_enabled(recent, done_button)) << "DONE waits for a pick";

  pick_list_item_now(recent, recent_list, 4);
  EXPECT_FALSE(control_enabled(recent, done_button)) << "an empty line is no pick";
  pick_list_item_now(recent, recent_list, 1);
  expect_enabled(recent, done_button, true);
  click(recent, done_button);
  EXPECT_TRUE(wait_until_gone(recent));

  expect_names(install.path("Dat\\b"));
  expect_enabled(dialog, solver_button, true);
  expect_enabled(dialog, geometry_viewer_button, true);
  expect_file_list({"Geometry File", "Loading File", "Output File (old)", "New"});
  exit_normally();
}

TEST_F(ProjectFilesE2E, RecentDialogAppliesADoubleClickedEntryAtOnce) {
  HWND recent = open_recent_dialog();
  ASSERT_NE(recent, nullptr) << "no Recent Dialog";
  pick_list_item(recent, recent_list, 3, LBN_DBLCLK);
  EXPECT_TRUE(wait_until_gone(recent));
  expect_names(install.path("Dat\\c"));
  expect_enabled(dialog, solver_button, true);
  expect_file_list({"Geometry File", "Loading File", "", "New"});
  exit_normally();
}

// A path as long as Windows allows (259 characters, 2 bytes a letter in UTF-8)
// chosen in the open-file dialog, shown and picked whole in the Recent Dialog,
// and saved in the system's code page (1252 here), where é is one byte.
TEST_F(ProjectFilesE2E, APathAsLongAsWindowsAllowsIsChosenAndPickedWhole) {
  const std::string_view file = "\\turn.dat";
  std::string path = install.path("Dat"), in_code_page = path;
  const std::size_t letters = 259 - path.size() - file.size();
  const std::size_t parts = letters / 100 + 1;
  for (std::size_t part = 0, left = letters - parts; part < parts; ++part) {
    const std::size_t count = left / (parts - part);
    left -= count;
    path += "\\", in_code_page += "\\";
    for (std::size_t i = 0; i < count; ++i) path += "é", in_code_page += "\xE9";
    ASSERT_TRUE(CreateDirectoryW(wide(path).c_str(), nullptr)) << path;
  }
  path += file, in_code_page += file;
  ASSERT_TRUE(CopyFileW(wide(frame).c_str(), wide(path).c_str(), FALSE));

  ASSERT_NO_FATAL_FAILURE(choose_file(select_geometry_button, geometry_title, path));
  const std::string base = path.substr(0, path.size() - 4);
  expect_names(base);

  HWND recent = open_recent_dialog();
  ASSERT_NE(recent, nullptr) << "no Recent Dialog";
  EXPECT_EQ(trimmed(list_items(recent, recent_list)), (std::vector<std::string>{path, a, b, gone, c}));
  pick_list_item(recent, recent_list, 0, LBN_DBLCLK);
  EXPECT_TRUE(wait_until_gone(recent));
  expect_names(base);
  expect_file_list({"Geometry File", "Loading File", "", "New"});  // a pick names the Loading File as typing does
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")).value_or("").substr(0, in_code_page.size() + 2),
            in_code_page + "\r\n");
}

class ProjectFilesRecentDialogClosed : public ProjectFilesE2E {
 protected:
  // A pick made, then the dialog closed by `close`: the typed name stays, and
  // it heads the list saved at exit because the dialog was opened.
  void expect_nothing_applied(void (*close)(HWND recent)) {
    type_into(dialog, geometry_edit, frame);
    expect_field(geometry_edit, frame);
    HWND recent = open_recent_dialog();
    ASSERT_NE(recent, nullptr) << "no Recent Dialog";
    EXPECT_EQ(trimmed(list_items(recent, recent_list)), (std::vector<std::string>{frame, a, b, gone, c}));
    pick_list_item_now(recent, recent_list, 1);
    expect_enabled(recent, done_button, true);
    close(recent);
    EXPECT_TRUE(wait_until_gone(recent));
    expect_names(install.path("Dat\\frame"));
    expect_file_list({"Geometry File", "", "", "New"});
    exit_normally();
    EXPECT_EQ(read_file(install.path("Exe\\recent.dat")),
              frame + "\r\n" + a + "\r\n" + b + "\r\n" + gone + "\r\n" + c + "\r\n");
  }
};

TEST_F(ProjectFilesRecentDialogClosed, ByCancel) {
  expect_nothing_applied([](HWND recent) { click(recent, dialog_ids::cancel); });
}

TEST_F(ProjectFilesRecentDialogClosed, ByEscape) {
  expect_nothing_applied([](HWND recent) {
    HWND list = GetDlgItem(recent, recent_list);
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(list, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  });
}

TEST_F(ProjectFilesE2E, RecentDialogReportsAMissingFileAndDropsIt) {
  HWND recent = open_recent_dialog();
  ASSERT_NE(recent, nullptr) << "no Recent Dialog";
  pick_list_item(recent, recent_list, 2);
  const MessageBoxSeen box = wait_for_message_box(korvel->id(), "Select Recent Message");
  ASSERT_NE(box.window, nullptr) << "no message about the missing file";
  EXPECT_EQ(box.text, " File does not exist (was deleted) !");
  answer(box.window, IDOK);
  EXPECT_TRUE(wait_until_gone(recent)) << "the message closes the Recent Dialog";
  expect_names("");
  expect_enabled(dialog, solver_button, false);
  // The list is written at once, without the missing name, and the later entries move up.
  const std::string kept = a + "\r\n" + b + "\r\n" + c + "\r\n";
  expect_file(install.path("Exe\\recent.dat"), kept);

  recent = open_recent_dialog();
  ASSERT_NE(recent, nullptr) << "no Recent Dialog the second time";
  EXPECT_EQ(trimmed(list_items(recent, recent_list)), (std::vector<std::string>{a, b, c, "", ""}));
  click(recent, dialog_ids::cancel);
  EXPECT_TRUE(wait_until_gone(recent));
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")), kept);
}

// ---- The File list ----

TEST_F(ProjectFilesE2E, FileListChecksTheSelectedFileBeforeViewEditAndPrint) {
  type_into(dialog, geometry_edit, frame);
  pick_list_item(dialog, file_list, 0);
  expect_enabled(dialog, view_edit_button, true);
  expect_enabled(dialog, print_button, true);

  // A typed Output name fills its entry and switches both buttons off until the next pick.
  const std::string missing_output = install.path("Dat\\frame.rez");
  type_into(dialog, output_edit, missing_output);
  expect_file_list({"Geometry File", "", "Output File", "New"});
  expect_enabled(dialog, view_edit_button, false);
  expect_enabled(dialog, print_button, false);
  pick_list_item(dialog, file_list, 0);
  expect_enabled(dialog, view_edit_button, true);
  expect_enabled(dialog, print_button, true);

  pick_list_item(dialog, file_list, 2);
  EXPECT_EQ(answered_box("Wiew/Edit Message", IDOK), not_found(missing_output));
  expect_file_list({"Geometry File", "", "", "New"});
  expect_enabled(dialog, view_edit_button, false);
  EXPECT_TRUE(control_enabled(dialog, print_button)) << "Print keeps its state";

  // "New" is never looked for.
  pick_list_item(dialog, file_list, 3);
  expect_enabled(dialog, view_edit_button, true);
  exit_normally();
}

}  // namespace
}  // namespace korvel::e2e
