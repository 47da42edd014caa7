#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "settings/settings_store.h"
#include "tools/package_programs.h"

namespace korvel {
namespace {

TEST(Directories, FollowTheStartFolder) {
  struct Case {
    std::optional<std::string> current;
    std::string root, wav, icons, data, doc;
  } cases[] = {
      {"D:\\KORVEL\\Exe", "D:\\KORVEL", "D:\\KORVEL\\Exe\\Wav\\", "D:\\KORVEL\\Exe\\Uir\\", "D:\\KORVEL\\Dat\\",
       "D:\\KORVEL\\Doc"},
      // A drive's root: the root is C: and the sound and icon folders get a doubled backslash.
      {"C:\\", "C:", "C:\\\\Wav\\", "C:\\\\Uir\\", "C:\\Dat\\", "C:\\Doc"},
      {"\\\\server\\share\\Exe", "\\\\server\\share", "\\\\server\\share\\Exe\\Wav\\",
       "\\\\server\\share\\Exe\\Uir\\", "\\\\server\\share\\Dat\\", "\\\\server\\share\\Doc"},
      {"C:\\Program Files\\K 2020\\Exe", "C:\\Program Files\\K 2020", "C:\\Program Files\\K 2020\\Exe\\Wav\\",
       "C:\\Program Files\\K 2020\\Exe\\Uir\\", "C:\\Program Files\\K 2020\\Dat\\",
       "C:\\Program Files\\K 2020\\Doc"},
      // No current directory: every value is formed from the blank one; the guide's folder is a relative Doc.
      {std::nullopt, "", "\\Wav\\", "\\Uir\\", "\\Dat\\", "Doc"},
  };
  for (const Case& c : cases) {
    const Directories d =
        directories_from(c.current ? std::optional<std::string_view>(*c.current) : std::nullopt);
    const std::string label = c.current.value_or("(none)");
    EXPECT_EQ(d.start_directory, std::string_view(c.current.value_or(""))) << label;
    EXPECT_EQ(d.install_root, std::string_view(c.root)) << label;
    EXPECT_EQ(d.wav_directory, std::string_view(c.wav)) << label;
    EXPECT_EQ(d.icon_directory, std::string_view(c.icons)) << label;
    EXPECT_EQ(d.data_directory, std::string_view(c.data)) << label;
    EXPECT_EQ(d.doc_directory, std::string_view(c.doc)) << label;
  }
}

class StartUp : public fake::LauncherTest {
 protected:
  void leave() override { fake.dialogs.escape(w); }  // the user closes the main dialog at once
};

TEST_F(StartUp, SettingsFilesLieInTheStartFolder) {
  fake.files.current = "C:\\";
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(fake.files.content("C:\\Sound.dat"), " T\r\n");
  EXPECT_TRUE(fake.files.has("C:\\recent.dat"));
  EXPECT_EQ(state.directories.wav_directory, "C:\\\\Wav\\");
}

TEST_F(StartUp, WithoutACurrentDirectoryStillEndsNormally) {
  fake.files.current_directory_fails = true;
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(state.directories.start_directory.is_blank());
  EXPECT_TRUE(fake.message_boxes.shown.empty());
}

TEST_F(StartUp, LaunchTableIsEmptied) {
  start_up(state, 1);
  state.tools.launch_table.launch_count = 7;
  state.tools.launch_table.records[3].process_handle = 42;
  state.tools.launch_table.records[3].launch_state = LaunchState::started;
  state.tools.launch_table.records[3].program_path = PathText("C:\\x.exe");
  start_up(state, 1);
  EXPECT_EQ(state.tools.launch_table.launch_count, 0u);
  for (const LaunchRecord& record : state.tools.launch_table.records) {
    EXPECT_EQ(record.process_handle, 0u);
    EXPECT_EQ(record.launch_state, LaunchState::prepared);
    EXPECT_TRUE(record.program_path.is_blank());
  }
}

TEST_F(StartUp, StartUpLanguageReachesLanguageDatAndGoesAtExit) {
  fake.files.add_file("C:\\KORVEL\\Exe\\work_dir.dat", "D:\\Work\r\n");
  fake.files.add_file("D:\\Work\\ComVek.dat", "first\r\nromanian run\r\n");
  std::vector<std::string> language_writes;
  fake.files.fail = [&](fake::Operation op, std::string_view path) {
    if (op == fake::Operation::move && path == "language.dat")
      language_writes.push_back(*fake.files.content("language.dat.tmp"));
    return false;
  };
  run();
  ASSERT_EQ(language_writes.size(), 1u);
  EXPECT_EQ(language_writes[0], "romanian run        \r\n");  // the text as read, 20 characters
  EXPECT_FALSE(fake.files.has("C:\\KORVEL\\Exe\\language.dat"));
}

// The user's settings reach the disk at once; language.dat, rewritten at every
// name change and gone at exit, is left to the system's cache.
TEST_F(StartUp, OnlyLanguageDatIsLeftToTheSystemsCache) {
  EXPECT_EQ(run(), 0);
  const auto how = [&](std::string_view path) { return fake.files.durability.at(fake.files.key(path)); };
  EXPECT_EQ(how("C:\\KORVEL\\Exe\\Sound.dat.tmp"), Durability::durable);
  EXPECT_EQ(how("C:\\KORVEL\\Exe\\Sound.dat"), Durability::durable);
  EXPECT_EQ(how("C:\\KORVEL\\Exe\\recent.dat"), Durability::durable);
  EXPECT_EQ(how("language.dat.tmp"), Durability::scratch);
  EXPECT_EQ(how("language.dat"), Durability::scratch);
}

// A write that fails half-way or a move that never happens leaves the old file whole.
TEST_F(StartUp, FailedReplacementKeepsTheOldFile) {
  fake.files.add_file("C:\\KORVEL\\Exe\\Sound.dat", " F\r\n");
  for (fake::Operation failing : {fake::Operation::write, fake::Operation::move}) {
    fake.files.fail = [&](fake::Operation op, std::string_view) { return op == failing; };
    EXPECT_FALSE(replace_file_contents(fake.files, "C:\\KORVEL\\Exe\\Sound.dat", " T\r\n", Durability::durable));
    EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " F\r\n");
    EXPECT_FALSE(fake.files.has("C:\\KORVEL\\Exe\\Sound.dat.tmp"));
  }
  fake.files.fail = nullptr;
  EXPECT_TRUE(replace_file_contents(fake.files, "C:\\KORVEL\\Exe\\Sound.dat", " T\r\n", Durability::durable));
  EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " T\r\n");
}

