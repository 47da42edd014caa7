// The settings files as the Launcher reads and writes them at start-up and
// exit, with every kind of damaged or unusual file, on the file system under test.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "files_under_test.h"
#include "settings/records.h"
#include "settings/settings_store.h"
#include "app/launcher.h"
#include "ui/control_ids.h"

namespace korvel {

using namespace main_dialog_ids;
using namespace recent_dialog_ids;
namespace {

// The text in UTF-16 after its byte-order mark, as an editor saves it.
std::string utf16_file(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string blank_recent_file() {
  std::string text;
  for (int i = 0; i < 5; ++i) text += std::string(260, ' ') + "\r\n";
  return text;
}

class SettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    under_test_ = testing::make_files_under_test();
    dir_ = under_test_->folder();
  }

  FileSystem& files() { return under_test_->files(); }
  std::string at(std::string_view name) const { return dir_ + "\\" + std::string(name); }
  void put(std::string_view name, std::string_view content) {
    ASSERT_TRUE(files().write_file(at(name), content, Durability::durable));
  }
  std::optional<std::string> get(std::string_view name) { return files().read_file_range(at(name), 0, SIZE_MAX); }

  // A whole run of the Launcher on these files, the user closing it at once.
  void run() {
    fake::FakeNativeDialogs dialogs;
    fake::FakeWindows windows(files(), dialogs);
    fake::FakeFileDialogs file_dialogs(fake_files_);
    fake::FakeRunningLaunchers launchers;
    Platform platform{files(), boxes_, sound_, processes_, windows, dialogs, file_dialogs, launchers};
    LauncherState state(platform);
    windows.user_actions.push_back([&] { dialogs.escape(dialogs.find(main_dialog_template)); });
    EXPECT_EQ(run_launcher(state, 1), 0);
    EXPECT_FALSE(windows.ran_dry);
    sound_on_ = state.settings.sound_on;
    recent_files_ = state.settings.recent_files;
  }

  // No temporary file may be left beside a settings file.
  void expect_no_leftovers() {
    for (std::string_view name : {"Sound.dat", "recent.dat", "language.dat"})
      EXPECT_FALSE(files().file_exists(at(std::string(name) + ".tmp"))) << name;
  }

