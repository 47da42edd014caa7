// An in-memory platform for the tests: files keyed by Windows paths (letter
// case ignored, relative names taken against a current directory that the test
// sets), scripted message-box answers, recorded sounds and process starts, and
// faults that a test can switch on for any read, write, delete or process call.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake_native_ui.h"
#include "fake_running_launchers.h"
#include "platform/platform.h"

namespace korvel::fake {

// The operations a test can make fail.
// A failing read is a file held by another program: it exists, but neither its
// size nor its contents can be had.
enum class Operation { write, move, remove, start, open, exit_code, read };

class FakeFileSystem final : public FileSystem {
 public:
  std::string current = "C:\\KORVEL\\Exe";
  bool current_directory_fails = false;
  std::string windows = "C:\\windows";
  std::vector<std::string> search_folders;  // besides the current directory, for search_path
  // The system's code page holds Latin-1 only; the process's is UTF-8 unless
  // the fake plays an older system, whose process uses the system's own.
  bool utf8_process = true;
  // Folders on volumes that make no short names (everything below them too).
  std::vector<std::string> without_short_names;
  // Short names a volume made otherwise than the fake would, by path: one may
  // keep a letter of the user's language.
  std::map<std::string, std::string> short_names;

  // Test set-up and inspection.
  void add_file(std::string_view path, std::string_view content);
  void add_folder(std::string_view path);
  void set_read_only(std::string_view path, bool read_only = true);
  std::optional<std::string> content(std::string_view path) const;
  bool has(std::string_view path) const { return content(path).has_value(); }
  // Every file's content by its key.
  std::map<std::string, std::string> snapshot() const;
  void remove(std::string_view path);
  // Every path written, moved onto or deleted, in order, as given.
  std::vector<std::string> touched;
  // Returns true for an operation that must fail.
  std::function<bool(Operation, std::string_view path)> fail;
  // Called as file_exists looks at a path: a test may throw from it.
  std::function<void(std::string_view path)> looking;
  // How each file was last written or moved onto, by its key.
  std::map<std::string, Durability> durability;

  // The full key a path is stored under.
  std::string key(std::string_view path) const;

  std::optional<std::uint64_t> file_size(std::string_view path) override;
  std::optional<std::string> read_file_range(std::string_view path, std::uint64_t offset,
                                             std::size_t count) override;
  bool write_file(std::string_view path, std::string_view data, Durability how) override;
  bool move_file_replacing(std::string_view from, std::string_view to, Durability how) override;
  bool delete_file(std::string_view path) override;
  bool file_exists(std::string_view path) override;
  std::optional<std::string> search_path(std::string_view name) override;
  std::optional<std::string> full_path(std::string_view name) override;
  std::optional<std::string> current_directory() override;
  bool set_current_directory(std::string_view path) override;
  std::string windows_directory() override { return windows; }
  std::string from_system_code_page(std::string_view text) override;
  std::optional<std::string> to_system_code_page(std::string_view text) override;
  // Made up like the platform's: up to six letters and digits of the name, "~1",
  // and up to three of its extension, in capitals.
  std::optional<std::string> short_name(std::string_view path) override;

  std::size_t range_reads = 0;  // read_file_range calls, to see that a long file is read from its end

 private:
  struct File {
    std::string content;
    bool read_only = false;
  };
  bool fails(Operation op, std::string_view path) const { return fail && fail(op, path); }
  std::map<std::string, File> files_;
  std::set<std::string> folders_;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned type = 0;
};

// Sounds and boxes also go to one shared log when given one, to show their order.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  explicit FakeMessageBoxes(std::vector<std::string>* events = nullptr) : events_(events) {}
  std::vector<ShownMessage> shown;
  std::deque<int> answers;  // next answers; when empty, the box's first button
  std::function<void()> while_open;  // the user's acts while the next box is open (its nested loop)
  // A quit message waiting for the thread ends a box at once, unanswered (0).
  const bool* quit_pending = nullptr;
  int show(std::string_view text, std::string_view caption, unsigned type) override;

 private:
  std::vector<std::string>* events_;
};

class FakeSound final : public Sound {
 public:
  explicit FakeSound(std::vector<std::string>* events = nullptr) : events_(events) {}
  std::vector<std::string> played;
  std::function<void(std::string_view path)> playing;  // called as each plays: a test may throw from it
  // The file names of the sounds played, in order.
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const std::string& path : played) result.push_back(path.substr(path.rfind('\\') + 1));
    return result;
  }
  void play(std::string_view path) override {
    if (playing) playing(path);
    played.emplace_back(path);
    if (events_) events_->push_back("sound " + std::string(path));
  }

 private:
  std::vector<std::string>* events_;
};

struct StartRecord {
  std::string application;
  std::string command_line;
  std::string current_directory;
};

class FakeProcesses final : public Processes {
 public:
  explicit FakeProcesses(FileSystem& files) : files_(files) {}
  std::vector<StartRecord> starts;
  std::set<std::uint32_t> running;        // ids of processes that still run
  std::vector<std::uint32_t> terminated;  // ids, in order
  std::function<bool(Operation, std::string_view)> fail;
  // Every handle given out, by a start or an open, and not yet closed, with the
  // process it names.
  std::map<ProcessHandle, std::uint32_t> handles;
  LiveObjects* live = nullptr;

  std::optional<StartedProcess> start(std::string_view application, std::string_view command_line) override;
  ProcessHandle open(std::uint32_t process_id) override;
  std::optional<std::uint32_t> exit_code(ProcessHandle handle) override;
  void terminate(ProcessHandle handle, std::uint32_t exit_code) override;
  void close(ProcessHandle handle) override;

 private:
  FileSystem& files_;
  ProcessHandle new_handle(std::uint32_t process_id);
  std::uint32_t next_id_ = 1000;
  ProcessHandle next_handle_ = 0x4000;
  std::set<std::uint32_t> known_;  // every id ever started
};

// The open-file dialog: each answer is the path the user chooses, or nothing
// for Cancel. Like Windows, a confirmed choice moves the current directory.
class FakeFileDialogs final : public FileDialogs {
 public:
  explicit FakeFileDialogs(FakeFileSystem& files) : files_(files) {}
  struct Shown {
    std::string filter, initial_directory, title, default_extension, offered_name;
    unsigned filter_index, flags, file_name_size;
  };
  std::vector<Shown> shown;
  std::deque<std::optional<std::string>> answers;  // when empty: Cancel
  int get_open_file_name(OpenFileRequest& request) override;

 private:
  FakeFileSystem& files_;
};

struct FakePlatform {
  FakePlatform() {
    dialogs.live = windows.live = processes.live = &live;
    message_boxes.quit_pending = &windows.quit_pending;
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  LiveObjects live;  // what the core has been given and not yet given back
  std::vector<std::string> events;  // "sound <path>" and "box <caption>", in order
  FakeFileSystem files;
  FakeMessageBoxes message_boxes{&events};
  FakeSound sound{&events};
  FakeProcesses processes{files};
  FakeNativeDialogs dialogs;
  FakeWindows windows{files, dialogs};
  FakeFileDialogs file_dialogs{files};
  FakeRunningLaunchers launchers;

  Platform platform() {
    return Platform{files, message_boxes, sound, processes, windows, dialogs, file_dialogs, launchers};
  }
};

}  // namespace korvel::fake
