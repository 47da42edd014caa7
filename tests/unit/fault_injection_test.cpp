// One whole session of the Launcher, run again with each read, write, move,
// delete, process start, process open and exit-code query it makes failing in turn:
// it must still end normally, say only what it says for that failure, and
// leave every other file as the session without the fault leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "launcher_fixture.h"
#include "settings/settings_formats.h"

namespace korvel {
namespace {

using fake::Operation;

struct Fault {
  Operation operation;
  std::string key;  // the file or program it hits; empty: every call of the operation
  bool operator<(const Fault& o) const { return std::tie(operation, key) < std::tie(o.operation, o.key); }
};

struct Outcome {
  int exit_code = -1;
  bool ran_dry = false;
  std::map<std::string, std::string> files_before, files_after;
  std::vector<fake::ShownMessage> messages;
  std::vector<std::uint32_t> terminated;
  std::set<Fault> calls;  // every call that could have failed
};

constexpr const char* exe = "C:\\KORVEL\\Exe";

void install(fake::FakePlatform& fake) {
  for (const char* program : {"VEK.exe", "Sivra.exe", "PUNA.exe"}) fake.files.add_file(std::string(exe) + "\\" + program, "");
  fake.files.add_file("C:\\KORVEL\\Exe\\Sound.dat", " T\r\n");
  RecentFiles recent;
  recent[0] = PathText("C:\\Jobs\\old.dat");
  fake.files.add_file("C:\\KORVEL\\Exe\\recent.dat", format_recent_list(recent));
  fake.files.add_file("C:\\KORVEL\\Exe\\work_dir.dat", "C:\\Work\r\n");
  fake.files.add_file("C:\\Work\\ComVek.dat", "first\r\nRomanian\r\n");
  fake.files.add_file("C:\\Jobs\\frame.dat", "the structure");
  fake.files.add_file("C:\\Jobs\\frame.inc", "the loading");
  fake.files.add_file("C:\\Jobs\\old.dat", "an older structure");
  fake.files.add_file("C:\\Jobs\\notes.txt", "the user's notes");
}

// Types a name, runs the solver, Sivra and a post-processor, turns the sound
// off, chooses the Loading File (which moves the current directory) and
// leaves, ending the programs still running.
Outcome run_session(std::optional<Fault> fault) {
  fake::FakeLauncher launcher;
  fake::FakePlatform& fake = launcher.fake;
  install(fake);
  Outcome outcome;
  outcome.files_before = fake.files.snapshot();

  auto hook = [&](Operation op, std::string_view path) {
    const std::string key = path.empty() ? std::string() : fake.files.key(path);
    outcome.calls.insert({op, key});
    return fault && fault->operation == op && (fault->key.empty() || fault->key == key);
  };
  fake.files.fail = hook;
  fake.processes.fail = hook;
  fake.file_dialogs.answers = {"C:\\Jobs\\frame.inc"};
  outcome.exit_code = launcher.run([&] {
    const NativeWindow w = launcher.w;
    fake.dialogs.type(w, geometry_edit, "C:\\Jobs\\frame.dat");
    fake.dialogs.click(w, solver_button);
    fake.dialogs.click(w, geometry_viewer_button);
    fake.dialogs.click(w, displacement_button);
    fake.dialogs.click(w, sound_check_box);
    fake.dialogs.click(w, select_loading_button);
    fake.message_boxes.answers = {mb::answer_yes};
  });
  outcome.ran_dry = fake.windows.ran_dry;
  outcome.files_after = fake.files.snapshot();
  outcome.messages = fake.message_boxes.shown;
  outcome.terminated = fake.processes.terminated;
  return outcome;
}

std::string without_tmp(const std::string& key) {
  return key.size() > 4 && key.ends_with(".tmp") ? key.substr(0, key.size() - 4) : key;
}

std::vector<std::string> texts(const std::vector<fake::ShownMessage>& messages) {
  std::vector<std::string> result;
  for (const auto& m : messages) result.push_back(m.text);
  return result;
}

TEST(FaultInjection, EveryFailingCallLeavesTheRestOfTheSessionAsItWas) {
  const Outcome clean = run_session(std::nullopt);
  ASSERT_EQ(clean.exit_code, 0);
  ASSERT_EQ(clean.terminated.size(), 3u) << "the solver, Sivra and the post-processor were ended";
  ASSERT_EQ(clean.messages.size(), 1u) << "only the exit prompt";

  std::set<Fault> faults = clean.calls;
  for (Operation op : {Operation::write, Operation::move, Operation::remove}) faults.insert({op, ""});  // a full disk
  ASSERT_GE(faults.size(), 15u);

  for (const Fault& fault : faults) {
    SCOPED_TRACE(::testing::Message() << "operation " << static_cast<int>(fault.operation) << " on '" << fault.key << "'");
    const Outcome faulty = run_session(fault);
    EXPECT_EQ(faulty.exit_code, 0);
    EXPECT_FALSE(faulty.ran_dry);

    std::set<std::string> keys;
    for (const auto& [key, content] : faulty.files_after) keys.insert(key);
    for (const auto& [key, content] : clean.files_after) keys.insert(key);
    for (const std::string& key : keys) {
      EXPECT_FALSE(key.ends_with(".tmp")) << key << " left behind";
      const auto after = faulty.files_after.find(key);
      const auto expected = clean.files_after.find(key);
      const bool hit = fault.key.empty() || without_tmp(fault.key) == key;
      if (!hit || fault.operation == Operation::start || fault.operation == Operation::open ||
          fault.operation == Operation::exit_code) {
        EXPECT_TRUE(after != faulty.files_after.end() && expected != clean.files_after.end()
                        ? after->second == expected->second
                        : after == faulty.files_after.end() && expected == clean.files_after.end())
            << key << " differs from the session without the fault";
        continue;
      }
      // The file the fault hits is whole: as it was, as the session leaves it,
      // or (when it can't be deleted) as last written.
      const auto before = faulty.files_before.find(key);
      const bool as_before = before == faulty.files_before.end() ? after == faulty.files_after.end()
                                                                 : after != faulty.files_after.end() && after->second == before->second;
      const bool as_clean = expected == clean.files_after.end() ? after == faulty.files_after.end()
                                                                : after != faulty.files_after.end() && after->second == expected->second;
      const bool undeleted_language = fault.operation == Operation::remove && key.ends_with("language.dat") &&
                                      after != faulty.files_after.end() && after->second.size() == 22;
      EXPECT_TRUE(as_before || as_clean || undeleted_language) << key;
    }
    for (const auto& [key, content] : clean.files_before) {
      if (key.starts_with("c:\\korvel\\exe\\")) continue;  // the Launcher's own files
      EXPECT_EQ(faulty.files_after.at(key), content) << "a user's file changed";
    }

    switch (fault.operation) {
      case Operation::read:
      case Operation::write:
      case Operation::move:
      case Operation::remove:
        EXPECT_EQ(texts(faulty.messages), texts(clean.messages)) << "file faults pass silently";
        break;
      case Operation::start: {
        const std::vector<std::string> shown = texts(faulty.messages);
        const std::size_t failed_runs = std::count_if(shown.begin(), shown.end(), [](const std::string& t) {
          return t.ends_with(": Failed run!");
        });
        EXPECT_GE(failed_runs, 1u);
        EXPECT_EQ(faulty.terminated.size() + failed_runs, 3u) << "only programs that started are ended";
        break;
      }
      case Operation::open:
      case Operation::exit_code:
        EXPECT_TRUE(faulty.messages.empty()) << "programs that can't be checked count as ended";
        EXPECT_TRUE(faulty.terminated.empty());
        break;
    }
  }
}

}  // namespace
}  // namespace korvel
