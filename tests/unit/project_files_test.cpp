// Naming an analysis: typed names, chosen files, the recent list and the File
// list, driven through the main dialog on the fake platform.
#include "project/project_files.h"

#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "project/recent_files.h"

namespace korvel {
namespace {

TEST(DeriveName, FromTheFirstFullStopOfTheWholeName) {
  struct Case {
    const char* name;
    const char* output;
  } cases[] = {
      {"C:\\Work\\frame.dat", "C:\\Work\\frame.rez"},
      {"C:\\Work.2020\\frame.dat", "C:\\Work.rez"},  // a dotted folder: the package derives names this way
      {"C:\\My.Jobs\\frame.dat", "C:\\My.rez"},
      {"frame", ".rez"},
      {".dat", ".rez"},
      {"\\.dat", "\\.rez"},
      {"", ".rez"},
      {"a.b.c", "a.rez"},
  };
  for (const Case& c : cases) EXPECT_EQ(derive_name(PathText(c.name), ".rez"), c.output) << c.name;
  const PathText full(std::string(258, 'x') + ".dat");
  EXPECT_EQ(derive_name(full, ".inc").padded(), std::string(258, 'x') + ".i") << "cut at 260";
}

// The package's programs read Latin-1 here; C: makes short names, D: none.
TEST(DeriveName, TheOutputFileTheSolverWritesForAShortNamedGeometryFile) {
  fake::FakeFileSystem files;
  files.without_short_names = {"D:\\"};
  for (const char* made : {"C:\\Work\\ștefan.dat", "C:\\Ștefan\\frame.dat", "C:\\Ștefan\\ștefan.dat",
                           "C:\\Ștefan.x\\frame.dat", "C:\\Work\\ștefan", "C:\\Work\\Café.dat", "D:\\ștefan.dat",
                           "C:\\Work\\frame.dat"})
    files.add_file(made, "");
  struct Case {
    const char* geometry;
    const char* output;
  } cases[] = {
      {"C:\\Work\\ștefan.dat", "C:\\Work\\TEFAN~1.rez"},       // goes as C:\Work\TEFAN~1.DAT
      {"C:\\Ștefan\\frame.dat", "C:\\Ștefan\\frame.rez"},       // C:\TEFAN~1\frame.rez is this file
      {"C:\\Ștefan\\ștefan.dat", "C:\\Ștefan\\TEFAN~1.rez"},     // the folder keeps the user's name
      {"C:\\Ștefan.x\\frame.dat", "C:\\TEFAN~1.rez"},             // cut in the folder's short name TEFAN~1.X
      {"C:\\Work\\ștefan", ".rez"},                            // no full stop in what the solver gets
      {"C:\\Work\\Café.dat", "C:\\Work\\Café.rez"},             // the code page holds it: as it was
      {"C:\\Work\\frame.dat", "C:\\Work\\frame.rez"},
      {"C:\\Work\\nou ștefan.dat", "C:\\Work\\nou ștefan.rez"},   // not made yet: no short name
      {"D:\\ștefan.dat", "D:\\ștefan.rez"},                     // a volume without short names
      {"", ".rez"},
  };
  for (const Case& c : cases) EXPECT_EQ(solver_output_name(files, PathText(c.geometry)), c.output) << c.geometry;
  EXPECT_EQ(solver_output_name(files, PathText(std::string("C:\\Work\\ștefan.dat") + '\0' + "x.dat")), "C:\\Work\\TEFAN~1.rez")
      << "cut at the NUL first";

  // From a Loading name: the solver's when it is the Geometry name's own, else from the Loading name.
  const PathText short_named("C:\\Work\\ștefan.dat");
  EXPECT_EQ(output_name_for_loading(files, short_named, PathText("C:\\Work\\ștefan.inc")), "C:\\Work\\TEFAN~1.rez");
  EXPECT_EQ(output_name_for_loading(files, short_named, PathText("C:\\Work\\wind.inc")), "C:\\Work\\wind.rez");
  EXPECT_EQ(output_name_for_loading(files, PathText("C:\\Work\\a.b.dat"), PathText("C:\\Work\\a.inc")),
            "C:\\Work\\a.rez");
}

TEST(NameChecks, EmptyFormsBlanksAndSearch) {
  for (const char* empty : {"", "   ", ".dat", "\\.dat", ".dat   "}) EXPECT_TRUE(is_empty_form(PathText(empty), ".dat")) << empty;
  for (const char* named : {"frame", " .dat", ".DAT", "\\\\.dat", "x.dat", ".inc"})
    EXPECT_FALSE(is_empty_form(PathText(named), ".dat")) << named;

  EXPECT_TRUE(has_blank(PathText("C:\\Program Files\\frame.dat").padded()));
  EXPECT_FALSE(has_blank(PathText("C:\\Jobs\\frame.dat").padded()));
  EXPECT_FALSE(has_blank(std::string("C:\\a.dat\0 b", 11)));
  EXPECT_FALSE(has_blank(""));
  EXPECT_FALSE(has_blank("\tframe"));

  fake::FakeFileSystem files;
  files.add_file("C:\\Jobs\\frame.dat", "");
  files.add_file("C:\\KORVEL\\Exe\\local.dat", "");
  files.search_folders = {"D:\\Path"};
  files.add_file("D:\\Path\\onpath.dat", "");
  EXPECT_TRUE(file_is_found(files, PathText("C:\\Jobs\\frame.dat")));
  EXPECT_TRUE(file_is_found(files, PathText(std::string("C:\\Jobs\\frame.dat\0junk", 22))));
  EXPECT_TRUE(file_is_found(files, PathText("local.dat")));
  EXPECT_TRUE(file_is_found(files, PathText("onpath.dat")));
  EXPECT_FALSE(file_is_found(files, PathText("C:\\Jobs\\other.dat")));
  EXPECT_FALSE(file_is_found(files, PathText("")));
}

class ProjectFiles : public fake::LauncherTest {
 protected:
  std::string text(int id) { return std::string(trim_blanks(control(id).text)); }
  std::string language_dat(std::string_view folder = "C:\\KORVEL\\Exe") {
    return fake.files.content(std::string(folder) + "\\language.dat").value_or("(none)");
  }
};

TEST_F(ProjectFiles, TypingAGeometryNameDerivesTheOthers) {
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\My.Jobs\\frame.dat");
    EXPECT_EQ(text(loading_edit), "C:\\My.inc");
    EXPECT_EQ(text(output_edit), "C:\\My.rez");
    EXPECT_TRUE(enabled(solver_button));
    EXPECT_TRUE(enabled(geometry_viewer_button));
    EXPECT_EQ(control(file_list).items[0], "Geometry File");
    EXPECT_EQ(control(file_list).items[1], "") << "the edits the layer fills raise no routine";
    EXPECT_EQ(control(file_list).items[2], "");

    fake.dialogs.type(w, geometry_edit, "frame");  // no full stop: still a name
    EXPECT_EQ(text(loading_edit), ".inc");
    EXPECT_TRUE(enabled(solver_button));

    fake.dialogs.type(w, geometry_edit, "");
    EXPECT_EQ(text(loading_edit), ".inc");
    EXPECT_EQ(text(output_edit), ".rez");
    EXPECT_FALSE(enabled(solver_button));
    EXPECT_FALSE(enabled(geometry_viewer_button));
  });
  EXPECT_EQ(state.project.geometry_file, "");
}

