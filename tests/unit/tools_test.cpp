// What each command button starts, with which command line, and what it says
// when it can't.
#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "project/project_files.h"
#include "tools/help_and_guide.h"
#include "tools/tool_launch.h"

namespace korvel {
namespace {

constexpr const char* exe = "C:\\KORVEL\\Exe";

TEST(SolverArguments, QuotingAndTheLoadingFilesName) {
  fake::FakeFileSystem files;
  files.current = "C:\\Work";
  struct Case {
    const char* geometry;
    const char* loading;
    bool romanian;
    const char* text;
  } cases[] = {
      {"C:\\Work\\frame.dat", "C:\\Work\\frame.inc", false, "C:\\Work\\frame.dat frame.inc E"},
      {"C:\\Work\\Tower A.dat", "C:\\Work\\Wind.inc", true, "\"C:\\Work\\Tower A.dat\" Wind.inc R"},
      {"C:\\My Work\\a.dat", "D:\\Other Folder\\b.inc", false, "\"C:\\My Work\\a.dat\" b.inc E"},
      {"a.dat", "C:\\x\\My Load.inc", false, "a.dat \"My Load.inc\" E"},
      {"a.dat", "MyLoad.in", false, "a.dat MyLoad.in E"},
      {"a.dat", "My Load.in", false, "a.dat \"My Load.in \" E"},
      {"a.dat", "load", false, "a.dat load E"},
      {"a.dat", "load.inc5", false, "a.dat load.inc E"},  // the extension keeps four characters
      {"a.dat", "w.inç", false, "a.dat w.inç E"},          // characters, not bytes
      // A part the system's code page (Latin-1 here) can't hold goes as its short name.
      {"C:\\Work\\Clădire Ștefan\\turn.dat", "Clădire Ștefan\\turn.inc", false, "C:\\Work\\CLDIRE~1\\turn.dat turn.inc E"},
      {"C:\\Work\\Café Noir\\a.dat", "Ștefan 2.inc", true, "\"C:\\Work\\Café Noir\\a.dat\" TEFAN2~1.INC R"},
  };
  files.add_file("C:\\Work\\Clădire Ștefan\\turn.dat", "");
  files.add_file("C:\\Work\\Ștefan 2.inc", "");
  for (const Case& c : cases)
    EXPECT_EQ(solver_argument_text(files, PathText(c.geometry), PathText(c.loading), c.romanian).text, c.text) << c.loading;
  // Without a short name (nothing of that name exists yet): no text, and the name.
  EXPECT_EQ(solver_argument_text(files, PathText("C:\\Work\\Ștefan\\a.dat"), PathText("a.inc"), false).unreadable_name,
            "C:\\Work\\Ștefan\\a.dat");
  EXPECT_EQ(solver_argument_text(files, PathText("a.dat"), PathText("C:\\Work\\ș.inc"), false).unreadable_name,
            "C:\\Work\\ș.inc");
  // A short name that keeps a letter of the user's language is no readable name either.
  files.add_file("C:\\Work\\Ștefan 3.dat", "");
  files.short_names["C:\\Work\\Ștefan 3.dat"] = "ȘTEFAN~3.DAT";
  EXPECT_EQ(solver_argument_text(files, PathText("C:\\Work\\Ștefan 3.dat"), PathText("a.inc"), false).unreadable_name,
            "C:\\Work\\Ștefan 3.dat");
}

TEST(SolverArguments, TooLongMessageCarriesTheExactCount) {
  EXPECT_EQ(too_long_message(275),
            "Command Line too long. (275 >260)\n\nRename Input_File and/or Loading file or their directory - to shorter "
            "new names.");
  EXPECT_EQ(too_long_message(523).substr(0, 27), "Command Line too long. (523");
}

class Commands : public fake::LauncherTest {
 protected:
  void install(std::initializer_list<const char*> programs) {
    for (const char* program : programs) fake.files.add_file(std::string(exe) + "\\" + program, "");
  }
  void leave() override {
    fake.message_boxes.answers = {mb::answer_no};  // leave the started programs running
    LauncherTest::leave();
  }
  fake::StartRecord last_start() const { return fake.processes.starts.back(); }
};

TEST_F(Commands, EveryToolStartsItsProgramWithATab) {
  struct Case {
    int button;
    const char* program;
  } cases[] = {{structure_graph_button, "LORIM"}, {displacement_button, "PUNA"}, {stress_button, "POSK"},
               {time_history_button, "PIRA"}, {maximum_values_button, "PELU"}, {max_processor_button, "Okumar"},
               {geometry_creator_button, "Gaskol"}, {loading_creator_button, "Feltrom"},
               {structure_viewer_button, "Vantik"}, {reactions_button, "PAVO"}};
  for (const Case& c : cases) install({(std::string(c.program) + ".exe").c_str()});
  install({"PAVO 20.exe"});
  run([&] {
    fake.dialogs.click(w, post_processor_switch);
    for (const Case& c : cases) {
      fake.dialogs.click(w, c.button);
      const std::string expected = c.button == reactions_button ? "PAVO 20.exe" : std::string(c.program) + ".exe";
      EXPECT_EQ(last_start().application, std::string(exe) + "\\" + expected) << c.button;
      EXPECT_EQ(last_start().command_line, " \t") << c.button;
    }
  });
  EXPECT_EQ(fake.processes.starts.size(), 10u);
  EXPECT_TRUE(fake.message_boxes.shown.size() == 1) << "only the exit question";
}

TEST_F(Commands, AMissingProgramFailsWithTheMessageAndKeepsItsRecord) {
  install({"LORIM.exe"});
  run([&] {
    fake.dialogs.click(w, geometry_creator_button);  // neither Gaskol.exe nor "Gaskol 20.exe"
    fake.dialogs.click(w, structure_graph_button);
  });
  ASSERT_GE(fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown[0].text, std::string(exe) + "\\Gaskol.exe: Failed run!");
  EXPECT_EQ(fake.message_boxes.shown[0].caption, "KORVEL: CreateProcess Message");
  EXPECT_EQ(fake.message_boxes.shown[0].type, mb::ok | mb::icon_information);
  ASSERT_EQ(state.tools.launch_table.launch_count, 2u);
  EXPECT_EQ(state.tools.launch_table.records[0].launch_state, LaunchState::start_failed);
  EXPECT_EQ(state.tools.launch_table.records[1].launch_state, LaunchState::started);
}

TEST_F(Commands, SivraViewEditAndPrintGetTheFileNames) {
  install({"Sivra.exe", "Sivra 20.exe", "Tasprel.exe", "Tasprel 20.exe"});
  fake.files.add_file("C:\\windows\\Notepad.exe", "");
  fake.files.add_file("C:\\My Jobs\\frame.dat", "");
  fake.files.add_file("C:\\My Jobs\\frame.inc", "");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\My Jobs\\frame.dat");
    fake.dialogs.click(w, geometry_viewer_button);
    EXPECT_EQ(last_start().application, std::string(exe) + "\\Sivra 20.exe");
    EXPECT_EQ(last_start().command_line, " \"C:\\My Jobs\\frame.dat\"");

    fake.dialogs.select(w, file_list, 0);
    fake.dialogs.click(w, print_button);
    EXPECT_EQ(last_start().application, std::string(exe) + "\\Tasprel.exe") << "no variant for the print tool";
    EXPECT_EQ(last_start().command_line, " C:\\My Jobs\\frame.dat");
    EXPECT_TRUE(state.settings.recent_files[0].is_blank()) << "Print leaves the recent list";

    fake.dialogs.double_click(w, file_list, 1);  // View / Edit of the Loading File, at once
    EXPECT_EQ(last_start().application, "C:\\windows\\Notepad.exe");
    EXPECT_EQ(last_start().command_line, " C:\\My Jobs\\frame.inc") << "unquoted";
    EXPECT_EQ(state.settings.recent_files[0], "C:\\My Jobs\\frame.dat") << "View / Edit remembers the Geometry File";

    fake.dialogs.type(w, geometry_edit, "C:\\My Jobs\\tower.dat");
    fake.dialogs.select(w, file_list, 3);
    fake.dialogs.click(w, view_edit_button);
    EXPECT_EQ(last_start().command_line, " \t") << "New: the editor without a file";
    EXPECT_EQ(state.settings.recent_files[0], "C:\\My Jobs\\tower.dat") << "New remembers the Geometry File too";

    const std::string full_width = "C:\\My Jobs\\" + std::string(245, 'f') + ".dat";
    fake.dialogs.type(w, geometry_edit, full_width);
    fake.dialogs.click(w, geometry_viewer_button);
    EXPECT_EQ(last_start().command_line, " \"" + full_width + "\"") << "all 260 characters and both quotes";
  });
}