  std::unique_ptr<testing::FilesUnderTest> under_test_;
  std::string dir_;
  fake::FakeMessageBoxes boxes_;
  fake::FakeSound sound_;
  fake::FakeFileSystem fake_files_;
  fake::FakeProcesses processes_{fake_files_};
  bool sound_on_ = false;
  RecentFiles recent_files_;
};

TEST_F(SettingsFiles, FirstStartCreatesThemAndASecondStartKeepsThem) {
  run();
  EXPECT_TRUE(sound_on_);
  EXPECT_EQ(get("Sound.dat"), " T\r\n");
  EXPECT_EQ(get("recent.dat"), blank_recent_file());
  EXPECT_FALSE(get("language.dat")) << "language.dat belongs to the run and is deleted at exit";
  expect_no_leftovers();

  run();
  EXPECT_EQ(get("Sound.dat"), " T\r\n");
  EXPECT_EQ(get("recent.dat"), blank_recent_file());
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(SettingsFiles, SoundSwitchFromAnySoundDat) {
  struct Case {
    std::string content;
    bool sound_on;
  } cases[] = {
      {" T\r\n", true},
      {" F\r\n", false},
      {"", true},                               // empty: on
      {std::string("\x89PNG\0\x01\xff", 7), true},  // binary: on
      {" T", true},                              // no line end
      {" F\n", false},                           // LF only
      {"  .t\r\n", true},
      {"F", false},
      {std::string(1 << 20, ' ') + "\r\n", true},  // a 1 MiB line of blanks
      {std::string(1 << 20, 'F'), false},
      {std::string(record_read_limit, ' ') + "F", true},  // nothing past the first 64 KiB is read
  };
  for (const Case& c : cases) {
    put("Sound.dat", c.content);
    run();
    EXPECT_EQ(sound_on_, c.sound_on) << c.content.substr(0, 10);
    // Rewritten on every start, which also mends a file that held no value.
    EXPECT_EQ(get("Sound.dat"), c.sound_on ? " T\r\n" : " F\r\n") << c.content.substr(0, 10);
  }
  expect_no_leftovers();
}

TEST_F(SettingsFiles, ReadOnlySoundDatIsReadAndLeftAlone) {
  put("Sound.dat", "  .f");
  under_test_->make_read_only(at("Sound.dat"));
  run();
  EXPECT_FALSE(sound_on_);
  EXPECT_EQ(get("Sound.dat"), "  .f");
  EXPECT_TRUE(boxes_.shown.empty());
  expect_no_leftovers();
}

TEST_F(SettingsFiles, SettingsFilesThatAreFoldersChangeNothingElse) {
  under_test_->make_folder(at("Sound.dat"));
  under_test_->make_folder(at("recent.dat"));
  put("unrelated.txt", "keep me");
  run();
  EXPECT_TRUE(sound_on_);
  for (const PathText& entry : recent_files_) EXPECT_TRUE(entry.is_blank());
  EXPECT_FALSE(files().file_exists(at("Sound.dat")));
  EXPECT_EQ(get("unrelated.txt"), "keep me");
  EXPECT_TRUE(boxes_.shown.empty());
  expect_no_leftovers();
}

TEST_F(SettingsFiles, RecentListLoadedFromAnyRecentDat) {
  const std::string nul_name = std::string("C:\\a\0b.dat", 10);
  std::string long_accented_name = "C:\\";
  for (int i = 0; i < 120; ++i) long_accented_name += "é";
  long_accented_name += std::string(101, 'x') + ".dat";
  struct Case {
    std::string content;
    std::vector<std::string> entries;  // the first entries; the rest blank
  } cases[] = {
      {"", {}},
      {"C:\\one.dat\r\nC:\\two.dat\r\n", {"C:\\one.dat", "C:\\two.dat"}},
      {"1\r\n2\r\n3\r\n4\r\n5\r\n", {"1", "2", "3", "4", "5"}},
      {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", {"1", "2", "3", "4", "5"}},
      {"1\n2\n3", {"1", "2", "3"}},  // LF only, last line without line end
      {nul_name + "\r\n", {nul_name}},
      {std::string(300, 'x') + "\r\n", {std::string(260, 'x')}},
      // A record longer than 64 KiB is no name: it stands as a blank entry, and the
      // records after it keep their places and their text.
      {std::string(record_read_limit, 'x') + "\r\n2\r\n", {"", "2"}},
      {std::string(3 * record_read_limit, 'x') + "\n2\n3\n4\n5\n", {"", "2", "3", "4", "5"}},
      {std::string(record_read_limit - 5, 'y') + "\r\nC:\\across the first 64 KiB.dat\r\n",
       {std::string(260, 'y'), "C:\\across the first 64 KiB.dat"}},
      {utf16_file(u"Z\r\n" + std::u16string(record_read_limit, u'x') + u"\r\ny\r\n", false), {"Z", "", "y"}},
      // Nothing past the first 16 MiB is looked at.
      {"a\r\n" + std::string(record_look_limit, 'x') + "\r\nb\r\n", {"a"}},
      // Names in the system's code page (as an older Launcher wrote them) and in UTF-8.
      {"C:\\Proiecte\\caf\xE9.dat\r\nC:\\Cl\xC4\x83" "dire \xC8\x98tefan\\turn.dat\r\n",
       {"C:\\Proiecte\\café.dat", "C:\\Clădire Ștefan\\turn.dat"}},
      // Bytes of the system's code page that happen to form UTF-8 of characters it holds.
      {"C:\\Jobs\\Bar\xC3\xA9.dat\r\n", {"C:\\Jobs\\BarÃ©.dat"}},
      // An older Launcher's entry of 228 characters, accented: whole, as the
      // field counts characters.
      {"C:\\" + std::string(120, '\xE9') + std::string(101, 'x') + ".dat\r\n", {long_accented_name}},
      {"\xEF\xBB\xBF" "C:\\one.dat\r\nC:\\two.dat\r\n", {"C:\\one.dat", "C:\\two.dat"}},  // UTF-8 mark
      {utf16_file(u"C:\\Ștefan.dat\r\nC:\\b.dat\r\n", false), {"C:\\Ștefan.dat", "C:\\b.dat"}},
      {utf16_file(u"Z\r\ny\r\n", true), {"Z", "y"}},
  };
  for (const Case& c : cases) {
    put("recent.dat", c.content);
    run();
    for (std::size_t i = 0; i < recent_file_count; ++i) {
      const std::string expected = i < c.entries.size() ? c.entries[i] : "";
      EXPECT_EQ(recent_files_[i], std::string_view(expected)) << c.content.substr(0, 20) << " entry " << i;
    }

  }
}

TEST_F(SettingsFiles, SavingTheRecentList) {
  put("recent.dat", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  run();
  const Directories dirs = directories_from(dir_);
  save_recent_list(files(), dirs, recent_files_);
  EXPECT_EQ(get("recent.dat"), "1\r\n2\r\n3\r\n4\r\n5\r\n") << "the last two lines are gone";

  RecentFiles entries;
  entries[0] = ".dat";
  entries[1] = "C:\\b.dat";
  entries[3] = std::string("C:\\d.dat\0x", 10);
  save_recent_list(files(), dirs, entries);
  EXPECT_EQ(get("recent.dat"), "C:\\b.dat\r\nC:\\d.dat\r\n");

  // Names the system's code page can't all hold: the UTF-8 mark, then UTF-8.
  entries = RecentFiles();
  entries[0] = "C:\\café.dat";
  entries[1] = "C:\\Clădire Ștefan\\turn.dat";
  save_recent_list(files(), dirs, entries);
  EXPECT_EQ(get("recent.dat"), "\xEF\xBB\xBF" "C:\\café.dat\r\nC:\\Clădire Ștefan\\turn.dat\r\n");
  RecentFiles back;
  load_recent_list(files(), dirs, back);
  EXPECT_EQ(back, entries);

  // Paths as long as Windows allows, in either form, come back whole.
  std::string accented = "C:\\", romanian = "C:\\";
  for (int i = 0; i < 252; ++i) accented += "é", romanian += "ș";  // 259 characters
  entries[0] = accented + ".dat";
  entries[1] = romanian + ".dat";
  save_recent_list(files(), dirs, entries);
  EXPECT_EQ(get("recent.dat"), "\xEF\xBB\xBF" + accented + ".dat\r\n" + romanian + ".dat\r\n");
  load_recent_list(files(), dirs, back);
  EXPECT_EQ(back, entries);
  EXPECT_EQ(back[0].trimmed(), accented + ".dat");

  // Removing the only entry really removes it.
  save_recent_list(files(), dirs, RecentFiles());
  EXPECT_EQ(get("recent.dat"), blank_recent_file());
  load_recent_list(files(), dirs, entries);
  for (const PathText& entry : entries) EXPECT_TRUE(entry.is_blank());
  expect_no_leftovers();
}

// Each list as the exit writes it, then as the next start reads it back. A file
// is written in the system's code page without a mark (as an older Launcher
// reads it) when every name reads back from that as itself, else with the UTF-8
// mark and in UTF-8.
TEST_F(SettingsFiles, RecentListReadsBackExactlyWhatItWrote) {
  const std::string mark = "\xEF\xBB\xBF";
  struct Case {
    std::string file;                  // recent.dat at the first start
    std::vector<std::string> entries;  // the list read, then read back
    std::string written;               // recent.dat after each exit
    std::vector<std::string> read_back = entries;  // the list the second start reads
  } cases[] = {
      {"C:\\Jobs\\frame.dat\r\n", {"C:\\Jobs\\frame.dat"}, "C:\\Jobs\\frame.dat\r\n"},  // ASCII: as ever
      // Names of the system's code page, also bytes that would be UTF-8.
      {"C:\\caf\xE9.dat\r\nC:\\Jobs\\Bar\xC3\xA9.dat\r\n", {"C:\\café.dat", "C:\\Jobs\\BarÃ©.dat"},
       "C:\\caf\xE9.dat\r\nC:\\Jobs\\Bar\xC3\xA9.dat\r\n"},
      // A name only UTF-8 holds, as the Launcher before this one wrote it, and the mix.
      {"C:\\\xC8\x98tefan.dat\r\n", {"C:\\Ștefan.dat"}, mark + "C:\\Ștefan.dat\r\n"},
      {"C:\\Jobs\\Bar\xC3\xA9.dat\r\nC:\\\xC8\x98tefan.dat\r\nC:\\caf\xE9.dat\r\n",
       {"C:\\Jobs\\BarÃ©.dat", "C:\\Ștefan.dat", "C:\\café.dat"},
       mark + "C:\\Jobs\\BarÃ©.dat\r\nC:\\Ștefan.dat\r\nC:\\café.dat\r\n"},
      // Saved by an editor with the mark: the code page holds every name.
      {mark + "C:\\Jobs\\BarÃ©.dat\r\nC:\\café.dat\r\n", {"C:\\Jobs\\BarÃ©.dat", "C:\\café.dat"},
       "C:\\Jobs\\Bar\xC3\xA9.dat\r\nC:\\caf\xE9.dat\r\n"},
      {utf16_file(u"C:\\Ștefan.dat\r\nC:\\Jobs\\BarÃ©.dat\r\n", false), {"C:\\Ștefan.dat", "C:\\Jobs\\BarÃ©.dat"},
       mark + "C:\\Ștefan.dat\r\nC:\\Jobs\\BarÃ©.dat\r\n"},
      // A record past the 64 KiB bound costs only itself.
      {std::string(2 * record_read_limit, 'x') + "\r\nC:\\b.dat\r\nC:\\c.dat\r\n", {"", "C:\\b.dat", "C:\\c.dat"},
       "C:\\b.dat\r\nC:\\c.dat\r\n", {"C:\\b.dat", "C:\\c.dat"}},
  };
  for (const Case& c : cases) {
    put("recent.dat", c.file);
    for (int start = 1; start <= 2; ++start) {
      run();
      const std::vector<std::string>& read = start == 1 ? c.entries : c.read_back;
      for (std::size_t i = 0; i < recent_file_count; ++i) {
        const std::string expected = i < read.size() ? read[i] : "";
        EXPECT_EQ(recent_files_[i], std::string_view(expected)) << c.written << " start " << start << " entry " << i;
      }
      EXPECT_EQ(get("recent.dat"), c.written) << "start " << start;
    }
  }
  expect_no_leftovers();
}

TEST_F(SettingsFiles, RecentDatThatVanishedIsWrittenAgain) {
  run();
  ASSERT_TRUE(files().delete_file(at("recent.dat")));
  RecentFiles entries;
  entries[0] = "C:\\Jobs\\frame.dat";
  save_recent_list(files(), directories_from(dir_), entries);
  EXPECT_EQ(get("recent.dat"), "C:\\Jobs\\frame.dat\r\n");
}

TEST_F(SettingsFiles, ReadOnlyRecentDatKeepsItsContents) {
  put("recent.dat", "C:\\a.dat\r\n");
  under_test_->make_read_only(at("recent.dat"));
  RecentFiles entries;
  entries[0] = "C:\\other.dat";
  save_recent_list(files(), directories_from(dir_), entries);
  EXPECT_EQ(get("recent.dat"), "C:\\a.dat\r\n");
  expect_no_leftovers();
}

TEST_F(SettingsFiles, StartUpLanguageFromTheWorkingDirectory) {
  const std::string work = dir_ + "\\work";
  under_test_->make_folder(work);
  const std::string accented = dir_ + "\\\xC3\x89tudes";  // "Études", in UTF-8
  under_test_->make_folder(accented);
  struct Case {
    std::optional<std::string> work_dir;  // content of work_dir.dat; nothing: no file
    std::optional<std::string> comvek;    // content of ComVek.dat in both folders; nothing: no file
    std::string language;
  } cases[] = {
      {std::nullopt, "Romanian\r\n", "English"},
      {"", "Romanian\r\n", "English"},                        // empty work_dir.dat
      {dir_ + "\\missing\r\n", std::nullopt, "English"},      // names a missing folder
      {std::string(300, 'w') + "\r\n", std::nullopt, "English"},  // over 260 characters
      {work + "\r\n", std::nullopt, "English"},
      {work + "\r\n", "", "English"},                          // empty ComVek.dat
      {work + "\r\n", "Romanian\r\n", "Romanian"},             // one record
      {work + "\r\n", "English\r\nRomanian\r\n", "Romanian"},
      {work + "\r\n", "Romanian\r\nEnglish", "English"},       // last line without line end
      {work + "\r\n", "Romanian\r\n\r\n", ""},                  // last record empty: blank text
      {work + "\nsecond record\n", "Romanian and the rest of a long record\n", "Romanian and the res"},
      {work + "\r\n", std::string(1 << 20, 'x') + "\r\nRomanian\r\n", "Romanian"},
      // A last record that starts before the last 64 KiB is not looked for.
      {work + "\r\n", "Romanian\r\n" + std::string(record_read_limit, 'x'), "English"},
      // The path in the system's code page or in UTF-8; the language text byte for byte.
      {dir_ + "\\\xC9tudes\r\n", "Romanian\r\n", "Romanian"},
      {accented + "\r\n", "Rom\xE2n\xE3 and the rest\r\n", "Rom\xE2n\xE3 and the rest"},
      // Cut before a character the 20th byte would split.
      {work + "\r\n", "Romanian and more tș\r\n", "Romanian and more t"},
      {work + "\r\n", "Romana 123456789012ă\r\n", "Romana 123456789012"},
  };
  for (const Case& c : cases) {
    files().delete_file(at("work_dir.dat"));
    for (const std::string& folder : {work, accented}) {
      files().delete_file(folder + "\\ComVek.dat");
      if (c.comvek) {
        ASSERT_TRUE(files().write_file(folder + "\\ComVek.dat", *c.comvek, Durability::durable));
      }
    }
    if (c.work_dir) put("work_dir.dat", *c.work_dir);
    EXPECT_EQ(language_from_work_dir(files()), std::string_view(c.language))
        << c.work_dir.value_or("(none)").substr(0, 40) << " / " << c.comvek.value_or("(none)");
  }
}

TEST_F(SettingsFiles, LanguageFileIsTwentyCharactersInTheCurrentDirectory) {
  LanguageFileTrail trail;
  write_language_file(files(), LanguageText("Romanian"), trail);
  EXPECT_EQ(get("language.dat"), "Romanian            \r\n");
  write_language_file(files(), LanguageText(""), trail);
  EXPECT_EQ(get("language.dat"), std::string(20, ' ') + "\r\n");
  // ComVek.dat's text cut before a character it would split (ă is C4 83).
  write_language_file(files(), language_from_record("Romana 123456789012ă"), trail);
  EXPECT_EQ(get("language.dat"), "Romana 123456789012 \r\n");
  EXPECT_EQ(trail.folders.size(), 1u);
  delete_language_files(files(), trail);
  EXPECT_FALSE(files().file_exists(at("language.dat")));
  delete_language_files(files(), trail);  // a missing file is no error
  expect_no_leftovers();
}

}  // namespace
}  // namespace korvel
