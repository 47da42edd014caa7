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
#include <utility>

namespace korvel::e2e {
namespace {

constexpr int exit_button = 1, select_geometry = 1000, geometry = 1001, solver = 1003, post_switch = 1013;
constexpr int file_list = 1016, view_edit = 1010, sivra = 1023, users_guide = 1025, language = 1026, help = 1027;
constexpr int open_file_name = 0x47c;  // the open-file dialog's file-name field

const std::vector<int> post_processors{1005, 1006, 1007, 1008, 1014, 1019, 1022};

const std::string second_word_path = "c:\\Program Files (x86)\\Microsoft Office\\Office14\\WINWORD.EXE";
const std::string first_word_path = "c:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE";

std::string environment(const char* name) {
  char value[4096];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool same_name(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

// A process the test did not start but watches and, when it goes, ends.
class Watched {
 public:
  explicit Watched(DWORD id)
      : handle_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                            id)) {}
  ~Watched() {
    if (!handle_) return;
    if (running()) {
      TerminateProcess(handle_, 1);
      WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
  }
  Watched(Watched&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Watched(const Watched&) = delete;

  bool opened() const { return handle_ != nullptr; }
  void end() const { TerminateProcess(handle_, 1); }
  bool running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }
  std::optional<DWORD> wait_for_exit(std::chrono::milliseconds limit = 20s) const {
    if (!handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
      return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
  }
  FILETIME created() const {
    FILETIME creation{}, exit{}, kernel{}, user{};
    GetProcessTimes(handle_, &creation, &exit, &kernel, &user);
    return creation;
  }
  std::string image_path() const {
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    return QueryFullProcessImageNameA(handle_, 0, path, &size) ? std::string(path, size) : std::string();
  }
  // The command line the process was given, read from its own memory.
  std::optional<std::string> command_line() const {
    using Query = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(handle_, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return std::nullopt;
    const auto read = [&](const void* from, void* to, std::size_t size) {
      SIZE_T got = 0;
      return ReadProcessMemory(handle_, from, to, size, &got) && got == size;
    };
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!read(basic.PebBaseAddress, &peb, sizeof peb) ||
        !read(peb.ProcessParameters, &parameters, sizeof parameters))
      return std::nullopt;
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!read(parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length)) return std::nullopt;
    std::string narrow(wide.size() * 2 + 1, '\0');
    narrow.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                               narrow.data(), static_cast<int>(narrow.size()),
                                                               nullptr, nullptr)));
    return narrow;
  }

 private:
  HANDLE handle_;
};