TEST_F(Commands, HostileGeometryNamesOnSivrasCommandLine) {
  install({"Sivra.exe"});
  const std::string long_name = "C:\\" + std::string(296, 'g') + ".dat";
  struct Case {
    std::string typed;
    std::optional<std::string> command_line;  // nothing: refused with the file-not-found message
  } cases[] = {
      {"C:\\a.dat\" /extra \"x.dat", std::nullopt},  // would end the quoting and add arguments
      {"C:\\Jobs\\a\tb.dat", std::nullopt},           // would split the argument
      {"C:\\Jobs\\a\rb.dat", std::nullopt},
      {std::string("C:\\Jobs\\frame.dat\0 x.dat", 24), " C:\\Jobs\\frame.dat"},  // cut at the NUL, unquoted
      {"C:\\Jobs\\frame.dat   ", " C:\\Jobs\\frame.dat"},
      {long_name, " " + long_name.substr(0, 260)},  // the field holds 260 characters
      {"\\\\server\\share\\frame.dat", " \\\\server\\share\\frame.dat"},
      {"frame.dat", " frame.dat"},
      {"C:\\Jobs\\?.dat", " C:\\Jobs\\?.dat"},  // a character outside the code page, as the field reads it
  };
  run([&] {
    for (const Case& c : cases) {
      const std::size_t starts = fake.processes.starts.size(), shown = fake.message_boxes.shown.size();
      fake.dialogs.type(w, geometry_edit, c.typed);
      fake.dialogs.click(w, geometry_viewer_button);
      if (c.command_line) {
        ASSERT_EQ(fake.processes.starts.size(), starts + 1) << c.typed;
        EXPECT_EQ(last_start().command_line, *c.command_line);
      } else {
        EXPECT_EQ(fake.processes.starts.size(), starts) << c.typed;
        ASSERT_EQ(fake.message_boxes.shown.size(), shown + 1);
        EXPECT_EQ(fake.message_boxes.shown.back().text, "\"" + c.typed + "\": File NOT found.\n\nCheck for File Name !");
        EXPECT_EQ(fake.message_boxes.shown.back().type, mb::ok | mb::icon_error);
      }
    }
  });
  EXPECT_EQ(state.tools.launch_table.launch_count, 6u) << "a refused name records no start";
}

