// The command buttons of the real Korvel.exe under Wine: which program each
// starts, with which command line and from which directory (the stand-ins'
// journal tells), the solver run, Help in Wine's own hh.exe, the user's guide
// in "Word", and what E X I T does with programs that still run.
#include "harness.h"
// After <windows.h>, which harness.h includes.
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace korvel::e2e {
namespace {

// The post-processors, which the switch and a solver run enable.
const std::vector<int> post_processors{displacement_button,  stress_button,           time_history_button,
                                       maximum_values_button, max_processor_button, structure_viewer_button,
                                       reactions_button};

const std::string second_word_path = "c:\\Program Files (x86)\\Microsoft Office\\Office14\\WINWORD.EXE";
const std::string first_word_path = "c:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE";

bool same_name(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

// What the test reads of a process it watches: its start, its program file
// and the command line it was given, read from its own memory.
FILETIME created(const Watched& process) {
  FILETIME creation{}, exit{}, kernel{}, user{};
  GetProcessTimes(process.handle(), &creation, &exit, &kernel, &user);
  return creation;
}

std::string image_path(const Watched& process) {
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  return QueryFullProcessImageNameA(process.handle(), 0, path, &size) ? std::string(path, size) : std::string();
}

std::optional<std::string> command_line(const Watched& process) {
  using Query = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(process.handle(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
    return std::nullopt;
  const auto read = [&](const void* from, void* to, std::size_t size) {
    SIZE_T got = 0;
    return ReadProcessMemory(process.handle(), from, to, size, &got) && got == size;
  };
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (!read(basic.PebBaseAddress, &peb, sizeof peb) || !read(peb.ProcessParameters, &parameters, sizeof parameters))
    return std::nullopt;
  std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
  if (!read(parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length)) return std::nullopt;
  std::string narrow(wide.size() * 2 + 1, '\0');
  narrow.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                             narrow.data(), static_cast<int>(narrow.size()),
                                                             nullptr, nullptr)));
  return narrow;
}

// ---- Word, as far as the Launcher looks for it ----

// The stand-in placed as WINWORD.EXE at Word's second listed path of this Wine
// prefix; the file and the folders made for it go when the value goes.
class WordAtSecondPath {
 public:
  WordAtSecondPath() {
    for (std::size_t at = second_word_path.find('\\', 3); at != std::string::npos;
         at = second_word_path.find('\\', at + 1)) {
      const std::string folder = second_word_path.substr(0, at);
      if (CreateDirectoryA(folder.c_str(), nullptr)) made_.push_back(folder);
    }
    placed_ = CopyFileA(environment("KORVEL_STANDIN_EXE").c_str(), second_word_path.c_str(), FALSE) != FALSE;
  }
  ~WordAtSecondPath() {
    DeleteFileA(second_word_path.c_str());
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) RemoveDirectoryA(folder->c_str());
  }
  WordAtSecondPath(const WordAtSecondPath&) = delete;
  WordAtSecondPath& operator=(const WordAtSecondPath&) = delete;

  bool placed() const { return placed_; }

 private:
  std::vector<std::string> made_;
  bool placed_ = false;
};

// ---- The fixture ----

class ToolsE2E : public LauncherTest {
 protected:
  std::vector<standin::JournalEntry> wait_for_journal(std::size_t count, std::chrono::milliseconds limit = 30s) {
    wait_until([&] { return install.journal_entries().size() >= count; }, limit);
    return install.journal_entries();
  }

  void choose_language(int index) {
    HWND drop_down = GetDlgItem(dialog, language_list);
    PostMessageA(drop_down, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(language_list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drop_down));
  }
};

// ---- The package's programs ----

TEST_F(ToolsE2E, EachToolButtonStartsItsProgramWithATabFromTheExeFolder) {
  const std::map<int, std::string> started_by{
      {structure_graph_button, "LORIM.exe"},   {displacement_button, "PUNA 20.exe"},
      {stress_button, "POSK.exe"},             {time_history_button, "PIRA.exe"},
      {maximum_values_button, "PELU.exe"},     {max_processor_button, "Okumar.exe"},
      {geometry_creator_button, "Gaskol.exe"}, {loading_creator_button, "Feltrom.exe"},
      {structure_viewer_button, "Vantik.exe"}, {reactions_button, "PAVO.exe"}};
  for (const auto& [id, program] : started_by) install.install_program(program);
  install.install_program("PUNA.exe");  // the " 20" variant beside it is preferred
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  click(dialog, post_processor_switch);
  for (int id : post_processors)
    EXPECT_TRUE(wait_until([&] { return control_enabled(dialog, id); }, 10s)) << "the switch enables " << id;
  for (const auto& [id, program] : started_by) click(dialog, id);

  const auto entries = wait_for_journal(started_by.size());
  std::vector<std::string> programs, expected;
  for (const auto& entry : entries) {
    programs.push_back(entry.program);
    EXPECT_EQ(entry.command_line, " \t") << entry.program;
    EXPECT_EQ(entry.current_directory, install.exe()) << entry.program;
    EXPECT_EQ(entry.language, "English" + std::string(13, ' ')) << entry.program;
  }
  for (const auto& [id, program] : started_by) expected.push_back(program);
  std::sort(programs.begin(), programs.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(programs, expected) << "each button starts its own program once";
  EXPECT_TRUE(korvel->running());
  exit_normally();
}

TEST_F(ToolsE2E, SivraGetsTheGeometryNameQuotedOnlyWhenItHoldsABlank) {
  install.install_program("Sivra.exe");
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  const std::string with_blank = "C:\\Jobs\\My frame.dat", plain = "C:\\Jobs\\frame.dat";

  type_into(dialog, geometry_edit, with_blank);
  ASSERT_TRUE(wait_until([&] { return control_enabled(dialog, geometry_viewer_button); }, 10s));
  click(dialog, geometry_viewer_button);
  auto entries = wait_for_journal(1);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "Sivra.exe");
  EXPECT_EQ(entries[0].command_line, " \"" + with_blank + "\"");
  EXPECT_EQ(entries[0].current_directory, install.exe());

  type_into(dialog, geometry_edit, plain);
  ASSERT_TRUE(wait_until([&] { return field(geometry_edit) == plain; }, 10s));
  click(dialog, geometry_viewer_button);
  entries = wait_for_journal(2);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].command_line, " " + plain);
  exit_normally();
}

