// The Win32 file system and processes on the real system: what the platform's
// search may hand the solver, and a started program that has already ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "file_tree.h"
#include "platform/win32/code_pages.h"
#include "platform/win32/process_start.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_platform.h"
#include "project/project_state.h"
#include "tools/program_names.h"

namespace korvel::win32 {
namespace {

std::string temp_folder(const char* name) {
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
}

TEST(Win32FileSystem, OnlyRegularFilesAreFoundOrExist) {
  const std::string folder = temp_folder("korvel-search");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "\\sub.dat").c_str(), nullptr));
  HANDLE file = CreateFileA((folder + "\\frame.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  char previous[MAX_PATH + 1];
  GetCurrentDirectoryA(sizeof previous, previous);
  SetCurrentDirectoryA(folder.c_str());

  Win32FileSystem files;
  EXPECT_EQ(files.search_path("frame.dat"), folder + "\\frame.dat");
  EXPECT_EQ(files.search_path(folder + "\\frame.dat"), folder + "\\frame.dat");
  EXPECT_TRUE(files.file_exists(folder + "\\frame.dat"));
  // Folders, and device names, also inside an existing folder and with an extension.
  for (const std::string& name : {std::string("sub.dat"), folder + "\\sub.dat", folder, std::string("NUL"),
                                  std::string("CON"), folder + "\\NUL", folder + "\\NUL.dat", std::string("COM1")}) {
    EXPECT_EQ(files.search_path(name), std::nullopt) << name;
    EXPECT_FALSE(files.file_exists(name)) << name;
  }

  SetCurrentDirectoryA(previous);
  korvel::testing::remove_tree(folder);
}

TEST(Win32FileSystem, AReplacementWaitsBrieflyForAReaderToLetGo) {
  const std::string folder = temp_folder("korvel-replace");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string target = folder + "\\language.dat", fresh = folder + "\\language.dat.tmp";
  Win32FileSystem files;
  // A reader without delete sharing holds the file, then lets go: in time, and too late.
  struct Reader {
    HANDLE file;
    DWORD held_for;
  };
  // A scratch file is replaced the same way, only not forced to the disk.
  for (const auto& [held_for, how] : {std::pair{40u, Durability::durable}, std::pair{1000u, Durability::durable},
                                      std::pair{40u, Durability::scratch}}) {
    ASSERT_TRUE(files.write_file(target, "old", how));
    ASSERT_TRUE(files.write_file(fresh, "new", how));
    Reader reader{CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr),
                  held_for};
    ASSERT_NE(reader.file, INVALID_HANDLE_VALUE);
    HANDLE letting_go = CreateThread(
        nullptr, 0,
        [](void* held) -> DWORD {
          const auto* r = static_cast<Reader*>(held);
          Sleep(r->held_for);
          return CloseHandle(r->file);
        },
        &reader, 0, nullptr);
    const bool moved = files.move_file_replacing(fresh, target, how);
    WaitForSingleObject(letting_go, INFINITE);
    CloseHandle(letting_go);
    EXPECT_EQ(moved, held_for < 100) << held_for;
    EXPECT_EQ(files.read_file_range(target, 0, 16), moved ? "new" : "old") << held_for;
    DeleteFileA(fresh.c_str());
  }
  korvel::testing::remove_tree(folder);
}

// This program, like Korvel.exe, runs in UTF-8; the package's programs in the
// system's code page, which GetACP() then no longer reports (1252 under Wine here).
TEST(Win32FileSystem, ConvertsBetweenTheProcesssAndTheSystemsCodePage) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
  if (system_code_page() != 1252) GTEST_SKIP() << "the rows below are for code page 1252";
  Win32FileSystem files;
  EXPECT_EQ(files.from_system_code_page("C:\\caf\xE9 \x80"), "C:\\café €");
  EXPECT_EQ(files.to_system_code_page("C:\\café €"), "C:\\caf\xE9 \x80");
  EXPECT_EQ(files.to_system_code_page("plain"), "plain");
  EXPECT_EQ(files.to_system_code_page("Ștefan"), std::nullopt);
  EXPECT_EQ(files.to_system_code_page("Clădire"), std::nullopt) << "no look-alike: ă is not a";
  EXPECT_EQ(files.to_system_code_page("caf\xE9"), std::nullopt) << "not UTF-8";
}