TEST_F(Commands, NoNameAddsOrSplitsAnArgumentOfAnyProgram) {
  install({"VEK.exe", "Tasprel.exe"});
  fake.files.add_file("C:\\windows\\Notepad.exe", "");
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  fake.files.add_file("C:\\Jobs\\a\"b.dat", "");  // only the fake can hold such a file
  struct Case {
    const char* what;
    std::string geometry, loading;
    int button;
    std::string refused;
  } cases[] = {
      // The solver after "RUN Message", Retry and a cancelled choice.
      {"solver", "C:\\a.dat\" /extra \"x.dat", "C:\\Jobs\\frame.inc", solver_button, "C:\\a.dat\" /extra \"x.dat"},
      {"solver", "C:\\Jobs\\frame.dat", "C:\\Jobs\\fr\tame.inc", solver_button, "C:\\Jobs\\fr\tame.inc"},
      {"View / Edit", "C:\\Jobs\\a\"b.dat", "", view_edit_button, "C:\\Jobs\\a\"b.dat"},
      {"Print", "C:\\Jobs\\a\"b.dat", "", print_button, "C:\\Jobs\\a\"b.dat"},
  };
  run([&] {
    for (const Case& c : cases) {
      const PathText head = state.settings.recent_files[0];
      fake.dialogs.type(w, geometry_edit, c.geometry);
      if (!c.loading.empty()) fake.dialogs.type(w, loading_edit, c.loading);
      if (c.button != solver_button) fake.dialogs.select(w, file_list, 0);  // the Geometry File, found
      fake.message_boxes.answers = {mb::answer_retry};
      fake.file_dialogs.answers = {std::nullopt};
      fake.dialogs.click(w, c.button);
      EXPECT_TRUE(fake.processes.starts.empty()) << c.what;
      EXPECT_EQ(state.tools.launch_table.launch_count, 0u) << c.what;
      EXPECT_EQ(state.settings.recent_files[0], head) << c.what << ": nothing remembered";
      ASSERT_FALSE(fake.message_boxes.shown.empty());
      EXPECT_EQ(fake.message_boxes.shown.back().text, file_not_found_text(c.refused)) << c.what;
      EXPECT_EQ(fake.message_boxes.shown.back().caption, "KORVEL Message") << c.what;
    }
    fake.dialogs.select(w, file_list, 3);  // New: its TAB is no name and still reaches the editor
    fake.dialogs.click(w, view_edit_button);
    EXPECT_EQ(last_start().command_line, " \t");
  });
}