TEST_F(ProjectFiles, LoadingAndOutputFieldsSwitchOnlyWhatTheyOwn) {
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.type(w, loading_edit, "D:\\Loads\\wind.inc");
    EXPECT_EQ(text(output_edit), "D:\\Loads\\wind.rez") << "the Output name follows the Loading name";
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\frame.dat");
    EXPECT_EQ(control(file_list).items[1], "Loading File");

    control(loading_edit).text = "\\.inc";  // pasted whole: one change
    fake.dialogs.send_command(w, loading_edit, notify::edit_change);
    EXPECT_FALSE(enabled(solver_button));
    EXPECT_EQ(text(output_edit), "D:\\Loads\\wind.rez") << "an empty Loading name leaves the Output name";
    EXPECT_EQ(state.project.output_file, "D:\\Loads\\wind.rez") << "and the name the Output entry stands for";
    EXPECT_TRUE(enabled(geometry_viewer_button)) << "Sivra follows the Geometry name only";

    fake.dialogs.type(w, output_edit, "E:\\out.rez");
    EXPECT_TRUE(enabled(solver_button));
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\frame.dat");
    EXPECT_EQ(text(loading_edit), "\\.inc");
    EXPECT_EQ(control(file_list).items[2], "Output File");

    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\tower.dat");
    EXPECT_EQ(text(loading_edit), "C:\\Jobs\\tower.inc") << "typing the Geometry name replaces a Loading name";
  });
}

