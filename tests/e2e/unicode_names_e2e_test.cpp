// Analyses kept in folders whose names the system's code page cannot hold
// (Romanian "Clădire Ștefan") and in ones it can ("Café"), and a file whose own
// name it cannot hold ("ștefan.dat"), in the real Korvel.exe under Wine:
// chosen, typed, remembered, run and opened.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

constexpr const char* geometry_title = "Select Input File \".dat\"";

// True when every byte is ASCII: what a program reading its command line in
// the system's code page gets whole.
bool plain(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

class UnicodeNamesE2E : public LauncherTest {
 protected:
  // The analysis turn.dat with its turn.inc in a folder of the given (UTF-8) name.
  std::string analysis(const std::string& folder_name) {
    const std::string folder = install.path("Proiecte\\" + folder_name);
    CreateDirectoryW(wide(install.path("Proiecte")).c_str(), nullptr);
    EXPECT_TRUE(CreateDirectoryW(wide(folder).c_str(), nullptr)) << folder;
    for (const char* ending : {".dat", ".inc"})
      EXPECT_TRUE(CopyFileW(wide(install.path("Dat\\frame") + ending).c_str(), wide(folder + "\\turn" + ending).c_str(),
                            FALSE));
    return folder;
  }
  std::vector<std::string> recent_items() {
    click(dialog, select_recent_button);
    HWND recent = wait_for_dialog(korvel->id(), "Recent Dialog");
    EXPECT_NE(recent, nullptr);
    if (!recent) return {};
    std::vector<std::string> items = trimmed(list_items(recent, recent_list));
    answer(recent, dialog_ids::cancel);
    EXPECT_TRUE(wait_until_gone(recent));
    return items;
  }
  // Select #1 as a user does it: the folder's path typed and confirmed (the dialog
  // opens it), then the file's name; the current directory follows into the folder.
  void choose_in_folder(const std::string& folder, const std::string& file) {
    click(dialog, select_geometry_button);
    HWND chooser = wait_for_dialog(korvel->id(), geometry_title);
    ASSERT_NE(chooser, nullptr) << "no open-file dialog";
    HWND name = GetDlgItem(chooser, open_file_name_field);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(folder).c_str()));
    SendMessageW(chooser, WM_COMMAND, IDOK, 0);  // opens the folder; no box can come
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(file).c_str()));
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_until_gone(chooser)) << "the open-file dialog stayed";
  }
  std::optional<standin::JournalEntry> start_seen(std::size_t count) {
    wait_until([&] { return install.journal_entries().size() >= count; }, 30s);
    const auto entries = install.journal_entries();
    if (entries.size() < count) return std::nullopt;
    return entries[count - 1];
  }
};

// The editor is the Windows folder's Notepad.exe: the stand-in takes its place for the test.
class ReplacedEditor {
 public:
  ReplacedEditor() {
    wchar_t folder[MAX_PATH];
    GetWindowsDirectoryW(folder, MAX_PATH);
    editor_ = std::wstring(folder) + L"\\notepad.exe";
    kept_ = editor_ + L".korvel-kept";
    char standin[MAX_PATH];
    GetEnvironmentVariableA("KORVEL_STANDIN_EXE", standin, MAX_PATH);
    replaced_ = CopyFileW(editor_.c_str(), kept_.c_str(), FALSE) && CopyFileW(wide(standin).c_str(), editor_.c_str(), FALSE);
  }
  ~ReplacedEditor() {
    CopyFileW(kept_.c_str(), editor_.c_str(), FALSE);
    DeleteFileW(kept_.c_str());
  }
  bool replaced() const { return replaced_; }

 private:
  std::wstring editor_, kept_;
  bool replaced_ = false;
};

TEST_F(UnicodeNamesE2E, AFolderTheCodePageCannotHoldIsChosenTypedRememberedAndRun) {
  const std::string folder = analysis("Clădire Ștefan");
  const std::string turn = folder + "\\turn.dat";
  install.install_program("VEK.exe");
  ReplacedEditor editor;
  ASSERT_TRUE(editor.replaced());
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  // Chosen in the real open-file dialog: the names shown whole.
  ASSERT_NO_FATAL_FAILURE(choose_in_folder(folder, "turn.dat"));
  EXPECT_TRUE(field_reads(geometry_edit, turn));
  EXPECT_EQ(field(loading_edit), folder + "\\turn.inc");
  EXPECT_EQ(field(output_edit), folder + "\\turn.rez");

  // The solver reads its command line in the system's code page: it gets names it can open.
  click(dialog, solver_button);
  const auto solver = start_seen(1);
  ASSERT_TRUE(solver) << "no solver run";
  EXPECT_EQ(solver->program, "VEK.exe");
  EXPECT_TRUE(plain(solver->command_line)) << solver->command_line;
  EXPECT_TRUE(solver->command_line.ends_with("\\turn.dat turn.inc E")) << solver->command_line;
  EXPECT_EQ(solver->unopened, "") << "files the solver could not open";
  EXPECT_EQ(solver->current_directory.substr(0, install.path("Proiecte").size()), install.path("Proiecte"))
      << "the solver runs in the chosen folder, where its Loading File lies";
  EXPECT_TRUE(wait_until([&] { return file_exists(folder + "\\turn.rez"); })) << "the solver's Output File";

  // The editor reads its command line in Unicode: it gets the whole name.
  pick_list_item(dialog, file_list, 0);
  EXPECT_TRUE(wait_until([&] { return control_enabled(dialog, view_edit_button); }));
  click(dialog, view_edit_button);
  const auto opened = start_seen(2);
  ASSERT_TRUE(opened) << "no editor";
  EXPECT_EQ(opened->command_line, " " + turn);

  // Typed key by key, the derived names follow.
  const std::string typed = folder + "\\turn2.dat";
  type_into(dialog, geometry_edit, typed);
  EXPECT_TRUE(field_reads(geometry_edit, typed));
  EXPECT_EQ(field(output_edit), folder + "\\turn2.rez");

  // Remembered: shown in the Recent Dialog, kept in recent.dat in UTF-8 after its
  // byte-order mark, shown again after a restart.
  EXPECT_EQ(recent_items().at(0), typed);
  exit_normally();
  const std::optional<std::string> saved = read_file(install.path("Exe\\recent.dat"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->substr(0, typed.size() + 5), "\xEF\xBB\xBF" + typed + "\r\n");
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  const std::vector<std::string> again = recent_items();
  EXPECT_EQ(again.at(0), typed);
  EXPECT_EQ(again.at(1), turn);
  exit_normally();
}

// The solver gets ștefan.dat as its short name and writes the Output File of
// that name (cut at its first full stop, plus .rez): the Output field names
// that file before the run, and the File list's Output entry opens it after.
TEST_F(UnicodeNamesE2E, TheOutputFileOfAShortNamedGeometryFileIsShownAndOpened) {
  const std::string folder = analysis("Lucru");
  const std::string geometry = folder + "\\ștefan.dat";
  for (const char* ending : {".dat", ".inc"})
    ASSERT_TRUE(CopyFileW(wide(folder + "\\turn" + ending).c_str(),
                          wide(folder + "\\ștefan" + ending).c_str(), FALSE));
  wchar_t short_path[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(wide(geometry).c_str(), short_path, MAX_PATH), 0u);
  const std::string short_path_text = utf8(short_path);  // its folders may be shortened too
  const std::string short_name = short_path_text.substr(short_path_text.rfind('\\') + 1);
  ASSERT_TRUE(plain(short_name)) << short_name;
  const std::string output = folder + "\\" + short_name.substr(0, short_name.find('.')) + ".rez";
  install.install_program("VEK.exe");
  ReplacedEditor editor;
  ASSERT_TRUE(editor.replaced());
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  ASSERT_NO_FATAL_FAILURE(choose_in_folder(folder, "ștefan.dat"));
  EXPECT_TRUE(field_reads(geometry_edit, geometry));
  EXPECT_EQ(field(output_edit), output) << "the file the solver will write";
  EXPECT_EQ(trimmed(list_items(dialog, file_list)).at(2), "") << "not written yet";

  click(dialog, solver_button);
  const auto solver = start_seen(1);
  ASSERT_TRUE(solver) << "no solver run";
  EXPECT_TRUE(solver->command_line.starts_with(" " + folder + "\\" + short_name + " ")) << solver->command_line;
  EXPECT_EQ(solver->unopened, "");
  ASSERT_TRUE(wait_until([&] { return file_exists(output); })) << "the stand-in solver wrote no " << output;

  pick_list_item(dialog, file_list, 2);
  ASSERT_TRUE(wait_until([&] { return control_enabled(dialog, view_edit_button); })) << "the Output File not found";
  click(dialog, view_edit_button);
  const auto opened = start_seen(2);
  ASSERT_TRUE(opened) << "no editor";
  EXPECT_EQ(opened->command_line, " " + output);

  ASSERT_NO_FATAL_FAILURE(choose_in_folder(folder, "ștefan.dat"));
  EXPECT_TRUE(wait_until([&] { return trimmed(list_items(dialog, file_list)).at(2) == "Output File (old)"; }));
  exit_normally();
}

TEST_F(UnicodeNamesE2E, ARecentDatInTheSystemsCodePageReadsRightAndStaysInIt) {
  const std::string folder = analysis("Caf\xC3\xA9");  // "Café": é is E9 in the system's code page
  const std::string turn = folder + "\\turn.dat";
  const std::string in_code_page = install.path("Proiecte\\Caf\xE9\\turn.dat");
  ASSERT_TRUE(write_file(install.path("Exe\\recent.dat"), in_code_page + "\r\n"));
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  click(dialog, select_recent_button);
  HWND recent = wait_for_dialog(korvel->id(), "Recent Dialog");
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(trimmed(list_items(recent, recent_list)).at(0), turn);
  pick_list_item(recent, recent_list, 0, LBN_DBLCLK);  // an existing file: applied at once
  ASSERT_TRUE(wait_until_gone(recent)) << "the pick was reported missing";
  EXPECT_TRUE(field_reads(geometry_edit, turn));
  EXPECT_EQ(field(loading_edit), folder + "\\turn.inc");
  exit_normally();
  EXPECT_EQ(read_file(install.path("Exe\\recent.dat")).value_or("").substr(0, in_code_page.size() + 2),
            in_code_page + "\r\n")
      << "a name the system's code page holds is kept in it, for an older Launcher";
}

}  // namespace
}  // namespace korvel::e2e