TEST_F(Commands, AClickOnACommandWhoseBoxIsOpenDoesNothing) {
  install({"VEK.exe"});
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\gone.dat");
    fake.message_boxes.answers = {mb::answer_cancel};
    fake.message_boxes.while_open = [&] {
      for (int i = 0; i < 5; ++i) fake.dialogs.click(w, solver_button);
    };
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(fake.message_boxes.shown.size(), 1u) << "one RUN Message, not a pile";
    fake.message_boxes.answers = {mb::answer_cancel};
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(fake.message_boxes.shown.size(), 2u) << "once closed, the button works again";
  });
  EXPECT_TRUE(fake.processes.starts.empty());
}

class SolverRun : public Commands {
 protected:
  void SetUp() override {
    install({"VEK.exe"});
    fake.files.add_file("C:\\Jobs\\frame.dat", "");
    fake.files.add_file("C:\\Jobs\\frame.inc", "");
  }
};

TEST_F(SolverRun, StartsTheSolverAndOffersThePostProcessors) {
  install({"VEK 20.exe"});
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.type(w, output_edit, "C:\\Jobs\\mine.rez");
    fake.dialogs.select(w, language_list, 1);  // Romanian
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(control(output_edit).text, "C:\\Jobs\\mine.rez") << "a plain name's run leaves the Output field";
    EXPECT_EQ(last_start().application, std::string(exe) + "\\VEK 20.exe");
    EXPECT_EQ(last_start().command_line, " C:\\Jobs\\frame.dat frame.inc R");
    EXPECT_TRUE(control(post_processor_switch).checked);
    for (int id : {displacement_button, stress_button, reactions_button, time_history_button, maximum_values_button,
                   max_processor_button, structure_viewer_button})
      EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(view_edit_button));
    EXPECT_EQ(control(file_list).items[2], "Output File");
  });
  EXPECT_EQ(state.settings.recent_files[0], "C:\\Jobs\\frame.dat");
}

TEST_F(SolverRun, ANameReadWithANulIsCutThere) {
  run([&] {
    fake.dialogs.type(w, geometry_edit, std::string("C:\\Jobs\\frame.dat\0 old.dat  ", 28));
    fake.dialogs.type(w, loading_edit, std::string("C:\\Jobs\\frame.inc\0x", 19));
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " C:\\Jobs\\frame.dat frame.inc E");
  });
}