// ---- The solver ----

TEST_F(ToolsE2E, SolverRunsInTheChosenFilesFolderInRomanianAndOffersThePostProcessors) {
  install.install_program("VEK.exe");  // the stand-in solver ends by itself after writing its output
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  const std::string frame = install.path("Dat\\frame.dat");

  choose_language(1);
  ASSERT_TRUE(wait_until([&] { return drop_down_selection(dialog, language_list) == 1; }, 10s));
  ASSERT_NO_FATAL_FAILURE(choose_file(select_geometry_button, "Select Input File \".dat\"", frame));
  ASSERT_TRUE(wait_until([&] { return control_enabled(dialog, solver_button); }, 10s));
  EXPECT_FALSE(file_exists(install.path("Dat\\frame.rez")));

  click(dialog, solver_button);
  const auto entries = wait_for_journal(1);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "VEK.exe");
  EXPECT_EQ(entries[0].command_line, " " + frame + " frame.inc R");
  EXPECT_EQ(entries[0].current_directory, install.path("Dat")) << "the open-file dialog moved it";
  EXPECT_EQ(entries[0].language, "Romanian" + std::string(12, ' '));
  // The solver could split its command line into the three arguments.
  EXPECT_TRUE(wait_until([&] { return file_exists(install.path("Dat\\frame.rez")); }, 10s));
  EXPECT_EQ(read_file(install.path("Dat\\frame.rez")), standin::solver_output_text({frame, "frame.inc", "R"}));

  for (int id : post_processors)
    EXPECT_TRUE(wait_until([&] { return control_enabled(dialog, id); }, 10s)) << id << " after the solver run";
  EXPECT_TRUE(control_checked(dialog, post_processor_switch));
  EXPECT_EQ(list_items(dialog, file_list)[2], "Output File");
  EXPECT_FALSE(control_enabled(dialog, view_edit_button));
  exit_normally();
}

// ---- Help ----

TEST_F(ToolsE2E, HelpWithoutAHelpFileSaysWhatIsMissing) {
  ASSERT_TRUE(DeleteFileA(install.path("Exe\\Korvel Help.chm").c_str()));
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  click(dialog, help_button);
  EXPECT_EQ(answered_box("KORVEL Message", IDOK),
            "Missing files: \"Korvel Help.chm or Korvel Help 20.chm\" in \"KORVEL_Installation_Directory\\Exe\\\"!\n"
            "Can Not Open Help File.");
  EXPECT_TRUE(children_of(korvel->id()).empty()) << "nothing started";
  exit_normally();
}

TEST_F(ToolsE2E, HelpOpensTheHelpFileInTheSystemsHelpViewerPreferringTheVariant) {
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);

  // Clicks Help and checks the hh.exe it starts, then ends that viewer.
  const auto expect_viewer_with = [&](const std::string& help_file) {
    FILETIME clicked{};
    GetSystemTimeAsFileTime(&clicked);
    click(dialog, help_button);
    std::vector<DWORD> viewers;
    ASSERT_TRUE(wait_until([&] { return !(viewers = children_of(korvel->id(), "hh.exe")).empty(); }))
        << "no hh.exe started by the Launcher";
    ASSERT_EQ(viewers.size(), 1u);
    Watched viewer(viewers[0]);
    ASSERT_TRUE(viewer.opened());
    const FILETIME started = created(viewer);
    EXPECT_GE(CompareFileTime(&started, &clicked), 0) << "hh.exe was started by the click";
    EXPECT_TRUE(same_name(image_path(viewer), std::string(windows) + "\\hh.exe")) << image_path(viewer);
    // The help file's path, blanks and all, without quotes.
    EXPECT_EQ(command_line(viewer), " " + install.exe() + "\\" + help_file);
    viewer.end();
    EXPECT_TRUE(viewer.wait_for_exit().has_value());
  };

  ASSERT_NO_FATAL_FAILURE(expect_viewer_with("Korvel Help.chm"));
  ASSERT_TRUE(CopyFileA(install.path("Exe\\Korvel Help.chm").c_str(), install.path("Exe\\Korvel Help 20.chm").c_str(),
                        TRUE));
  ASSERT_NO_FATAL_FAILURE(expect_viewer_with("Korvel Help 20.chm"));
  exit_normally();
}

// F1 on whichever control has the focus is the Help button: the same message
// without a help file, the same viewer with one.
TEST_F(ToolsE2E, F1OpensHelpAsTheHelpButtonDoes) {
  ASSERT_TRUE(MoveFileA(install.path("Exe\\Korvel Help.chm").c_str(), install.path("Korvel Help.chm").c_str()));
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  const auto press_f1 = [&](int id) {
    PostMessageA(GetDlgItem(dialog, id), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(GetDlgItem(dialog, id), WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC03B0001));
  };
  press_f1(geometry_edit);
  EXPECT_EQ(answered_box("KORVEL Message", IDOK),
            "Missing files: \"Korvel Help.chm or Korvel Help 20.chm\" in \"KORVEL_Installation_Directory\\Exe\\\"!\n"
            "Can Not Open Help File.");
  EXPECT_TRUE(children_of(korvel->id()).empty()) << "nothing started";

  ASSERT_TRUE(MoveFileA(install.path("Korvel Help.chm").c_str(), install.path("Exe\\Korvel Help.chm").c_str()));
  press_f1(file_list);
  std::vector<DWORD> viewers;
  ASSERT_TRUE(wait_until([&] { return !(viewers = children_of(korvel->id(), "hh.exe")).empty(); }))
      << "no hh.exe started by F1";
  EXPECT_EQ(viewers.size(), 1u) << "one F1, one viewer";
  Watched viewer(viewers[0]);
  EXPECT_EQ(command_line(viewer), " " + install.exe() + "\\Korvel Help.chm");
  viewer.end();
  EXPECT_TRUE(viewer.wait_for_exit().has_value());
  exit_normally();
}

