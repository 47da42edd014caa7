// A long session: every window, drawing object and handle the core asks the
// platform for while the user works is given back, but for what the Launcher
// keeps on purpose to the end of the run; by its end, that too.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "launcher_fixture.h"
#include "ui/icons.h"

namespace korvel {
namespace {

using fake::LiveObjects;
using fake::ObjectKind;
using LongSession = fake::LauncherTest;

LiveObjects live(int icons, int windows, int brushes, int process_handles, int dialog_data) {
  LiveObjects objects;
  objects[ObjectKind::icon] = icons;
  objects[ObjectKind::window] = windows;
  objects[ObjectKind::brush] = brushes;
  objects[ObjectKind::process_handle] = process_handles;
  objects[ObjectKind::dialog_data] = dialog_data;
  return objects;
}

void add_icon_files(fake::FakePlatform& fake) {
  for (const IconFile& icon : icon_files) fake.files.add_file("C:\\KORVEL\\Exe\\Uir\\" + std::string(icon.file), "");
}

// A hundred rounds of: a name typed key by key (ten changes), an About window
// painted three times and closed, two tool starts, one Recent Dialog.
TEST_F(LongSession, KeepsOnlyTheStartedProgramsHandlesAndGivesEverythingBackAtTheEnd) {
  add_icon_files(fake);
  // LORIM.exe is missing: a third of the starts fail, and get no handle.
  for (const char* program : {"Gaskol.exe", "Feltrom.exe"}) fake.files.add_file("C:\\KORVEL\\Exe\\" + std::string(program), "");
  for (const char* name : {"C:\\A.dat", "C:\\B.dat", "C:\\C.dat"}) fake.files.add_file(name, "");
  fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", "C:\\A.dat\r\nC:\\B.dat\r\nC:\\C.dat\r\n");

  const std::function<void(NativeWindow)> recent_dialog_users[] = {
      [&](NativeWindow recent) { fake.dialogs.click(recent, dialog_ids::cancel); },
      [&](NativeWindow recent) {
        fake.dialogs.select(recent, recent_list, 1);
        fake.dialogs.click(recent, done_button);
      },
      [&](NativeWindow recent) { fake.dialogs.double_click(recent, recent_list, 2); },
      [&](NativeWindow recent) { fake.dialogs.escape(recent); },
  };
  const int name_edits[] = {geometry_edit, loading_edit, output_edit};
  const int tools[] = {geometry_creator_button, loading_creator_button, structure_graph_button};
  const LaunchTable& table = state.tools.launch_table;
  const auto started = [&] {
    std::vector<const LaunchRecord*> records;
    for (std::size_t i = 0; i < table.launch_count; ++i)
      if (table.records[i].launch_state == LaunchState::started) records.push_back(&table.records[i]);
    return records;
  };

  std::size_t still_running = 0;
  run([&] {
    const LiveObjects after_start_up = fake.live;
    EXPECT_EQ(after_start_up, live(20, 1, 1, 0, 2)) << "the icons, the main dialog, its record, colours and brush";

    for (int round = 0; round < 100; ++round) {
      const std::string name = "C:\\N" + std::to_string(10 + round % 90) + ".dat";  // ten keys
      fake.dialogs.type(w, name_edits[round % 3], name);

      fake.dialogs.click(w, about_button);
      const NativeWindow about = fake.windows.welcome.rbegin()->first;
      for (int paint = 0; paint < 3; ++paint) fake.windows.paint(about);
      if (round % 2) fake.windows.click(about);
      else fake.windows.close_box(about);

      for (int start = 0; start < 2; ++start) fake.dialogs.click(w, tools[(2 * round + start) % 3]);

      fake.dialogs.modal_scripts.push_back(recent_dialog_users[round % 4]);
      fake.dialogs.click(w, select_recent_button);
    }
    ASSERT_EQ(table.launch_count, 200u);
    EXPECT_TRUE(fake.dialogs.modal_scripts.empty()) << "every Recent Dialog ran";
    EXPECT_EQ(state.dialogs.running(), nullptr) << "no routine left running";
    EXPECT_EQ(state.dialogs.running_modal(), nullptr);

    // Each started program's handle is held by its launch record, until the exit.
    const auto records = started();
    EXPECT_EQ(records.size(), 134u);
    std::set<ProcessHandle> held;
    for (const LaunchRecord* record : records) {
      EXPECT_EQ(fake.processes.handles.at(record->process_handle), record->process_id);
      held.insert(record->process_handle);
    }
    EXPECT_EQ(held.size(), records.size()) << "a handle of its own each";
    EXPECT_EQ(fake.live, live(20, 1, 1, static_cast<int>(records.size()), 2));

    // Half of them end before the exit.
    for (std::size_t i = 0; i < records.size(); i += 2) fake.processes.running.erase(records[i]->process_id);
    still_running = fake.processes.running.size();
  });

  // The exit opens each started program once more; those handles, the starts'
  // and the icons go before the shutdown returns.
  EXPECT_EQ(fake.live, LiveObjects{});
  EXPECT_EQ(fake.windows.wrong_icon_releases, 0);
  EXPECT_EQ(fake.processes.terminated.size(), still_running);
  EXPECT_EQ(state.dialogs.running(), nullptr);
}

// However the run ends, nothing it made is left once the shutdown returns: no
// icon, window, pen, brush, dialog data or process handle. Programs the user
// keeps run on without the Launcher's handles.
TEST(EndOfTheRun, LeavesNothingTheRunMade) {
  struct Row {
    const char* what;
    int about_windows_open;     // left open at the exit
    int programs_started;       // of which the first ends before the exit
    std::optional<int> answer;  // to the running-programs question
    bool open_fails = false;    // the exit check can't open the programs again
  };
  const Row rows[] = {
      {"nothing started, no About window", 0, 0, std::nullopt},
      {"two About windows left open", 2, 0, std::nullopt},
      {"programs ended by the answer Yes", 0, 3, mb::answer_yes},
      {"programs kept by the answer No, an About window open", 1, 3, mb::answer_no},
      {"programs the exit check can't open", 1, 2, std::nullopt, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fake::FakeLauncher launcher;
    fake::FakePlatform& fake = launcher.fake;
    add_icon_files(fake);
    fake.files.add_file("C:\\KORVEL\\Exe\\Gaskol.exe", "");
    if (row.answer) fake.message_boxes.answers = {*row.answer};
    if (row.open_fails) fake.processes.fail = [](fake::Operation op, std::string_view) { return op == fake::Operation::open; };
    launcher.run([&] {
      for (int i = 0; i < row.about_windows_open; ++i) fake.dialogs.click(launcher.w, about_button);
      for (int i = 0; i < row.programs_started; ++i) fake.dialogs.click(launcher.w, geometry_creator_button);
      if (row.programs_started > 0) fake.processes.running.erase(launcher.state.tools.launch_table.records[0].process_id);
    });
    const std::size_t kept = row.answer == mb::answer_no ? static_cast<std::size_t>(row.programs_started - 1) : 0;
    EXPECT_EQ(fake.processes.running.size(), row.open_fails ? static_cast<std::size_t>(row.programs_started - 1) : kept);
    EXPECT_EQ(fake.live, LiveObjects{});
    EXPECT_TRUE(fake.processes.handles.empty());
    EXPECT_EQ(fake.windows.wrong_icon_releases, 0) << "each icon released once, when nothing shows it any more";
    EXPECT_EQ(fake.windows.icons_destroyed.size(), icon_files.size()) << "Open.ico's handle once for two buttons";
    ASSERT_FALSE(fake.windows.icons_destroyed.empty());
    EXPECT_EQ(fake.windows.icons_destroyed.back(), fake.windows.icon_loads.at(0).handle)
        << "the welcome class's icon last";
    EXPECT_EQ(launcher.state.ui.icons.korvel(), 0u);
  }
}

}  // namespace
}  // namespace korvel