TEST_F(SolverRun, AMissingGeometryFileAsksRetryOrCancel) {
  fake.message_boxes.answers = {mb::answer_cancel};
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\My frame.dat");
    fake.dialogs.click(w, solver_button);
  });
  ASSERT_GE(fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown[0].text, "\"C:\\Jobs\\My frame.dat\": File NOT found.\n\nCheck for File Name !");
  EXPECT_EQ(fake.message_boxes.shown[0].caption, "RUN Message");
  EXPECT_EQ(fake.message_boxes.shown[0].type, mb::retry_cancel | mb::icon_error);
  EXPECT_EQ(state.tools.launch_table.launch_count, 0u) << "Cancel starts nothing and records nothing";
}

TEST_F(SolverRun, RetryWithACancelledChoiceGoesOnWithTheMissingName) {
  fake.message_boxes.answers = {mb::answer_retry};
  fake.file_dialogs.answers = {std::nullopt};
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\gone.dat");
    fake.dialogs.type(w, loading_edit, "C:\\Jobs\\frame.inc");
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " C:\\Jobs\\gone.dat frame.inc E");
  });
}

TEST_F(SolverRun, RetryWithANewChoiceUsesItsDerivedLoadingFile) {
  fake.files.add_file("D:\\New\\tower.dat", "");
  fake.files.add_file("D:\\New\\tower.inc", "");
  fake.message_boxes.answers = {mb::answer_retry};
  fake.file_dialogs.answers = {"D:\\New\\tower.dat"};
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\gone.dat");
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " D:\\New\\tower.dat tower.inc E");
  });
}

TEST_F(SolverRun, AMissingLoadingFileOffersTheLoadingChoice) {
  fake.files.add_file("D:\\Loads\\wind.inc", "");
  fake.message_boxes.answers = {mb::answer_retry};
  fake.file_dialogs.answers = {"D:\\Loads\\wind.inc"};
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.type(w, loading_edit, "C:\\Jobs\\gone.inc");
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " C:\\Jobs\\frame.dat wind.inc E");
  });
  EXPECT_EQ(fake.message_boxes.shown.at(0).text, "\"C:\\Jobs\\gone.inc\": File NOT found.\n\nCheck for File Name !");
  EXPECT_EQ(fake.message_boxes.shown.at(0).caption, "RUN Message");
  ASSERT_EQ(fake.file_dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.file_dialogs.shown[0].title, "Select Loading File \".inc\"");
}

TEST_F(SolverRun, TwoHundredSixtyCharactersPassAndOneMoreIsRefused) {
  // "C:\Jobs\" + k letters + ".dat", " frame.inc E": k + 24 characters.
  const std::string fits = "C:\\Jobs\\" + std::string(236, 'g') + ".dat";
  const std::string one_more = "C:\\Jobs\\" + std::string(237, 'g') + ".dat";
  fake.files.add_file(fits, "");
  fake.files.add_file(one_more, "");
  run([&] {
    fake.dialogs.type(w, geometry_edit, fits);
    fake.dialogs.type(w, loading_edit, "C:\\Jobs\\frame.inc");
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line.size(), 261u) << "the blank and all 260 characters";

    fake.dialogs.type(w, geometry_edit, one_more);
    fake.dialogs.type(w, loading_edit, "C:\\Jobs\\frame.inc");
    fake.dialogs.select(w, file_list, 3);  // View / Edit on
    const PathText head = state.settings.recent_files[0];
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " ") << "the solver starts without arguments";
    EXPECT_TRUE(enabled(view_edit_button)) << "a refused text leaves View / Edit";
    EXPECT_TRUE(enabled(displacement_button));
    EXPECT_EQ(state.settings.recent_files[0], head) << "and the recent list";
  });
  const auto& message = fake.message_boxes.shown.at(0);
  EXPECT_EQ(message.text.substr(0, 28), "Command Line too long. (261 ");
  EXPECT_EQ(message.caption, "KORVEL Message");
  EXPECT_EQ(message.type, mb::ok_cancel | mb::icon_error);
}