TEST_F(ProjectFiles, EveryChangeDisablesViewAndPrintAndRewritesTheLanguage) {
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.select(w, file_list, 0);
    EXPECT_TRUE(enabled(view_edit_button));
    EXPECT_TRUE(enabled(print_button));
    fake.dialogs.select(w, language_list, 1);
    EXPECT_FALSE(enabled(view_edit_button));
    EXPECT_FALSE(enabled(print_button));
    EXPECT_EQ(language_dat(), "Romanian            \r\n");
    EXPECT_TRUE(state.project.romanian_output);
    fake.dialogs.type(w, output_edit, "x");
    EXPECT_EQ(language_dat(), "Romanian            \r\n");
    fake.dialogs.select(w, language_list, 0);
    EXPECT_EQ(language_dat(), "English             \r\n");
    EXPECT_FALSE(state.project.romanian_output);
  });
  std::size_t language_writes = 0;
  for (const std::string& path : fake.files.touched) language_writes += path == "language.dat";
  EXPECT_GE(language_writes, std::string("C:\\Jobs\\frame.dat").size() + 3) << "one write per keystroke";
}

TEST_F(ProjectFiles, ChoosingAGeometryFile) {
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  fake.files.add_file("C:\\Jobs\\frame.rez", "old results");
  fake.file_dialogs.answers = {std::nullopt, "C:\\Jobs\\frame.dat"};
  run([&] {
    fake.dialogs.click(w, select_geometry_button);  // cancelled: nothing changes
    EXPECT_EQ(text(geometry_edit), ".dat");
    EXPECT_FALSE(enabled(solver_button));

    fake.dialogs.click(w, select_geometry_button);
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\frame.dat");
    EXPECT_EQ(text(loading_edit), "C:\\Jobs\\frame.inc");
    EXPECT_EQ(text(output_edit), "C:\\Jobs\\frame.rez");
    EXPECT_TRUE(enabled(solver_button));
    EXPECT_TRUE(enabled(geometry_viewer_button));
    EXPECT_EQ(control(file_list).items, (std::vector<std::string>{"Geometry File", "", "Output File (old)", "New"}));
    EXPECT_EQ(fake.files.current, "C:\\Jobs");
    EXPECT_EQ(language_dat("C:\\Jobs"), "English             \r\n") << "where the programs started next look";
    for (int id : {geometry_edit, loading_edit, output_edit})
      EXPECT_EQ(control(id).caret.first, static_cast<int>(control(id).text.size())) << "the name's end in view";
  });
  ASSERT_EQ(fake.file_dialogs.shown.size(), 2u);
  const auto& shown = fake.file_dialogs.shown[0];
  EXPECT_EQ(shown.filter, std::string("Data files (*.dat)\0*.dat\0\0", 26));
  EXPECT_EQ(shown.title, "Select Input File \".dat\"");
  EXPECT_EQ(shown.default_extension, "dat");
  EXPECT_EQ(shown.initial_directory, "C:\\KORVEL\\Dat\\");
  EXPECT_EQ(shown.flags, ofn_path_must_exist);
  EXPECT_EQ(shown.file_name_size, file_buffer_size);
  EXPECT_FALSE(fake.files.has("C:\\Jobs\\language.dat")) << "removed at exit";
}

// The three fields hold a path as long as Windows allows (259 characters) in
// any script, and so does the open-file dialog's buffer, in UTF-8 bytes.
TEST_F(ProjectFiles, APathAsLongAsWindowsAllowsIsChosenAndHeldWhole) {
  const auto path_of = [](std::string_view letter) {
    std::string folder = "C:\\";
    while (field_length(folder) < 259 - 10) folder += letter;
    return folder + "\\frame.dat";
  };
  const std::string paths[] = {path_of("x"), path_of("é"), path_of("Ș"), path_of("€"), path_of("😀")};
  for (const std::string& path : paths) {
    ASSERT_EQ(field_length(path), 259u);
    fake.files.add_file(path, "");
    fake.file_dialogs.answers.push_back(path);
  }
  run([&] {
    for (const std::string& path : paths) {
      const std::string base = path.substr(0, path.size() - 4);
      fake.dialogs.click(w, select_geometry_button);
      EXPECT_EQ(text(geometry_edit), path);
      EXPECT_EQ(state.project.geometry_file, std::string_view(path));
      EXPECT_EQ(text(loading_edit), base + ".inc");
      EXPECT_EQ(state.project.output_file, std::string_view(base + ".rez"));
      EXPECT_EQ(control(file_list).items[0], "Geometry File");
    }
  });
  EXPECT_EQ(fake.file_dialogs.shown.size(), std::size(paths));
}

