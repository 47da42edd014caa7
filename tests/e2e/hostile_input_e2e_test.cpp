// Names a user may type that are no plain file names, typed into the real
// Korvel.exe under Wine, and what Sivra and the solver then get (the
// stand-ins' journal) or which message says no; and E X I T when the programs
// the Launcher started ended in different ways and a program of the same name
// runs that the Launcher did not start.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

constexpr int exit_button = 1, geometry = 1001, loading = 1012, solver = 1003, sivra = 1023;

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string not_found(const std::string& name) { return "\"" + name + "\": File NOT found.\n\nCheck for File Name !"; }

// As type_into, with wide keystrokes: characters of any code page.
void type_wide(HWND dialog, int id, const std::wstring& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

// A long name: set up to its last `keys` characters, as a paste would, then
// typed key by key; the Launcher reads the whole field at each keystroke. Each
// keystroke costs it about 0.1 s under Wine (it rewrites language.dat every
// time), so hundreds of them would take most of a test's time.
void type_ending(HWND dialog, int id, const std::string& text, std::size_t keys = 4) {
  HWND edit = GetDlgItem(dialog, id);
  const std::string head = text.substr(0, text.size() - keys);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(head.c_str()));
  SendMessageA(edit, EM_SETSEL, head.size(), head.size());
  for (char c : text.substr(head.size())) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// A process the test did not start itself, ended when the value goes.
class Opened {
 public:
  explicit Opened(DWORD id)
      : handle_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id)) {}
  ~Opened() {
    if (!handle_) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 5000);
    CloseHandle(handle_);
  }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
  HANDLE get() const { return handle_; }
  std::optional<DWORD> wait_for_exit() const {
    if (!handle_ || WaitForSingleObject(handle_, 20000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
  }

 private:
  HANDLE handle_;
};

class HostileInputE2E : public ::testing::Test {
 protected:
  Installation install{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::optional<Program> korvel;
  HWND dialog = nullptr;
  std::size_t journal_seen = 0;
  std::string dat = install.path("Dat");

  void TearDown() override {
    // Whatever the Launcher started and left running goes with the test.
    if (korvel)
      for (DWORD id : children_of(korvel->id())) Opened ending(id);
    SetEnvironmentVariableA("KORVEL_STANDIN_MODE", nullptr);
    SetEnvironmentVariableA("KORVEL_STANDIN_ENDING", nullptr);
  }

  // The stand-ins inherit their mode through Korvel.exe's environment.
  void start_korvel(const char* mode = "exit") {
    SetEnvironmentVariableA("KORVEL_STANDIN_MODE", mode);
    korvel.emplace(install.exe() + "\\Korvel.exe", "Korvel.exe", install.exe());
    ASSERT_TRUE(korvel->started());
    dialog = wait_for_dialog(korvel->id(), "KORVEL");
    ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
  }

  std::string field(int id) { return trimmed(control_text(dialog, id)); }
  // Waits until the field reads `reads` (the Launcher has then seen every keystroke).
  bool field_reads(int id, const std::string& reads) {
    return wait_until([&] { return field(id) == reads; }, 20s);
  }

  // The next program started, from the journal; nothing when none came.
  std::optional<standin::JournalEntry> next_start() {
    wait_until([&] { return install.journal_entries().size() > journal_seen; }, 30s);
    const auto entries = install.journal_entries();
    if (entries.size() <= journal_seen) return std::nullopt;
    return entries[journal_seen++];
  }
  std::string next_command_line(const std::string& program) {
    const auto entry = next_start();
    if (!entry) return "<nothing started>";
    EXPECT_EQ(entry->program, program);
    return entry->command_line;
  }

  // The text of the message box of that caption, answered with `button`.
  std::string answered_box(const std::string& caption, int button) {
    const MessageBoxSeen box = wait_for_message_box(korvel->id(), caption);
    if (!box.window) return "<no " + caption + ">";
    answer(box.window, button);
    EXPECT_TRUE(wait_until_gone(box.window));
    return box.text;
  }

  void exit_normally() {
    EXPECT_TRUE(wait_until([&] { return children_of(korvel->id()).empty(); })) << "programs of the Launcher still run";
    EXPECT_EQ(install.journal_entries().size(), journal_seen) << "nothing else was started";
    click(dialog, exit_button);
    EXPECT_EQ(korvel->wait_for_exit(), 0u);
  }
};

TEST_F(HostileInputE2E, SivraRefusesANameHoldingADoubleQuoteOrATab) {
  install.install_program("Sivra.exe");
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  for (const std::string name : {"C:\\Jobs\\a\" -x.dat", "C:\\Jobs\\a\tb.dat"}) {
    type_into(dialog, geometry, name);
    ASSERT_TRUE(field_reads(geometry, name)) << name;
    click(dialog, sivra);
    EXPECT_EQ(answered_box("KORVEL Message", IDOK), not_found(name));
  }
  // The first start is that of the plain name typed after them.
  type_into(dialog, geometry, "C:\\Jobs\\frame.dat");
  ASSERT_TRUE(field_reads(geometry, "C:\\Jobs\\frame.dat"));
  click(dialog, sivra);
  EXPECT_EQ(next_command_line("Sivra.exe"), " C:\\Jobs\\frame.dat");
  exit_normally();
}

TEST_F(HostileInputE2E, TheSolverRefusesAQuoteOrATabAfterRetryAndACancelledChoice) {
  install.install_program("VEK.exe");
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  const std::string quoted = "C:\\a.dat\" /extra \"x.dat", tabbed = dat + "\\fr\tame.inc";
  struct Case {
    std::string geometry, loading, chooser, refused;
  } cases[] = {
      {quoted, dat + "\\frame.inc", "Select Input File \".dat\"", quoted},
      {dat + "\\frame.dat", tabbed, "Select Loading File \".inc\"", tabbed},
  };
  for (const Case& c : cases) {
    type_into(dialog, geometry, c.geometry);
    ASSERT_TRUE(field_reads(geometry, c.geometry));
    type_into(dialog, loading, c.loading);
    ASSERT_TRUE(field_reads(loading, c.loading));
    click(dialog, solver);
    EXPECT_EQ(answered_box("RUN Message", IDRETRY), not_found(c.refused));
    HWND chooser = wait_for_dialog(korvel->id(), c.chooser);
    ASSERT_NE(chooser, nullptr) << "no open-file dialog " << c.chooser;
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(wait_until_gone(chooser));
    EXPECT_EQ(answered_box("KORVEL Message", IDOK), not_found(c.refused));
  }
  exit_normally();  // and the solver never started
}

TEST_F(HostileInputE2E, FullWidthNames) {
  install.install_program("Sivra.exe");
  install.install_program("VEK.exe");
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  // 259 characters with a blank, 260 without, 300 with a blank of which the Launcher holds 260.
  const std::string with_blank_259 = "C:\\Jobs\\My frame" + std::string(239, 'x') + ".dat";
  const std::string plain_260 = "C:\\Jobs\\" + std::string(248, 'y') + ".dat";
  const std::string with_blank_300 = "C:\\Jobs\\My frame" + std::string(284, 'z');
  const std::string held_260 = with_blank_300.substr(0, 260);
  ASSERT_EQ(with_blank_259.size(), 259u);
  ASSERT_EQ(plain_260.size(), 260u);
  for (const auto& [typed, passed] :
       {std::pair{with_blank_259, "\"" + with_blank_259 + "\""}, std::pair{plain_260, plain_260},
        std::pair{with_blank_300, "\"" + held_260 + "\""}}) {
    type_ending(dialog, geometry, typed);
    ASSERT_TRUE(field_reads(geometry, typed)) << typed.size();
    click(dialog, sivra);
    EXPECT_EQ(next_command_line("Sivra.exe"), " " + passed) << typed.size();
  }

  // Real files in the current directory whose argument text, "<g>.dat <l>.inc E",
  // is 260 characters and then one more.
  const std::string g(125, 'w'), short_l(124, 'w'), long_l(125, 'w');
  for (const std::string& file : {g + ".dat", short_l + ".inc", long_l + ".inc"})
    ASSERT_TRUE(write_file(install.exe() + "\\" + file, "0\r\n"))
        << "a path of " << install.exe().size() + 1 + file.size() << " characters";
  type_ending(dialog, geometry, g + ".dat");
  type_ending(dialog, loading, short_l + ".inc");
  ASSERT_TRUE(field_reads(loading, short_l + ".inc"));
  click(dialog, solver);
  EXPECT_EQ(next_command_line("VEK.exe").size(), 261u) << "the blank and all 260 characters";

  type_ending(dialog, geometry, g + ".dat");  // the Loading name follows it: 261 characters
  ASSERT_TRUE(field_reads(loading, long_l + ".inc"));
  click(dialog, solver);
  EXPECT_EQ(answered_box("KORVEL Message", IDOK),
            "Command Line too long. (261 >260)\n\n"
            "Rename Input_File and/or Loading file or their directory - to shorter new names.");
  EXPECT_EQ(next_command_line("VEK.exe"), " ") << "the solver starts without arguments";
  exit_normally();
}

TEST_F(HostileInputE2E, ATrailingBlankARelativeNameAndAForeignCharacterAsTheFieldReadsThem) {
  install.install_program("Sivra.exe");
  install.install_program("VEK.exe");
  // Relative names are taken in the Launcher's current directory, the Exe folder.
  for (const char* file : {"\\frame.dat", "\\frame.inc"})
    ASSERT_TRUE(CopyFileA((dat + file).c_str(), (install.exe() + file).c_str(), FALSE));
  // A character of no ANSI code page: the Launcher's ANSI dialog reads it as '?',
  // which as a wildcard would match frame.dat.
  BOOL unmapped = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u4e2d", 1, nullptr, 0, nullptr, &unmapped);
  ASSERT_TRUE(unmapped) << "the ANSI code page " << GetACP() << " holds the character";
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  struct Case {
    std::wstring typed;
    std::string reads, solver_gets;  // no solver_gets: the Geometry File is reported missing
  };
  const Case cases[] = {
      {L"frame.dat ", "frame.dat", "frame.dat frame.inc E"},
      {L"frame.dat", "frame.dat", "frame.dat frame.inc E"},
      {L"fr\u4e2dme.dat", "fr?me.dat", ""},
  };
  for (const Case& c : cases) {
    type_wide(dialog, geometry, c.typed);
    ASSERT_TRUE(field_reads(geometry, c.reads)) << c.reads;
    click(dialog, sivra);
    EXPECT_EQ(next_command_line("Sivra.exe"), " " + c.reads);
    click(dialog, solver);
    if (c.solver_gets.empty()) {
      EXPECT_EQ(answered_box("RUN Message", IDCANCEL), not_found(c.reads));
    } else {
      const auto entry = next_start();
      ASSERT_TRUE(entry) << "no solver run for " << c.reads;
      EXPECT_EQ(entry->command_line, " " + c.solver_gets);
      EXPECT_EQ(entry->current_directory, install.exe());
    }
  }
  exit_normally();
}

TEST_F(HostileInputE2E, GeometryNamesOfNoFileAreReportedMissingAndStartNoSolver) {
  install.install_program("VEK.exe");
  for (const char* file : {"\\frame.dat", "\\frame.inc"})
    ASSERT_TRUE(CopyFileA((dat + file).c_str(), (install.exe() + file).c_str(), FALSE));
  ASSERT_TRUE(CreateDirectoryA((install.exe() + "\\sub.dat").c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  // A share of no server, devices (also in an existing folder), a folder.
  for (const char* name : {"\\\\server\\share\\frame.dat", "NUL", "CON", "C:\\NUL.dat", "sub.dat"}) {
    type_into(dialog, geometry, name);
    ASSERT_TRUE(field_reads(geometry, name)) << name;
    type_into(dialog, loading, "frame.inc");
    ASSERT_TRUE(field_reads(loading, "frame.inc")) << name;
    click(dialog, solver);
    EXPECT_EQ(answered_box("RUN Message", IDCANCEL), not_found(name));
  }
  // The first start is that of the real file named after them.
  type_into(dialog, geometry, "frame.dat");
  ASSERT_TRUE(field_reads(geometry, "frame.dat"));
  click(dialog, solver);
  EXPECT_EQ(next_command_line("VEK.exe"), " frame.dat frame.inc E");
  exit_normally();
}

TEST_F(HostileInputE2E, ExitOffersToEndOnlyTheLaunchersOwnProgramStillRunning) {
  for (const char* program : {"LORIM.exe", "Gaskol.exe", "Feltrom.exe"}) install.install_program(program);
  SetEnvironmentVariableA("KORVEL_STANDIN_ENDING", "LORIM.exe");
  // A Feltrom the test starts itself, before the Launcher's.
  Program foreign(install.exe() + "\\Feltrom.exe", "Feltrom.exe", install.exe());
  ASSERT_TRUE(foreign.started());
  ASSERT_TRUE(next_start().has_value());
  ASSERT_NO_FATAL_FAILURE(start_korvel(""));

  for (int id : {1004, 1015, 1017}) click(dialog, id);  // LORIM ends at once, Gaskol and Feltrom stay
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(next_start().has_value()) << "three programs started";
  std::vector<DWORD> gaskol, feltrom;
  ASSERT_TRUE(wait_until([&] {
    gaskol = children_of(korvel->id(), "Gaskol.exe");
    feltrom = children_of(korvel->id(), "Feltrom.exe");
    return gaskol.size() == 1 && feltrom.size() == 1 && children_of(korvel->id()).size() == 2;
  })) << "LORIM did not end or the other two did not come up";
  Opened killed(gaskol[0]), staying(feltrom[0]);
  ASSERT_TRUE(TerminateProcess(killed.get(), 5));
  ASSERT_EQ(killed.wait_for_exit(), 5u);

  click(dialog, exit_button);
  EXPECT_EQ(answered_box("KORVEL Message", IDYES), "1 Program Is Still Running!\nWould You Like to Terminate It?");
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  EXPECT_EQ(staying.wait_for_exit(), 0u) << "the Launcher's Feltrom ended by the answer";
  EXPECT_TRUE(foreign.running()) << "the Feltrom the Launcher did not start";
}

}  // namespace
}  // namespace korvel::e2e