// The solver reads its command line in the system's code page (Latin-1 here):
// the limit counts the bytes it receives there, one per accented letter, and
// the message gives that count.
TEST_F(SolverRun, TheLimitCountsTheBytesOfTheSystemsCodePage) {
  // "C:\Jobs\" + name + ".dat", " frame.inc E": the name's characters + 24.
  const auto geometry_of = [](int accents, int letters) {
    std::string name = "C:\\Jobs\\";
    for (int i = 0; i < accents; ++i) name += "é";
    return name + std::string(static_cast<std::size_t>(letters), 'g') + ".dat";
  };
  struct Case {
    std::string geometry;
    std::optional<std::size_t> refused_as;  // nothing: passed whole
  } cases[] = {
      {geometry_of(6, 227), std::nullopt},  // 257 characters, 263 bytes of UTF-8
      {geometry_of(120, 17), std::nullopt},  // 161 characters, 281 bytes of UTF-8
      {geometry_of(6, 230), std::nullopt},  // 260
      {geometry_of(1, 236), 261},
      {geometry_of(200, 40), 264},  // 464 bytes of UTF-8
  };
  fake.files.add_file("C:\\Jobs\\frame.inc", "");
  for (const Case& c : cases) fake.files.add_file(c.geometry, "");
  run([&] {
    for (const Case& c : cases) {
      const std::size_t shown = fake.message_boxes.shown.size();
      fake.dialogs.type(w, geometry_edit, c.geometry);
      fake.dialogs.type(w, loading_edit, "C:\\Jobs\\frame.inc");
      fake.dialogs.click(w, solver_button);
      if (!c.refused_as) {
        EXPECT_EQ(last_start().command_line, " " + c.geometry + " frame.inc E");
        EXPECT_EQ(fake.message_boxes.shown.size(), shown) << c.geometry;
        continue;
      }
      EXPECT_EQ(last_start().command_line, " ");
      ASSERT_EQ(fake.message_boxes.shown.size(), shown + 1) << c.geometry;
      EXPECT_EQ(fake.message_boxes.shown.back().text.substr(0, 31),
                "Command Line too long. (" + std::to_string(*c.refused_as) + " >26");
    }
  });
}

// The package's programs read their command line in the system's code page
// (Latin-1 here): C: makes short names, D: none.
TEST_F(SolverRun, NamesOutsideTheSystemsCodePageGoAsShortNamesOrNotAtAll) {
  install({"Sivra.exe", "Tasprel.exe"});
  fake.files.add_file("C:\\windows\\Notepad.exe", "");
  for (const std::string drive : {"C:", "D:"}) {
    fake.files.add_file(drive + "\\Clădire Ștefan\\turn.dat", "");
    fake.files.add_file(drive + "\\Clădire Ștefan\\turn.inc", "");
  }
  fake.files.without_short_names = {"D:\\"};
  run([&] {
    fake.dialogs.type(w, 1001, "C:\\Clădire Ștefan\\turn.dat");
    fake.dialogs.click(w, 1003);
    EXPECT_EQ(last_start().command_line, " C:\\CLDIRE~1\\turn.dat turn.inc E");
    fake.dialogs.click(w, 1023);
    EXPECT_EQ(last_start().command_line, " C:\\CLDIRE~1\\turn.dat") << "Sivra";

    fake.dialogs.type(w, 1001, "D:\\Clădire Ștefan\\turn.dat");
    const std::size_t started = fake.processes.starts.size();
    fake.dialogs.click(w, 1003);
    fake.dialogs.click(w, 1023);
    fake.dialogs.select(w, 1016, 0);
    fake.dialogs.click(w, 1021);
    EXPECT_EQ(fake.processes.starts.size(), started) << "neither the solver, Sivra nor Print";
    fake.dialogs.click(w, 1010);
    EXPECT_EQ(last_start().command_line, " D:\\Clădire Ștefan\\turn.dat") << "the editor takes the name whole";
  });
  EXPECT_EQ(state.tools.launch_table.launch_count, 3u) << "a refused start is not recorded";
  EXPECT_EQ(state.settings.recent_files[1], "C:\\Clădire Ștefan\\turn.dat") << "the refused run is not remembered";
  ASSERT_EQ(fake.message_boxes.shown.size(), 4u);  // three refusals and the exit question
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(fake.message_boxes.shown[i].text,
              "\"D:\\Clădire Ștefan\\turn.dat\": the package's programs can't read this name.\n\n"
              "Rename the file or its folder.");
    EXPECT_EQ(fake.message_boxes.shown[i].caption, "KORVEL Message");
    EXPECT_EQ(fake.message_boxes.shown[i].type, mb::ok | mb::icon_error);
  }
}