TEST_F(ProjectFiles, ChoosingALoadingFileTouchesOnlyLoadingAndOutput) {
  fake.files.add_file("D:\\Loads\\wind.inc", "");
  fake.file_dialogs.answers = {"D:\\Loads\\wind.inc", "C:\\Jobs\\frame.dat", "D:\\Loads\\wind.inc"};
  run([&] {
    fake.dialogs.click(w, select_loading_button);
    EXPECT_EQ(text(loading_edit), "D:\\Loads\\wind.inc");
    EXPECT_EQ(text(output_edit), "D:\\Loads\\wind.rez");
    EXPECT_EQ(text(geometry_edit), ".dat");
    EXPECT_TRUE(enabled(solver_button)) << "even with no Geometry name";
    EXPECT_FALSE(enabled(geometry_viewer_button));
    EXPECT_EQ(control(file_list).items[1], "Loading File");
    fake.dialogs.click(w, select_geometry_button);
    fake.dialogs.click(w, select_loading_button);
  });
  ASSERT_EQ(fake.file_dialogs.shown.size(), 3u);
  EXPECT_EQ(fake.file_dialogs.shown[0].initial_directory, "") << "the first Loading dialog has no folder yet";
  EXPECT_EQ(fake.file_dialogs.shown[0].title, "Select Loading File \".inc\"");
  EXPECT_EQ(fake.file_dialogs.shown[0].filter, std::string("Incarc files (*.inc)\0*.inc\0\0", 28));
  EXPECT_EQ(fake.file_dialogs.shown[1].offered_name, "D:\\Loads\\wind.inc") << "the last path is offered";
  EXPECT_EQ(fake.file_dialogs.shown[2].initial_directory, "C:\\KORVEL\\Dat\\") << "kept from the Geometry dialog";
}

// A file dropped on the dialog is taken as its Select button takes a choice;
// dropped on a name field it is typed there; anything else is left alone.
TEST_F(ProjectFiles, ADroppedFileIsTakenAsAChoiceOrTypedIntoTheFieldUnderIt) {
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  fake.files.add_file("D:\\Loads\\WIND.INC", "");
  fake.files.add_file("C:\\Jobs\\notes.txt", "");
  fake.files.add_folder("C:\\Jobs\\old.dat");
  fake.file_dialogs.answers = {std::nullopt};
  fake.message_boxes.while_open = [&] { fake.dialogs.drop_files(w, 0, {"C:\\Jobs\\frame.dat"}); };
  run([&] {
    fake.dialogs.click(w, help_button);  // its box about the missing help file is open during the drop
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(text(geometry_edit), ".dat") << "a drop while a box is open is not taken";
    for (const char* path : {"C:\\Jobs\\notes.txt", "C:\\Jobs\\old.dat", "C:\\Jobs\\gone.dat", "frame.dat"}) {
      fake.dialogs.drop_files(w, 0, {path});
      EXPECT_EQ(text(geometry_edit), ".dat") << path << " is not taken";
    }
    EXPECT_EQ(fake.files.current, "C:\\KORVEL\\Exe");

    fake.dialogs.drop_files(w, 0, {"C:\\Jobs\\frame.dat", "D:\\Loads\\WIND.INC"});
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\frame.dat");
    EXPECT_EQ(text(loading_edit), "C:\\Jobs\\frame.inc") << "the first file only";
    EXPECT_TRUE(enabled(solver_button));
    EXPECT_TRUE(enabled(geometry_viewer_button));
    EXPECT_EQ(control(file_list).items[0], "Geometry File");
    EXPECT_EQ(fake.files.current, "C:\\Jobs") << "as the open-file dialog moves it";
    EXPECT_EQ(language_dat("C:\\Jobs"), "English             \r\n");

    fake.dialogs.drop_files(w, 0, {"D:\\Loads\\WIND.INC"});
    EXPECT_EQ(text(loading_edit), "D:\\Loads\\WIND.INC");
    EXPECT_EQ(text(output_edit), "D:\\Loads\\WIND.rez");
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\frame.dat");
    EXPECT_EQ(control(file_list).items[1], "Loading File");
    fake.dialogs.click(w, select_loading_button);  // offers the dropped file, then is cancelled

    fake.dialogs.drop_files(w, geometry_edit, {"C:\\Jobs\\notes.txt"});
    EXPECT_EQ(text(geometry_edit), "C:\\Jobs\\notes.txt");
    EXPECT_EQ(text(loading_edit), "C:\\Jobs\\notes.inc") << "derived as typing derives";
    EXPECT_EQ(fake.files.current, "D:\\Loads") << "typing moves no folder";
  });
  ASSERT_EQ(fake.file_dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.file_dialogs.shown[0].offered_name, "D:\\Loads\\WIND.INC");
}