TEST_F(StartUp, EveryWriteFailingStillStartsWithTheSwitchOn) {
  fake.files.fail = [](fake::Operation, std::string_view) { return true; };
  EXPECT_EQ(run(), 0);
  EXPECT_FALSE(fake.windows.ran_dry);
  EXPECT_TRUE(state.settings.sound_on);
  for (const PathText& entry : state.settings.recent_files) EXPECT_TRUE(entry.is_blank());
  EXPECT_FALSE(fake.files.has("C:\\KORVEL\\Exe\\Sound.dat"));
  EXPECT_TRUE(fake.message_boxes.shown.empty());
}

// Memory running out (a settings file too large to hold, say) anywhere in the
// start-up, the welcome window's paint and sound among it: the welcome window
// is gone before the start-up error shows, the settings files stay as they
// were, and the run ends with 0.
TEST(StartUpFailure, AnythingThrownEndsTheRunWithTheStartUpError) {
  const std::string recent = "C:\\Jobs\\a.dat\r\n";
  for (const std::string_view thrown_at : {"Sound.dat", "language.dat", "KorvelWelcome.wav"}) {
    fake::FakeLauncher row;
    fake::FakePlatform& fake = row.fake;
    fake.files.add_file("C:\\KORVEL\\Exe\\Sound.dat", " T\r\n");
    fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", recent);
    fake.files.fail = [&](fake::Operation, std::string_view path) -> bool {
      if (path.find(thrown_at) != std::string_view::npos) throw std::bad_alloc();
      return false;
    };
    fake.sound.playing = [&](std::string_view path) {
      if (path.find(thrown_at) != std::string_view::npos) throw std::bad_alloc();
    };
    bool welcome_window_at_box = true;
    fake.message_boxes.while_open = [&] { welcome_window_at_box = fake.windows.welcome.at(row.state.ui.splash.window).alive; };
    EXPECT_EQ(run_launcher(row.state, 1), 0) << thrown_at;
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u) << thrown_at;
    EXPECT_EQ(fake.message_boxes.shown[0].text, "Error initializing application Korvel");
    EXPECT_EQ(fake.message_boxes.shown[0].caption, "Error");
    EXPECT_FALSE(welcome_window_at_box) << thrown_at;
    EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\Sound.dat"), " T\r\n") << thrown_at;
    EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\recent.dat"), recent) << thrown_at;
  }
}

TEST_F(StartUp, LongComVekIsReadFromItsEnd) {
  std::string comvek;
  for (int i = 0; i < 100000; ++i) comvek += "English\r\n";
  comvek += "Romanian\r\n";
  fake.files.add_file("C:\\KORVEL\\Exe\\work_dir.dat", "D:\\Work\r\n");
  fake.files.add_file("D:\\Work\\ComVek.dat", comvek);
  EXPECT_EQ(language_from_work_dir(fake.files), "Romanian");
  EXPECT_LE(fake.files.range_reads, 2u);
}

TEST(PackagePrograms, EveryButtonStartsOneProgram) {
  for (const PackageProgram& program : package_programs) {
    EXPECT_EQ(package_program_for(program.control_id)->name, program.name);
    EXPECT_EQ(program.has_variant, program.name != "Tasprel") << program.name;
  }
  EXPECT_FALSE(package_program_for(view_edit_button));  // View / Edit starts the platform's editor
}

}  // namespace
}  // namespace korvel