// The solver writes the Output File of the name it gets: ștefan.dat goes as
// TEFAN~1.DAT and gives TEFAN~1.rez, which the File list, View / Edit and Print reach.
TEST_F(SolverRun, TheOutputFileOfAShortNamedGeometryFileIsTheOneOpened) {
  install({"Tasprel.exe"});
  fake.files.add_file("C:\\windows\\Notepad.exe", "");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Work\\ștefan.dat");  // before the file is made
    EXPECT_EQ(control(output_edit).text, "C:\\Work\\ștefan.rez");
    fake.files.add_file("C:\\Work\\ștefan.dat", "");
    fake.files.add_file("C:\\Work\\ștefan.inc", "");
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line, " C:\\Work\\TEFAN~1.DAT TEFAN~1.INC E");
    EXPECT_EQ(control(output_edit).text, "C:\\Work\\TEFAN~1.rez");
    fake.files.add_file("C:\\Work\\TEFAN~1.rez", "results");  // the solver's

    fake.dialogs.double_click(w, file_list, 2);
    EXPECT_EQ(last_start().application, "C:\\windows\\Notepad.exe");
    EXPECT_EQ(last_start().command_line, " C:\\Work\\TEFAN~1.rez");
    fake.dialogs.click(w, print_button);
    EXPECT_EQ(last_start().command_line, " C:\\Work\\TEFAN~1.rez") << "Print";
  });
  EXPECT_EQ(fake.message_boxes.shown.size(), 1u) << "only the exit question";
}

TEST_F(SolverRun, AFailedSolverStartStillOffersThePostProcessors) {
  fake.files.remove(std::string(exe) + "\\VEK.exe");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.click(w, solver_button);
    EXPECT_TRUE(enabled(displacement_button));
  });
  EXPECT_EQ(fake.message_boxes.shown.at(0).text, std::string(exe) + "\\VEK.exe: Failed run!");
}

class HelpAndGuide : public Commands {};

// F1, whichever control has the focus, asks as the Help button does.
TEST_F(HelpAndGuide, HelpPrefersTheNewerFileAndPassesItUnquoted) {
  fake.files.add_file("C:\\windows\\hh.exe", "");
  run([&] {
    fake.dialogs.help_key(w);
    fake.files.add_file(std::string(exe) + "\\Korvel Help.chm", "");
    fake.dialogs.click(w, help_button);
    fake.files.add_file(std::string(exe) + "\\Korvel Help 20.chm", "");
    fake.dialogs.help_key(w);
  });
  EXPECT_EQ(fake.message_boxes.shown.at(0).text,
            "Missing files: \"Korvel Help.chm or Korvel Help 20.chm\" in \"KORVEL_Installation_Directory\\Exe\\\"!\n"
            "Can Not Open Help File.");
  ASSERT_EQ(fake.processes.starts.size(), 2u);
  EXPECT_EQ(fake.processes.starts[0].application, "C:\\windows\\hh.exe");
  EXPECT_EQ(fake.processes.starts[0].command_line, " C:\\KORVEL\\Exe\\Korvel Help.chm");
  EXPECT_EQ(fake.processes.starts[1].command_line, " C:\\KORVEL\\Exe\\Korvel Help 20.chm");
}