// ---- The user's guide ----

TEST_F(ToolsE2E, UsersGuideOpensTheGuideOfTheChosenLanguageInWordFoundAtItsSecondPath) {
  ASSERT_FALSE(file_exists(first_word_path)) << "this prefix must hold no Word at the first path";
  WordAtSecondPath word;
  ASSERT_TRUE(word.placed());
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  click(dialog, users_guide_button);
  auto entries = wait_for_journal(1);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "WINWORD.EXE");
  EXPECT_EQ(entries[0].command_line, " \"" + install.path("Doc\\Korvel-en.doc") + "\"");
  EXPECT_EQ(entries[0].current_directory, install.exe());

  choose_language(1);
  ASSERT_TRUE(wait_until([&] { return drop_down_selection(dialog, language_list) == 1; }, 10s));
  click(dialog, users_guide_button);
  entries = wait_for_journal(2);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].command_line, " \"" + install.path("Doc\\Korvel-ro.doc") + "\"");
  exit_normally();
}

// ---- E X I T with programs still running ----

class ToolsStillRunningAtExit : public ToolsE2E {
 protected:
  std::vector<Watched> running;

  // LORIM, Gaskol and Feltrom started and staying with their windows.
  void start_three_programs() {
    for (const char* program : {"LORIM.exe", "Gaskol.exe", "Feltrom.exe"}) install.install_program(program);
    standin_mode("stay");
    ASSERT_NO_FATAL_FAILURE(start_korvel());
    for (int id : {structure_graph_button, geometry_creator_button, loading_creator_button}) click(dialog, id);
    ASSERT_EQ(wait_for_journal(3).size(), 3u);
    std::vector<DWORD> ids;
    ASSERT_TRUE(wait_until([&] {
      ids = children_of(korvel->id());
      return ids.size() == 3 && std::all_of(ids.begin(), ids.end(), [](DWORD id) {
               return find_window(id, "KorvelStandIn") != nullptr;
             });
    })) << "the three programs did not come up";
    running = watch(ids);
    for (const Watched& program : running) ASSERT_TRUE(program.opened());
  }

  // button 0: Enter, as a user who ended the Launcher with Enter presses it once more.
  void exit_and_answer(int button) {
    click(dialog, exit_button);
    const MessageBoxSeen box = wait_for_message_box(korvel->id(), "KORVEL Message");
    ASSERT_NE(box.window, nullptr) << "no question about the running programs";
    EXPECT_EQ(box.text, "3  Programs Are Still Running!\nWould You Like to Terminate Them?");
    if (button != 0) {
      answer(box.window, button);
    } else {
      PostMessageA(box.window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
      PostMessageA(box.window, WM_KEYUP, VK_RETURN, 0xC01C0001);
    }
    EXPECT_EQ(korvel->wait_for_exit(), 0u);
  }
};

TEST_F(ToolsStillRunningAtExit, YesEndsThemAll) {
  ASSERT_NO_FATAL_FAILURE(start_three_programs());
  ASSERT_NO_FATAL_FAILURE(exit_and_answer(IDYES));
  for (const Watched& program : running) EXPECT_EQ(program.wait_for_exit(), 0u) << "ended with code 0";
}

TEST_F(ToolsStillRunningAtExit, NoLeavesThemRunning) {
  ASSERT_NO_FATAL_FAILURE(start_three_programs());
  ASSERT_NO_FATAL_FAILURE(exit_and_answer(IDNO));
  for (const Watched& program : running) EXPECT_TRUE(program.running());
  EXPECT_FALSE(file_exists(install.path("Exe\\language.dat")));
}

TEST_F(ToolsStillRunningAtExit, EnterAnswersNo) {
  ASSERT_NO_FATAL_FAILURE(start_three_programs());
  ASSERT_NO_FATAL_FAILURE(exit_and_answer(0));
  for (const Watched& program : running) EXPECT_TRUE(program.running());
}

}  // namespace
}  // namespace korvel::e2e