// ștefan.dat goes to the solver as TEFAN~1.DAT (the code page here is Latin-1),
// which writes TEFAN~1.rez: every way of naming it shows that Output name.
TEST_F(ProjectFiles, AShortNamedGeometryFileShowsTheOutputFileTheSolverWrites) {
  for (const char* name : {"C:\\Work\\ștefan.dat", "C:\\Work\\ștefan.inc", "C:\\Work\\wind.inc"}) fake.files.add_file(name, "");
  fake.files.add_file("C:\\Work\\TEFAN~1.rez", "old results");
  fake.file_dialogs.answers = {"C:\\Work\\ștefan.dat", "C:\\Work\\wind.inc"};
  run([&] {
    fake.dialogs.click(w, select_geometry_button);
    EXPECT_EQ(text(loading_edit), "C:\\Work\\ștefan.inc");
    EXPECT_EQ(text(output_edit), "C:\\Work\\TEFAN~1.rez");
    EXPECT_EQ(control(file_list).items[2], "Output File (old)");
    fake.dialogs.select(w, file_list, 2);
    EXPECT_EQ(state.project.view_file, "C:\\Work\\TEFAN~1.rez");
    EXPECT_TRUE(enabled(view_edit_button));

    fake.dialogs.type(w, loading_edit, "C:\\Work\\ștefan.inc");  // the Geometry name's own
    EXPECT_EQ(text(output_edit), "C:\\Work\\TEFAN~1.rez");
    fake.dialogs.click(w, select_loading_button);  // another one: the Output name follows it
    EXPECT_EQ(text(output_edit), "C:\\Work\\wind.rez");
    fake.dialogs.type(w, geometry_edit, "C:\\Work\\ștefan.dat");
    EXPECT_EQ(text(output_edit), "C:\\Work\\TEFAN~1.rez");
  });
}

class RememberGeometry : public ::testing::Test {
 protected:
  PathText geometry;
  RecentFiles recent;
  void remember(std::string_view name) {
    geometry = name;
    remember_geometry_file(geometry, recent);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const PathText& entry : recent) out.emplace_back(entry.trimmed());
    return out;
  }
};

TEST_F(RememberGeometry, SwapsOrPushesDown) {
  std::size_t i = 0;
  for (const char* name : {"A", "B", "C", "D", "E"}) recent[i++] = name;
  remember("C");
  EXPECT_EQ(names(), (std::vector<std::string>{"C", "B", "A", "D", "E"})) << "a swap, not a move to the front";
  remember("F");
  EXPECT_EQ(names(), (std::vector<std::string>{"F", "C", "B", "A", "D"}));
  remember("f");  // another letter case is another name
  EXPECT_EQ(names(), (std::vector<std::string>{"f", "F", "C", "B", "A"}));
  for (const char* unset : {"", ".dat", ".x"}) {
    remember(unset);
    EXPECT_EQ(names(), (std::vector<std::string>{"f", "F", "C", "B", "A"})) << unset;
  }
  remember(std::string_view("G\0junk", 6));
  EXPECT_EQ(geometry.padded(), PathText("G").padded()) << "cut at its NUL";
  EXPECT_EQ(names().front(), "G");
}

class RecentDialog : public ProjectFiles {
 protected:
  void SetUp() override {
    for (const char* name : {"C:\\A.dat", "C:\\C.dat", "C:\\D.dat", "C:\\E.dat", "C:\\C.rez"}) fake.files.add_file(name, "");
    fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\A.dat\r\nC:\\B.dat\r\nC:\\C.dat\r\nC:\\D.dat\r\nC:\\E.dat\r\n");
  }
  std::vector<std::string> shown_items;
  void in_recent_dialog(std::function<void(NativeWindow)> act) {
    fake.dialogs.modal_scripts.push_back([this, act](NativeWindow recent) {
      shown_items = fake.dialogs.control(recent, recent_list).items;
      EXPECT_FALSE(fake.dialogs.control(recent, done_button).enabled) << "DONE waits for a pick";
      EXPECT_EQ(fake.dialogs.windows.at(recent).owner, w);
      act(recent);
    });
  }
};