TEST_F(HelpAndGuide, GuideOutcomes) {
  const std::string word = std::string(word_program_list[1]);
  struct Case {
    bool word, romanian_doc, english_doc, romanian_chosen;
    int answer;
    std::optional<std::string> arguments;  // nothing: no start
    std::string message;
  } cases[] = {
      {false, true, true, false, 0, std::nullopt, "WinWord Not Found!\nCan Not Open User's Guide.\nTry yourself to launch Word \nand open c:\\Brumid\\Doc\\Korvel.doc"},
      {true, true, true, true, 0, " \"C:\\KORVEL\\Doc\\Korvel-ro.doc\"", ""},
      {true, true, true, false, 0, " \"C:\\KORVEL\\Doc\\Korvel-en.doc\"", ""},
      {true, false, true, true, mb::answer_yes, " \"C:\\KORVEL\\Doc\\Korvel-en.doc\"", "Romanian Edition not available!\nWould you like to open English Edition?"},
      {true, false, true, true, mb::answer_no, std::nullopt, "Romanian Edition not available!\nWould you like to open English Edition?"},
      {true, true, false, false, mb::answer_yes, " \"C:\\KORVEL\\Doc\\Korvel-ro.doc\"", "English Edition not available!\nWould you like to open Romanian Edition?"},
      {true, false, false, false, mb::answer_ok, " ", "Missing files: \"Korvel-ro.doc & Korvel-en.doc\" in \"KORVEL_Installation_Directory\\Doc\\\"!\nCan Not Open User's Guide.\nTry to locate yourself the above files."},
      {true, false, false, false, mb::answer_cancel, std::nullopt, "Missing files: \"Korvel-ro.doc & Korvel-en.doc\" in \"KORVEL_Installation_Directory\\Doc\\\"!\nCan Not Open User's Guide.\nTry to locate yourself the above files."},
  };
  for (const Case& c : cases) {
    fake::FakeLauncher row;
    fake::FakePlatform& f = row.fake;
    if (c.word) f.files.add_file(word, "");
    f.files.add_file(std::string(word_program_list[4]), "");  // a later path: never the one used
    if (!c.word) f.files.remove(std::string(word_program_list[4]));
    if (c.romanian_doc) f.files.add_file("C:\\KORVEL\\Doc\\Korvel-ro.doc", "");
    if (c.english_doc) f.files.add_file("C:\\KORVEL\\Doc\\Korvel-en.doc", "");
    row.run([&] {
      if (c.romanian_chosen) f.dialogs.select(row.w, language_list, 1);
      row.state.project.romanian_output = !c.romanian_chosen;
      if (c.answer) f.message_boxes.answers = {c.answer};
      f.dialogs.click(row.w, users_guide_button);
      EXPECT_EQ(row.state.project.romanian_output, c.word ? c.romanian_chosen : !c.romanian_chosen)
          << "read once Word is found";
      f.message_boxes.answers = {mb::answer_no};
    });
    const std::string label = c.message.substr(0, 20) + (c.arguments ? *c.arguments : "-");
    if (c.arguments) {
      ASSERT_EQ(f.processes.starts.size(), 1u) << label;
      EXPECT_EQ(f.processes.starts[0].application, word) << label;
      EXPECT_EQ(f.processes.starts[0].command_line, *c.arguments) << label;
    } else {
      EXPECT_TRUE(f.processes.starts.empty()) << label;
    }
    if (!c.message.empty()) {
      EXPECT_EQ(f.message_boxes.shown.at(0).text, c.message) << label;
    }
  }
}

TEST_F(HelpAndGuide, TheGuideCommandSetsTheSolversLanguage) {
  install({"VEK.exe"});
  fake.files.add_file(std::string(word_program_list[0]), "");
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  fake.files.add_file("C:\\Jobs\\frame.inc", "");
  fake.files.add_file("C:\\KORVEL\\Exe\\work_dir.dat", "D:\\W\r\n");
  fake.files.add_file("D:\\W\\ComVek.dat", "Romanian\r\n");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");  // language text read again: Romanian
    state.project.romanian_output = false;
    fake.dialogs.click(w, users_guide_button);
    fake.dialogs.click(w, solver_button);
    EXPECT_EQ(last_start().command_line.back(), 'R');
  });
}

}  // namespace
}  // namespace korvel