TEST(Win32FileSystem, ShortNamesReachFilesOutsideTheSystemsCodePage) {
  const std::string parent = temp_folder("korvel-short");
  const std::string folder = parent + "\\Clădire Ștefan";
  ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((parent + "\\plain").c_str(), nullptr));
  HANDLE file = CreateFileA((folder + "\\turn.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  Win32FileSystem files;
  const std::optional<std::string> short_part = files.short_name(folder);
  ASSERT_TRUE(short_part.has_value());
  EXPECT_TRUE(files.to_system_code_page(*short_part).has_value()) << *short_part;
  EXPECT_EQ(short_part->find('\\'), std::string::npos) << "the last part alone";
  EXPECT_EQ(files.short_name(parent + "\\plain"), std::nullopt) << "a name that is its own short name";
  EXPECT_EQ(files.short_name(folder + "\\missing.dat"), std::nullopt);

  const std::optional<std::string> readable = readable_name(files, folder + "\\turn.dat");
  ASSERT_TRUE(readable.has_value());
  EXPECT_EQ(*readable, parent + "\\" + *short_part + "\\turn.dat");
  EXPECT_TRUE(files.file_exists(*readable));
  korvel::testing::remove_tree(parent);
}

// The dialog hands the chosen path back in the process's code page, UTF-8
// here: the Launcher's buffer holds the longest path Windows keeps, 259
// characters, also when each takes two bytes. A buffer too short for the bytes
// makes the dialog end as if cancelled.
TEST(Win32FileDialogs, AChosenPathAsLongAsWindowsAllowsComesBackWhole) {
  const std::string folder = temp_folder("korvel-chooser");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string_view file = "\\frame.dat";
  // Folders of é up to 259 characters in all, each well within a name's limit.
  const std::size_t letters = 259 - field_length(folder) - file.size();
  const std::size_t parts = letters / 100 + 1;
  std::string path = folder;
  for (std::size_t part = 0, left = letters - parts; part < parts; ++part) {
    path += "\\";
    const std::size_t count = left / (parts - part);
    for (std::size_t i = 0; i < count; ++i) path += "é";
    left -= count;
    ASSERT_TRUE(CreateDirectoryW(widen(path)->c_str(), nullptr)) << path;
  }
  path += file;
  ASSERT_EQ(field_length(path), 259u);
  const HANDLE made = CreateFileW(widen(path)->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  CloseHandle(made);
  char previous[MAX_PATH + 1];
  GetCurrentDirectoryA(sizeof previous, previous);

  // The user types the path and confirms it, as in the Launcher.
  constexpr wchar_t title[] = L"Choose a long path";
  std::thread user([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    HWND chooser = nullptr;
    while (!chooser && std::chrono::steady_clock::now() < deadline) {
      chooser = FindWindowW(L"#32770", title);
      if (!chooser) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!chooser) return;
    SendMessageW(GetDlgItem(chooser, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(path)->c_str()));
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
  });
  FileChoiceBuffers buffers;
  using namespace std::string_view_literals;
  OpenFileRequest request;
  request.filter = "Data files (*.dat)\0*.dat\0\0"sv;
  request.file_name = buffers.file_name.data();
  request.file_name_size = static_cast<unsigned>(buffers.file_name.size());
  request.initial_directory = folder.c_str();
  const std::string narrow_title = narrow(title);
  request.title = narrow_title.c_str();
  request.default_extension = "dat";
  request.flags = ofn_path_must_exist;
  Win32FileDialogs dialogs;
  const int chosen = dialogs.get_open_file_name(request);
  user.join();
  EXPECT_NE(chosen, 0) << "the dialog ended as if cancelled";
  EXPECT_EQ(std::string(buffers.file_name.data()), path);
  // The folder, where the dialog moves the current directory and language.dat
  // is written next, reads back whole as the current directory, more than
  // MAX_PATH bytes as it is: the file is found again at exit.
  const std::string chosen_folder = path.substr(0, path.size() - file.size());
  ASSERT_TRUE(SetCurrentDirectoryW(widen(chosen_folder)->c_str()));
  EXPECT_EQ(Win32FileSystem().current_directory(), chosen_folder);

  SetCurrentDirectoryA(previous);
  korvel::testing::remove_tree(folder);
}

TEST(Win32Processes, ProgramsStartShownByDefaultWithNoHandlesAndNoFlags) {
  const ProcessStart start = process_start();
  STARTUPINFOA expected;
  ZeroMemory(&expected, sizeof expected);  // every other field zero, no start-up flags
  expected.cb = sizeof expected;
  expected.wShowWindow = 10;  // SW_SHOWDEFAULT
  EXPECT_EQ(std::memcmp(&start.startup, &expected, sizeof expected), 0);
  EXPECT_FALSE(start.inherit_handles);
  EXPECT_EQ(start.creation_flags, 0u);
}

TEST(Win32Processes, AnEndedProgramIsOpenedByItsIdAsItself) {
  // The stand-in, built beside this program, ends at once in "exit" mode.
  const std::string standin = testing::standin_that_exits();

  Win32Processes processes;
  const std::optional<StartedProcess> started = processes.start(standin, " \t");
  SetEnvironmentVariableA("KORVEL_STANDIN_MODE", nullptr);
  ASSERT_TRUE(started.has_value()) << standin;
  const HANDLE start_handle = reinterpret_cast<HANDLE>(started->handle);
  ASSERT_EQ(WaitForSingleObject(start_handle, 30000), WAIT_OBJECT_0);
  const std::optional<std::uint32_t> code = processes.exit_code(started->handle);
  ASSERT_TRUE(code.has_value());
  EXPECT_NE(*code, still_active);

  // The start handle keeps the ended process, so its id still names it and no other.
  const ProcessHandle opened = processes.open(started->id);
  ASSERT_NE(opened, 0u);
  EXPECT_EQ(processes.exit_code(opened), code);
  FILETIME created[2], unused[3];
  GetProcessTimes(start_handle, &created[0], &unused[0], &unused[1], &unused[2]);
  GetProcessTimes(reinterpret_cast<HANDLE>(opened), &created[1], &unused[0], &unused[1], &unused[2]);
  EXPECT_EQ(CompareFileTime(&created[0], &created[1]), 0) << "the same process, started at the same time";
  CloseHandle(reinterpret_cast<HANDLE>(opened));
  CloseHandle(start_handle);
}

}  // namespace
}  // namespace korvel::win32