TEST_F(RecentDialog, DoneAppliesAnExistingPick) {
  fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\A.dat\r\nC:\\B.dat\r\nC:\\C.dat\r\n");
  in_recent_dialog([&](NativeWindow recent) {
    fake.dialogs.select(recent, recent_list, 4);  // an empty line: DONE stays off
    EXPECT_FALSE(fake.dialogs.control(recent, done_button).enabled);
    fake.dialogs.select(recent, recent_list, 2);
    EXPECT_TRUE(fake.dialogs.control(recent, done_button).enabled);
    fake.dialogs.click(recent, done_button);
  });
  run([&] {
    fake.dialogs.type(w, loading_edit, "D:\\separate.inc");
    fake.dialogs.type(w, geometry_edit, "");  // no current name: the list is shown as it is
    fake.dialogs.click(w, select_recent_button);
    EXPECT_EQ(text(geometry_edit), "C:\\C.dat");
    EXPECT_EQ(text(loading_edit), "C:\\C.inc") << "the pick's base name replaces a chosen Loading name";
    EXPECT_EQ(text(output_edit), "C:\\C.rez");
    EXPECT_EQ(control(file_list).items[2], "Output File (old)");
    EXPECT_TRUE(enabled(solver_button));
  });
  EXPECT_EQ(shown_items, (std::vector<std::string>{"C:\\A.dat", "C:\\B.dat", "C:\\C.dat", "", ""}));
  EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\recent.dat"), "C:\\A.dat\r\nC:\\B.dat\r\nC:\\C.dat\r\n")
      << "applying a pick does not reorder the list";
}

TEST_F(RecentDialog, APickOfAShortNamedFileShowsTheOutputFileTheSolverWrites) {
  fake.files.add_file("C:\\Work\\ștefan.dat", "");
  fake.files.add_file("C:\\Work\\ștefan.inc", "");
  fake.files.add_file("C:\\Work\\TEFAN~1.rez", "");
  fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\Work\\ștefan.dat\r\n");
  in_recent_dialog([&](NativeWindow recent) { fake.dialogs.double_click(recent, recent_list, 0); });
  run([&] {
    fake.dialogs.click(w, select_recent_button);
    EXPECT_EQ(text(output_edit), "C:\\Work\\TEFAN~1.rez") << "also after the Loading name's derivation";
    EXPECT_EQ(control(file_list).items[2], "Output File (old)");
  });
}

TEST_F(RecentDialog, TheCurrentFileHeadsTheListEvenWhenCancelled) {
  in_recent_dialog([&](NativeWindow recent) { fake.dialogs.click(recent, dialog_ids::cancel); });
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\C.dat");
    fake.dialogs.click(w, select_recent_button);
    EXPECT_EQ(text(geometry_edit), "C:\\C.dat");
  });
  EXPECT_EQ(shown_items, (std::vector<std::string>{"C:\\C.dat", "C:\\B.dat", "C:\\A.dat", "C:\\D.dat", "C:\\E.dat"}));
  EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\recent.dat"),
            "C:\\C.dat\r\nC:\\B.dat\r\nC:\\A.dat\r\nC:\\D.dat\r\nC:\\E.dat\r\n");
}

TEST_F(RecentDialog, DoubleClickAppliesAtOnce) {
  in_recent_dialog([&](NativeWindow recent) { fake.dialogs.double_click(recent, recent_list, 3); });
  run([&] {
    fake.dialogs.type(w, output_edit, "C:\\old.rez");
    EXPECT_EQ(control(file_list).items[2], "Output File");
    fake.dialogs.click(w, select_recent_button);
    EXPECT_EQ(text(geometry_edit), "C:\\D.dat");
    EXPECT_EQ(control(file_list).items[2], "") << "there is no C:\\D.rez";
  });
}

