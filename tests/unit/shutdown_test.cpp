// The end of a run: which programs are offered, what plays, what goes.
#include "app/shutdown.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "launcher_fixture.h"

namespace korvel {
namespace {

TEST(ExitPrompt, CountsInTwoColumns) {
  EXPECT_EQ(exit_prompt_text(1), "1 Program Is Still Running!\nWould You Like to Terminate It?");
  EXPECT_EQ(exit_prompt_text(3), "3  Programs Are Still Running!\nWould You Like to Terminate Them?");
  EXPECT_EQ(exit_prompt_text(12), "12 Programs Are Still Running!\nWould You Like to Terminate Them?");
  EXPECT_EQ(exit_prompt_text(99), "99 Programs Are Still Running!\nWould You Like to Terminate Them?");
  EXPECT_EQ(exit_prompt_text(101), "** Programs Are Still Running!\nWould You Like to Terminate Them?");
  EXPECT_EQ(exit_prompt_sound(1), "Running-1.wav");
  EXPECT_EQ(exit_prompt_sound(2), "Running-2.wav");
}

class ShutDown : public fake::LauncherTest {
 protected:
  void SetUp() override {
    fake.files.add_file("C:\\KORVEL\\Exe\\PUNA.exe", "");
    start_up(state, 1);
    fake.sound.played.clear();  // the welcome
  }
  // Starts `count` programs the way a command does; returns their ids.
  std::vector<std::uint32_t> start(std::size_t count, std::string_view program = "C:\\KORVEL\\Exe\\PUNA.exe") {
    std::vector<std::uint32_t> ids;
    for (std::size_t i = 0; i < count; ++i) {
      LaunchRecord& record = add_launch_record(state.tools.launch_table, program, "\t");
      const auto started = fake.processes.start(record.program_path.trimmed(), " \t");
      if (started) {
        record.launch_state = LaunchState::started;
        record.process_handle = started->handle;
        record.process_id = started->id;
        ids.push_back(started->id);
      } else {
        record.launch_state = LaunchState::start_failed;
      }
    }
    return ids;
  }
};

TEST_F(ShutDown, NothingRunningMeansNoQuestionAndTheFarewell) {
  EXPECT_EQ(shut_down(state, 0), 0);
  EXPECT_TRUE(fake.message_boxes.shown.empty());
  ASSERT_EQ(fake.sound.played.size(), 1u);
  EXPECT_EQ(fake.sound.played[0], "C:\\KORVEL\\Exe\\Wav\\GoodBye.wav");
}

TEST_F(ShutDown, YesEndsEveryRunningProgramThenTheFarewellPlays) {
  for (std::size_t count : {1u, 3u, 12u, 101u, 150u}) {
    fake.message_boxes.shown.clear();
    fake.sound.played.clear();
    fake.processes.terminated.clear();
    start_up(state, 1);
    fake.sound.played.clear();
    fake.events.clear();
    const auto ids = start(count);
    fake.message_boxes.answers = {mb::answer_yes};
    shut_down(state, 0);
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(fake.message_boxes.shown[0].text, exit_prompt_text(count));
    EXPECT_EQ(fake.message_boxes.shown[0].caption, "KORVEL Message");
    EXPECT_EQ(fake.message_boxes.shown[0].type, mb::yes_no | mb::icon_information | mb::default_button2);
    const std::string wav = "sound C:\\KORVEL\\Exe\\Wav\\";
    EXPECT_EQ(fake.events, (std::vector<std::string>{wav + std::string(exit_prompt_sound(count)),
                                                     "box KORVEL Message", wav + "GoodBye.wav"}))
        << "the cue before the question, the farewell after it";
    EXPECT_EQ(fake.processes.terminated, ids) << "every program started is offered, also past the hundredth";
    EXPECT_TRUE(fake.processes.running.empty());
  }
}

TEST_F(ShutDown, NoOrAClosedBoxLeavesThemRunningWithoutTheFarewell) {
  // A box closed with its close button or Escape answers Cancel: as No.
  for (int answer : {mb::answer_no, mb::answer_cancel}) {
    start_up(state, 1);
    fake.sound.played.clear();
    fake.processes.running.clear();
    start(3);
    fake.message_boxes.answers = {answer};
    shut_down(state, 0);
    EXPECT_TRUE(fake.processes.terminated.empty()) << answer;
    EXPECT_EQ(fake.processes.running.size(), 3u) << answer;
    EXPECT_EQ(fake.sound.names(), (std::vector<std::string>{"Running-2.wav"})) << answer;
  }
}

TEST_F(ShutDown, OnlyProgramsStillRunningAreCountedAndEnded) {
  const auto ids = start(4);
  start(1, "C:\\KORVEL\\Exe\\Missing.exe");  // a failed start
  fake.processes.running.erase(ids[1]);        // ended by the user
  fake.processes.running.erase(ids[3]);
  fake.message_boxes.answers = {mb::answer_yes};
  shut_down(state, 0);
  EXPECT_EQ(fake.message_boxes.shown.at(0).text, exit_prompt_text(2));
  EXPECT_EQ(fake.processes.terminated, (std::vector<std::uint32_t>{ids[0], ids[2]}));
}

TEST_F(ShutDown, ProcessesThatCannotBeOpenedCountAsEnded) {
  start(2);
  fake.processes.fail = [](fake::Operation op, std::string_view) { return op == fake::Operation::exit_code; };
  shut_down(state, 0);
  EXPECT_TRUE(fake.message_boxes.shown.empty());
  EXPECT_TRUE(fake.processes.terminated.empty());
}

TEST_F(ShutDown, WithTheSwitchOffNothingPlaysAndTheQuestionIsTheSame) {
  state.settings.sound_on = false;
  start(1);
  shut_down(state, 0);
  EXPECT_TRUE(fake.sound.played.empty());
  EXPECT_EQ(fake.message_boxes.shown.at(0).text, exit_prompt_text(1));
}

TEST_F(ShutDown, EveryLanguageDatOfTheRunGoesUnlessProtected) {
  write_language_file(fake.files, LanguageText("English"), state.settings.language_files);
  fake.files.current = "D:\\Data";
  write_language_file(fake.files, LanguageText("English"), state.settings.language_files);
  fake.files.current = "E:\\Kept";
  write_language_file(fake.files, LanguageText("English"), state.settings.language_files);
  fake.files.set_read_only("E:\\Kept\\language.dat");
  fake.files.current = "F:\\Elsewhere";
  fake.files.add_file("F:\\Elsewhere\\other.dat", "keep");
  fake.message_boxes.answers = {mb::answer_no};
  shut_down(state, 0);
  EXPECT_FALSE(fake.files.has("C:\\KORVEL\\Exe\\language.dat"));
  EXPECT_FALSE(fake.files.has("D:\\Data\\language.dat"));
  EXPECT_TRUE(fake.files.has("E:\\Kept\\language.dat"));
  EXPECT_TRUE(fake.files.has("F:\\Elsewhere\\other.dat"));
}

// Thrown after start-up, from a routine of the main dialog or of a dialog it
// runs modally: the main dialog goes, a true message says why the Launcher
// ends, and the shutdown runs as after the exit button; its question is really
// asked (no quit message left waiting ends it) and the run ends with 0.
TEST(InternalError, ThrownAfterStartUpEndsTheRunThroughTheShutdown) {
  struct Row {
    const char* where;
    bool from_recent_dialog;  // else from a program's start, a main dialog button's routine
  } rows[] = {{"a main dialog button", false}, {"the Recent Dialog's list", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.where);
    fake::FakeLauncher launcher;
    fake::FakePlatform& f = launcher.fake;
    const NativeWindow& w = launcher.w;
    f.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\A.dat\r\nC:\\B.dat\r\n");
    f.files.add_file("C:\\KORVEL\\Exe\\LORIM.exe", "");
    f.files.add_file("C:\\C.dat", "");
    f.files.add_file("C:\\A.dat", "");
    int starts = 0;
    f.processes.fail = [&](fake::Operation op, std::string_view) -> bool {
      if (op == fake::Operation::start && ++starts == 2) throw std::bad_alloc();
      return false;
    };
    f.files.looking = [&](std::string_view path) {
      if (row.from_recent_dialog && path == "C:\\A.dat") throw std::runtime_error("in the Recent Dialog");
    };
    NativeWindow recent = 0;
    bool main_dialog_at_box = true;
    f.message_boxes.while_open = [&] { main_dialog_at_box = f.dialogs.windows.at(w).open; };

    launcher.run([&] {
      f.dialogs.type(w, geometry_edit, "C:\\C.dat");
      f.dialogs.click(w, structure_graph_button);  // runs on to the end
      if (!row.from_recent_dialog) {
        f.dialogs.click(w, select_recent_button);  // closed at once; puts C:\C.dat in front
        f.dialogs.click(w, structure_graph_button);
      } else {
        f.dialogs.modal_scripts.push_back([&](NativeWindow window) {
          recent = window;
          f.dialogs.select(window, recent_list, 1);
        });
        f.dialogs.click(w, select_recent_button);
      }
      ADD_FAILURE() << "the routine went on after the throw";
    });

    ASSERT_EQ(f.message_boxes.shown.size(), 2u);
    EXPECT_EQ(f.message_boxes.shown[0].text, "An internal error has occurred.\nKORVEL Launcher will now close.");
    EXPECT_EQ(f.message_boxes.shown[0].caption, "KORVEL Message");
    EXPECT_EQ(f.message_boxes.shown[0].type, mb::ok | mb::icon_error);
    EXPECT_FALSE(main_dialog_at_box);
    EXPECT_EQ(f.message_boxes.shown[1].text, "1 Program Is Still Running!\nWould You Like to Terminate It?");
    EXPECT_EQ(f.processes.terminated.size(), 1u) << "the question was answered Yes";
    EXPECT_EQ(f.sound.names().back(), "GoodBye.wav");
    if (row.from_recent_dialog) {
      EXPECT_FALSE(f.dialogs.windows.at(recent).open);
    }
    EXPECT_EQ(f.files.content("C:\\KORVEL\\Exe\\recent.dat"), "C:\\C.dat\r\nC:\\A.dat\r\nC:\\B.dat\r\n") << "saved";
    EXPECT_FALSE(f.files.has("C:\\KORVEL\\Exe\\language.dat"));
    EXPECT_TRUE(launcher.state.main_dialog.controls.empty()) << "the record is freed";
    EXPECT_EQ(launcher.state.dialogs.running(), nullptr);
    EXPECT_EQ(launcher.state.dialogs.running_modal(), nullptr);
  }
}

// A throw in the shutdown itself ends the run there, with 0: one message at
// most, and never a second shutdown that would ask its question again.
TEST(InternalError, ThrownInTheShutdownEndsTheRunThere) {
  for (const bool thrown_before : {false, true}) {
    SCOPED_TRACE(thrown_before ? "in the shutdown after an internal error" : "in the shutdown after E X I T");
    fake::FakeLauncher launcher;
    fake::FakePlatform& f = launcher.fake;
    f.files.add_file("C:\\KORVEL\\Exe\\LORIM.exe", "");
    int starts = 0;
    f.processes.fail = [&](fake::Operation op, std::string_view) -> bool {
      if (op == fake::Operation::start && ++starts == 2) throw std::bad_alloc();
      return false;
    };
    f.sound.playing = [](std::string_view path) {
      if (path.ends_with("GoodBye.wav")) throw std::bad_alloc();
    };
    launcher.run([&] {
      f.dialogs.click(launcher.w, structure_graph_button);
      if (thrown_before) f.dialogs.click(launcher.w, structure_graph_button);
    });
    ASSERT_EQ(f.message_boxes.shown.size(), 2u);
    const std::size_t question = thrown_before ? 1 : 0;
    EXPECT_EQ(f.message_boxes.shown[question].text, "1 Program Is Still Running!\nWould You Like to Terminate It?");
    EXPECT_EQ(f.message_boxes.shown[1 - question].text,
              "An internal error has occurred.\nKORVEL Launcher will now close.");
    EXPECT_EQ(f.processes.terminated.size(), 1u);
  }
}

}  // namespace
}  // namespace korvel