std::vector<Watched> watch(const std::vector<DWORD>& ids) {
  std::vector<Watched> watched;
  for (DWORD id : ids) watched.emplace_back(id);
  return watched;
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

class ToolsE2E : public ::testing::Test {
 protected:
  Installation install{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::optional<Program> korvel;
  HWND dialog = nullptr;

  // The stand-ins inherit the mode through Korvel.exe's environment.
  static void standin_mode(const char* mode) { SetEnvironmentVariableA("KORVEL_STANDIN_MODE", mode); }

  void start_korvel() {
    korvel.emplace(install.exe() + "\\Korvel.exe", "Korvel.exe", install.exe());
    ASSERT_TRUE(korvel->started());
    dialog = wait_for_dialog(korvel->id(), "KORVEL");
    ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
  }

  void TearDown() override {
    // Whatever the Launcher started and left running goes with the test.
    if (korvel) watch(children_of(korvel->id()));
    standin_mode(nullptr);
  }

  std::vector<standin::JournalEntry> wait_for_journal(std::size_t count, std::chrono::milliseconds limit = 30s) {
    wait_until([&] { return install.journal_entries().size() >= count; }, limit);
    return install.journal_entries();
  }

  void choose_language(int index) {
    HWND drop_down = GetDlgItem(dialog, language);
    PostMessageA(drop_down, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(language, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drop_down));
  }

  // E X I T with nothing left running: no question, code 0.
  void exit_normally() {
    // A stand-in that has written its journal line may not have ended yet.
    EXPECT_TRUE(wait_until([&] { return children_of(korvel->id()).empty(); }))
        << "programs of the Launcher still run";
    click(dialog, exit_button);
    EXPECT_EQ(korvel->wait_for_exit(), 0u);
  }
};

// ---- The package's programs ----

TEST_F(ToolsE2E, EachToolButtonStartsItsProgramWithATabFromTheExeFolder) {
  const std::map<int, std::string> started_by{
      {1004, "LORIM.exe"}, {1005, "PUNA 20.exe"}, {1006, "POSK.exe"},    {1007, "PIRA.exe"},
      {1008, "PELU.exe"},  {1014, "Okumar.exe"},  {1015, "Gaskol.exe"},  {1017, "Feltrom.exe"},
      {1019, "Vantik.exe"}, {1022, "PAVO.exe"}};
  for (const auto& [id, program] : started_by) install.install_program(program);
  install.install_program("PUNA.exe");  // the " 20" variant beside it is preferred
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  click(dialog, post_switch);
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

  type_into(dialog, geometry, with_blank);
  ASSERT_TRUE(wait_until([&] { return control_enabled(dialog, sivra); }, 10s));
  click(dialog, sivra);
  auto entries = wait_for_journal(1);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "Sivra.exe");
  EXPECT_EQ(entries[0].command_line, " \"" + with_blank + "\"");
  EXPECT_EQ(entries[0].current_directory, install.exe());

  type_into(dialog, geometry, plain);
  ASSERT_TRUE(wait_until([&] { return trimmed(control_text(dialog, geometry)) == plain; }, 10s));
  click(dialog, sivra);
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
  ASSERT_TRUE(wait_until([&] { return drop_down_selection(dialog, language) == 1; }, 10s));
  click(dialog, select_geometry);
  HWND chooser = wait_for_dialog(korvel->id(), "Select Input File \".dat\"");
  ASSERT_NE(chooser, nullptr) << "no open-file dialog";
  SendMessageA(GetDlgItem(chooser, open_file_name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(frame.c_str()));
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(wait_until_gone(chooser));
  ASSERT_TRUE(wait_until([&] { return control_enabled(dialog, solver); }, 10s));
  EXPECT_FALSE(file_exists(install.path("Dat\\frame.rez")));

  click(dialog, solver);
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
  EXPECT_TRUE(control_checked(dialog, post_switch));
  EXPECT_EQ(list_items(dialog, file_list)[2], "Output File");
  EXPECT_FALSE(control_enabled(dialog, view_edit));
  exit_normally();
}

// ---- Help ----

TEST_F(ToolsE2E, HelpWithoutAHelpFileSaysWhatIsMissing) {
  ASSERT_TRUE(DeleteFileA(install.path("Exe\\Korvel Help.chm").c_str()));
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  click(dialog, help);
  const MessageBoxSeen box = wait_for_message_box(korvel->id(), "KORVEL Message");
  ASSERT_NE(box.window, nullptr) << "no message about the help file";
  EXPECT_EQ(box.text,
            "Missing files: \"Korvel Help.chm or Korvel Help 20.chm\" in \"KORVEL_Installation_Directory\\Exe\\\"!\n"
            "Can Not Open Help File.");
  answer(box.window, IDOK);
  EXPECT_TRUE(wait_until_gone(box.window));
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
    click(dialog, help);
    std::vector<DWORD> viewers;
    ASSERT_TRUE(wait_until([&] { return !(viewers = children_of(korvel->id(), "hh.exe")).empty(); }))
        << "no hh.exe started by the Launcher";
    ASSERT_EQ(viewers.size(), 1u);
    Watched viewer(viewers[0]);
    ASSERT_TRUE(viewer.opened());
    const FILETIME created = viewer.created();
    EXPECT_GE(CompareFileTime(&created, &clicked), 0) << "hh.exe was started by the click";
    EXPECT_TRUE(same_name(viewer.image_path(), std::string(windows) + "\\hh.exe")) << viewer.image_path();
    // The help file's path, blanks and all, without quotes.
    EXPECT_EQ(viewer.command_line(), " " + install.exe() + "\\" + help_file);
    viewer.end();
    EXPECT_TRUE(viewer.wait_for_exit().has_value());
  };

  ASSERT_NO_FATAL_FAILURE(expect_viewer_with("Korvel Help.chm"));
  ASSERT_TRUE(CopyFileA(install.path("Exe\\Korvel Help.chm").c_str(), install.path("Exe\\Korvel Help 20.chm").c_str(),
                        TRUE));
  ASSERT_NO_FATAL_FAILURE(expect_viewer_with("Korvel Help 20.chm"));
  exit_normally();
}

// ---- The user's guide ----

TEST_F(ToolsE2E, UsersGuideOpensTheGuideOfTheChosenLanguageInWordFoundAtItsSecondPath) {
  ASSERT_FALSE(file_exists(first_word_path)) << "this prefix must hold no Word at the first path";
  WordAtSecondPath word;
  ASSERT_TRUE(word.placed());
  standin_mode("exit");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  click(dialog, users_guide);
  auto entries = wait_for_journal(1);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "WINWORD.EXE");
  EXPECT_EQ(entries[0].command_line, " \"" + install.path("Doc\\Korvel-en.doc") + "\"");
  EXPECT_EQ(entries[0].current_directory, install.exe());

  choose_language(1);
  ASSERT_TRUE(wait_until([&] { return drop_down_selection(dialog, language) == 1; }, 10s));
  click(dialog, users_guide);
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
    for (int id : {1004, 1015, 1017}) click(dialog, id);
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

  void exit_and_answer(int button) {
    click(dialog, exit_button);
    const MessageBoxSeen box = wait_for_message_box(korvel->id(), "KORVEL Message");
    ASSERT_NE(box.window, nullptr) << "no question about the running programs";
    EXPECT_EQ(box.text, "3  Programs Are Still Running!\nWould You Like to Terminate Them?");
    answer(box.window, button);
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

}  // namespace
}  // namespace korvel::e2e
