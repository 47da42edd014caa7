// The end of a run: which programs are offered, what plays, what goes.
#include "app/shutdown.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvel
