// Names a user may type that are no plain file names, typed into the real
// Korvel.exe under Wine, and what Sivra and the solver then get (the
// stand-ins' journal) or which message says no; and E X I T when the programs
// the Launcher started ended in different ways and a program of the same name
// runs that the Launcher did not start.
#include <gtest/gtest.h>

#include "harness.h"

namespace korvel::e2e {
namespace {

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

class HostileInputE2E : public LauncherTest {
 protected:
  std::size_t journal_seen = 0;
  std::string dat = install.path("Dat");

  void start_korvel(const char* mode = "exit") {
    standin_mode(mode);
    LauncherTest::start_korvel();
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

  void exit_normally() {
    LauncherTest::exit_normally();
    EXPECT_EQ(install.journal_entries().size(), journal_seen) << "nothing else was started";
  }
};

TEST_F(HostileInputE2E, SivraRefusesANameHoldingADoubleQuoteOrATab) {
  install.install_program("Sivra.exe");
  ASSERT_NO_FATAL_FAILURE(start_korvel());
  for (const std::string name : {"C:\\Jobs\\a\" -x.dat", "C:\\Jobs\\a\tb.dat"}) {
    type_into(dialog, geometry_edit, name);
    ASSERT_TRUE(field_reads(geometry_edit, name)) << name;
    click(dialog, geometry_viewer_button);
    EXPECT_EQ(answered_box("KORVEL Message", IDOK), not_found(name));
  }
  // The first start is that of the plain name typed after them.
  type_into(dialog, geometry_edit, "C:\\Jobs\\frame.dat");
  ASSERT_TRUE(field_reads(geometry_edit, "C:\\Jobs\\frame.dat"));
  click(dialog, geometry_viewer_button);
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
    type_into(dialog, geometry_edit, c.geometry);
    ASSERT_TRUE(field_reads(geometry_edit, c.geometry));
    type_into(dialog, loading_edit, c.loading);
    ASSERT_TRUE(field_reads(loading_edit, c.loading));
    click(dialog, solver_button);
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
    type_ending(dialog, geometry_edit, typed);
    ASSERT_TRUE(field_reads(geometry_edit, typed)) << typed.size();
    click(dialog, geometry_viewer_button);
    EXPECT_EQ(next_command_line("Sivra.exe"), " " + passed) << typed.size();
  }

  // Real files in the current directory whose argument text, "<g>.dat <l>.inc E",
  // is 260 characters and then one more.
  const std::string g(125, 'w'), short_l(124, 'w'), long_l(125, 'w');
  for (const std::string& file : {g + ".dat", short_l + ".inc", long_l + ".inc"})
    ASSERT_TRUE(write_file(install.exe() + "\\" + file, "0\r\n"))
        << "a path of " << install.exe().size() + 1 + file.size() << " characters";
  type_ending(dialog, geometry_edit, g + ".dat");
  type_ending(dialog, loading_edit, short_l + ".inc");
  ASSERT_TRUE(field_reads(loading_edit, short_l + ".inc"));
  click(dialog, solver_button);
  EXPECT_EQ(next_command_line("VEK.exe").size(), 261u) << "the blank and all 260 characters";

  type_ending(dialog, geometry_edit, g + ".dat");  // the Loading name follows it: 261 characters
  ASSERT_TRUE(field_reads(loading_edit, long_l + ".inc"));
  click(dialog, solver_button);
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
  ASSERT_NO_FATAL_FAILURE(start_korvel());

  struct Case {
    std::string typed, reads, solver_gets;  // no solver_gets: the Geometry File is reported missing
  };
  // A character of no ANSI code page is held whole (not as '?', which as a
  // wildcard would match frame.dat); Sivra, reading its command line in the
  // system's code page, could not read it, and no short name exists for a missing file.
  const std::string foreign = "fr\xE4\xB8\xADme.dat";  // U+4E2D
  const Case cases[] = {
      {"frame.dat ", "frame.dat", "frame.dat frame.inc E"},
      {"frame.dat", "frame.dat", "frame.dat frame.inc E"},
      {foreign, foreign, ""},
  };
  for (const Case& c : cases) {
    type_into(dialog, geometry_edit, c.typed);
    ASSERT_TRUE(field_reads(geometry_edit, c.reads)) << c.reads;
    click(dialog, geometry_viewer_button);
    if (c.solver_gets.empty())
      EXPECT_EQ(answered_box("KORVEL Message", IDOK),
                "\"" + c.reads + "\": the package's programs can't read this name.\n\nRename the file or its folder.");
    else
      EXPECT_EQ(next_command_line("Sivra.exe"), " " + c.reads);
    click(dialog, solver_button);
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
    type_into(dialog, geometry_edit, name);
    ASSERT_TRUE(field_reads(geometry_edit, name)) << name;
    type_into(dialog, loading_edit, "frame.inc");
    ASSERT_TRUE(field_reads(loading_edit, "frame.inc")) << name;
    click(dialog, solver_button);
    EXPECT_EQ(answered_box("RUN Message", IDCANCEL), not_found(name));
  }
  // The first start is that of the real file named after them.
  type_into(dialog, geometry_edit, "frame.dat");
  ASSERT_TRUE(field_reads(geometry_edit, "frame.dat"));
  click(dialog, solver_button);
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

  for (int id : {structure_graph_button, geometry_creator_button, loading_creator_button}) click(dialog, id);  // LORIM ends at once, Gaskol and Feltrom stay
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(next_start().has_value()) << "three programs started";
  std::vector<DWORD> gaskol, feltrom;
  ASSERT_TRUE(wait_until([&] {
    gaskol = children_of(korvel->id(), "Gaskol.exe");
    feltrom = children_of(korvel->id(), "Feltrom.exe");
    return gaskol.size() == 1 && feltrom.size() == 1 && children_of(korvel->id()).size() == 2;
  })) << "LORIM did not end or the other two did not come up";
  Watched killed(gaskol[0]), staying(feltrom[0]);
  ASSERT_TRUE(killed.end(5));
  ASSERT_EQ(killed.wait_for_exit(), 5u);

  click(dialog, exit_button);
  EXPECT_EQ(answered_box("KORVEL Message", IDYES), "1 Program Is Still Running!\nWould You Like to Terminate It?");
  EXPECT_EQ(korvel->wait_for_exit(), 0u);
  EXPECT_EQ(staying.wait_for_exit(), 0u) << "the Launcher's Feltrom ended by the answer";
  EXPECT_TRUE(foreign.running()) << "the Feltrom the Launcher did not start";
}

}  // namespace
}  // namespace korvel::e2e