TEST_F(RecentDialog, AMissingFileIsReportedAndRemoved) {
  in_recent_dialog([&](NativeWindow recent) { fake.dialogs.double_click(recent, recent_list, 1); });
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\A.dat");
    fake.dialogs.click(w, select_recent_button);
    EXPECT_EQ(text(geometry_edit), "C:\\A.dat") << "the Geometry File does not change";
  });
  ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown[0].text, " File does not exist (was deleted) !");
  EXPECT_EQ(fake.message_boxes.shown[0].caption, "Select Recent Message");
  EXPECT_EQ(fake.message_boxes.shown[0].type, mb::ok | mb::icon_error);
  EXPECT_EQ(fake.files.content("C:\\KORVEL\\Exe\\recent.dat"), "C:\\A.dat\r\nC:\\C.dat\r\nC:\\D.dat\r\nC:\\E.dat\r\n");
}

// An entry as long as a path (260 characters, the list's items included) is
// shown and picked whole, in any script, and the list keeps it.
TEST_F(RecentDialog, EntriesAsLongAsAPathArePickedWhole) {
  const auto name_of = [](std::size_t characters, std::string_view letter) {
    std::string name = "C:\\";
    while (field_length(name) < characters - 4) name += letter;
    return name + ".dat";
  };
  const std::vector<std::string> names = {name_of(257, "x"), name_of(260, "y"), name_of(259, "é"), name_of(260, "Ș")};
  std::string recent_dat;
  for (const std::string& name : names) {
    fake.files.add_file(name, "");
    recent_dat += name + "\r\n";
    in_recent_dialog([this, name](NativeWindow recent) {
      const std::vector<std::string>& items = fake.dialogs.control(recent, recent_list).items;
      const auto found = std::find(items.begin(), items.end(), name);
      ASSERT_NE(found, items.end()) << name;
      fake.dialogs.double_click(recent, recent_list, static_cast<int>(found - items.begin()));
    });
  }
  // In UTF-8 after its mark, as the Launcher writes a list with a name the
  // system's code page can't hold.
  fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "\xEF\xBB\xBF" + recent_dat + "C:\\A.dat\r\n");
  run([&] {
    for (const std::string& name : names) {
      fake.dialogs.click(w, select_recent_button);
      EXPECT_EQ(text(geometry_edit), name);
    }
  });
  EXPECT_TRUE(fake.message_boxes.shown.empty());
  for (const std::string& name : names)
    EXPECT_NE(std::find(state.settings.recent_files.begin(), state.settings.recent_files.end(), PathText(name)),
              state.settings.recent_files.end())
        << name;
}

class FileList : public ProjectFiles {};

TEST_F(FileList, FoundFilesEnableViewAndPrintMissingOnesAreReported) {
  fake.files.add_file("C:\\Jobs\\frame.dat", "");
  run([&] {
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.select(w, file_list, 0);
    EXPECT_EQ(state.project.view_file, "C:\\Jobs\\frame.dat");
    EXPECT_TRUE(enabled(view_edit_button));
    EXPECT_TRUE(enabled(print_button));

    fake.dialogs.type(w, output_edit, "C:\\Jobs\\My Out.rez");
    fake.dialogs.select(w, file_list, 0);  // enable both again
    fake.dialogs.select(w, file_list, 2);
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(fake.message_boxes.shown[0].text, "\"C:\\Jobs\\My Out.rez\": File NOT found.\n\nCheck for File Name !");
    EXPECT_EQ(fake.message_boxes.shown[0].caption, "Wiew/Edit Message");
    EXPECT_EQ(fake.message_boxes.shown[0].type, mb::ok | mb::icon_error);
    EXPECT_EQ(control(file_list).items[2], "");
    EXPECT_FALSE(enabled(view_edit_button));
    EXPECT_TRUE(enabled(print_button)) << "Print keeps its state";

    fake.dialogs.select(w, file_list, 3);  // "New" is never tested
    EXPECT_EQ(state.project.view_file.padded(), PathText("\t").padded());
    EXPECT_TRUE(enabled(view_edit_button));
    EXPECT_EQ(fake.message_boxes.shown.size(), 1u);

    fake.dialogs.double_click(w, file_list, 2);  // still missing: reported, nothing opens
    EXPECT_TRUE(fake.processes.starts.empty());
    fake.dialogs.double_click(w, file_list, 3);
    ASSERT_EQ(fake.processes.starts.size(), 1u);
    EXPECT_EQ(fake.processes.starts[0].command_line, " \t") << "the editor without a file";
  });
}

}  // namespace
}  // namespace korvel
