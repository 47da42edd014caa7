// The release installer as a user meets it, in a Wine prefix of its own: a
// silent install for the user alone (the default) or for all users, the
// Launcher started from its Start-menu shortcut, an upgrade over the
// installation and the uninstaller that Add/Remove Programs runs. Run by
// run_installer_test.sh with KORVEL_SETUP and KORVEL_VERSION set.
#include "harness.h"

#include <aclapi.h>
#include <sddl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

namespace korvel::e2e {
namespace {

const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORVEL";

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
  return text;
}

// Runs a program to its end; its exit code, or nothing when it did not end in time.
std::optional<DWORD> run(const std::string& program, const std::string& arguments) {
  Program process(program, "\"" + program + "\" " + arguments, "C:\\");
  if (!process.started()) return std::nullopt;
  return process.wait_for_exit(120s);
}

std::optional<std::string> uninstall_value(HKEY hive, const std::string& name) {
  char value[1024];
  DWORD size = sizeof value;
  if (RegGetValueA(hive, kUninstallKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(value);
}

bool uninstall_key_exists(HKEY hive) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, kUninstallKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string known_folder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

// Who an installation is for, and where that puts it.
struct Mode {
  std::string install_arguments;  // of the first, silent installation
  std::string root;
  HKEY uninstall_hive;
  HKEY other_hive;
  int start_menu;  // the CSIDL of the Start menu's programs folder
};

Mode per_user() {
  return {"/S", known_folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\KORVEL", HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
          CSIDL_PROGRAMS};
}

Mode all_users() {
  return {"/S /ALLUSERS", "C:\\KORVEL", HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, CSIDL_COMMON_PROGRAMS};
}

// What `who` may do in `folder` by the entries naming it, and how those are
// inherited; nothing when the folder's DACL can't be read.
struct Rights {
  ACCESS_MASK mask = 0;
  BYTE inheritance = 0;
};

std::optional<Rights> rights_of(WELL_KNOWN_SID_TYPE who, const std::string& folder) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD sid_size = sizeof sid;
  CreateWellKnownSid(who, nullptr, sid, &sid_size);
  Rights rights;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    if (!EqualSid(&ace->SidStart, sid)) continue;
    rights.mask |= ace->Mask;
    rights.inheritance |= ace->Header.AceFlags;
  }
  LocalFree(descriptor);
  return rights;
}

// Whether the file system keeps an entry for the users that is set on a
// folder. Wine 8 does not: it maps a DACL onto the Unix mode bits, so only
// the owner's and everyone's rights come back.
bool keeps_users_entries() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "korvel-dacl-probe";
  CreateDirectoryA(folder.c_str(), nullptr);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;OICI;FA;;;BU)", SDDL_REVISION_1, &descriptor, nullptr);
  SetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  const std::optional<Rights> users = rights_of(WinBuiltinUsersSid, folder);
  RemoveDirectoryA(folder.c_str());
  return users && users->mask != 0;
}

// icacls's (M): read, write, run and delete.
constexpr ACCESS_MASK kModify = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;

struct Shortcut {
  std::string target;
  std::string folder;  // the working folder the program is started in
};

std::optional<Shortcut> read_shortcut(const std::string& path) {
  std::optional<Shortcut> result;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return result;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::wstring wide(path.begin(), path.end());
    char target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)))
      result = Shortcut{target, folder};
    file->Release();
  }
  link->Release();
  return result;
}

// Every file and folder under `root`, relative to it; folders end in a backslash.
std::set<std::string> tree(const std::string& root, const std::string& prefix = {}) {
  std::set<std::string> entries;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((root + "\\" + prefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries.insert(prefix + name + "\\");
      entries.merge(tree(root, prefix + name + "\\"));
    } else {
      entries.insert(prefix + name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

// A copy of the installation's uninstaller in the temporary folder: NSIS's
// uninstaller runs itself from such a copy, which the test can wait for.
std::string uninstaller_copy(const std::string& root) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "KORVEL-uninstall.exe";
  return CopyFileA((root + "\\Uninstall.exe").c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

// Runs the uninstaller as Add/Remove Programs' quiet command does, to its end.
std::optional<DWORD> run_uninstaller(const std::string& root, const std::string& arguments) {
  const std::string copy = uninstaller_copy(root);
  if (copy.empty()) return std::nullopt;
  const std::optional<DWORD> code = run(copy, arguments + " _?=" + root);
  DeleteFileA(copy.c_str());
  return code;
}

// The installed Launcher started as its Start-menu shortcut starts it, and its main dialog.
struct StartedLauncher {
  Program program;
  HWND dialog = nullptr;

  explicit StartedLauncher(const Shortcut& shortcut)
      : program(shortcut.target, "Korvel.exe", shortcut.folder), dialog(wait_for_dialog(program.id(), "KORVEL", 60s)) {}

  void exit() {
    click(dialog, exit_button);
    ASSERT_TRUE(program.wait_for_exit(30s)) << "the Launcher did not end";
  }
};

class Installer : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

// Installs, starts, upgrades and uninstalls KORVEL in `mode`;
// `installed_check` checks what only that mode brings while it is installed.
void install_run_upgrade_uninstall(const Mode& mode, const std::function<void()>& installed_check) {
  const std::string& kRoot = mode.root;
  const std::string kExe = kRoot + "\\Exe";
  const auto uninstall_value = [&](const std::string& name) { return e2e::uninstall_value(mode.uninstall_hive, name); };
  const std::string start_menu_shortcut = known_folder(mode.start_menu) + "\\KORVEL.lnk";
  const std::string setup = environment("KORVEL_SETUP");
  const std::vector<std::string> settings_files = {"Exe\\Sound.dat", "Exe\\recent.dat", "Exe\\work_dir.dat"};

  // A silent first installation into the mode's default folder.
  ASSERT_EQ(run(setup, mode.install_arguments), 0u);
  const std::set<std::string> installed = tree(kRoot);
  for (const char* entry : {"Exe\\Korvel.exe", "Exe\\Uir\\iconKorvel.ico", "Exe\\Wav\\KorvelWelcome.wav",
                            "Dat\\frame.dat", "Dat\\frame.inc", "Doc\\", "Uninstall.exe"})
    EXPECT_TRUE(installed.count(entry)) << entry;
  for (const std::string& file : settings_files) EXPECT_FALSE(installed.count(file)) << file;
  EXPECT_EQ(uninstall_value("DisplayName"), "KORVEL");
  EXPECT_EQ(uninstall_value("DisplayVersion"), environment("KORVEL_VERSION"));
  EXPECT_EQ(uninstall_value("UninstallString"), "\"" + kRoot + "\\Uninstall.exe\"");
  EXPECT_EQ(uninstall_value("QuietUninstallString"), "\"" + kRoot + "\\Uninstall.exe\" /S");
  EXPECT_FALSE(uninstall_key_exists(mode.other_hive)) << "the key belongs in the mode's hive alone";
  installed_check();

  // Started as its Start-menu shortcut starts it, in the Exe folder, the
  // Launcher finds its installation and writes its settings there.
  const std::optional<Shortcut> shortcut = read_shortcut(start_menu_shortcut);
  ASSERT_TRUE(shortcut) << start_menu_shortcut;
  EXPECT_EQ(lower(shortcut->target), lower(kExe + "\\Korvel.exe"));
  ASSERT_EQ(lower(shortcut->folder), lower(kExe));
  const std::string sound = kExe + "\\Wav\\Running-2.wav";
  {
    StartedLauncher korvel(*shortcut);
    ASSERT_NE(korvel.dialog, nullptr) << "the main dialog never showed";

    // While it runs, a silent upgrade and a silent uninstall refuse with
    // their own exit code and change nothing: no file replaced (a sound the
    // upgrade writes again) or removed, the entry and the shortcut kept.
    ASSERT_TRUE(write_file(sound, "changed by the test"));
    const std::set<std::string> before = tree(kRoot);
    EXPECT_EQ(run(setup, "/S"), 6u) << "upgrade while the Launcher runs";
    EXPECT_TRUE(read_file(sound) == "changed by the test") << "the sound was written again";
    EXPECT_EQ(run_uninstaller(kRoot, "/S"), 6u) << "uninstall while the Launcher runs";
    EXPECT_EQ(tree(kRoot), before);
    EXPECT_TRUE(uninstall_key_exists(mode.uninstall_hive));
    EXPECT_TRUE(file_exists(start_menu_shortcut));
    ASSERT_NO_FATAL_FAILURE(korvel.exit());
  }
  ASSERT_TRUE(file_exists(kExe + "\\Sound.dat"));
  ASSERT_TRUE(file_exists(kExe + "\\recent.dat"));

  // A file of the installation that can't be written fails the upgrade
  // (aborted, 2) instead of being skipped with a success at the end.
  {
    HANDLE held = CreateFileA((kExe + "\\Uir\\iconKorvel.ico").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(run(setup, "/S"), 2u) << "upgrade with a file held open";
    CloseHandle(held);
  }

  // Installing again over it (no folder nor mode given: it finds the installation)
  // keeps the user's settings and an edited sample byte for byte.
  ASSERT_TRUE(write_file(kExe + "\\work_dir.dat", "D:\\Analyses\\Bridge\r\n"));
  // The user's edit of a sample keeps its size: only its bytes tell it from the sample.
  std::string frame = read_file(kRoot + "\\Dat\\frame.dat").value_or("");
  ASSERT_FALSE(frame.empty());
  frame.back() = frame.back() == 'x' ? 'y' : 'x';
  ASSERT_TRUE(write_file(kRoot + "\\Dat\\frame.dat", frame));
  std::map<std::string, std::string> kept;
  for (const std::string& file : settings_files) kept[file] = read_file(kRoot + "\\" + file).value_or("");
  kept["Dat\\frame.dat"] = frame;

  ASSERT_EQ(run(setup, "/S"), 0u);
  EXPECT_FALSE(read_file(sound) == "changed by the test") << "the upgrade replaces the program's own files";
  for (const auto& [file, content] : kept) EXPECT_EQ(read_file(kRoot + "\\" + file), content) << file;
  EXPECT_EQ(uninstall_value("InstallLocation"), kRoot);
  std::set<std::string> upgraded = tree(kRoot);
  for (const std::string& file : settings_files) upgraded.erase(file);
  EXPECT_EQ(upgraded, installed);

  // Uninstalling with Add/Remove Programs' quiet command removes what was
  // installed as it was installed: the settings and the edited sample stay.
  EXPECT_EQ(run_uninstaller(kRoot, "/S"), 0u);

  std::set<std::string> left = {"Exe\\", "Dat\\", "Dat\\frame.dat"};
  left.insert(settings_files.begin(), settings_files.end());
  EXPECT_EQ(tree(kRoot), left) << "only the user's settings, the edited sample and their folders stay";
  EXPECT_EQ(read_file(kRoot + "\\Dat\\frame.dat"), frame);
  EXPECT_FALSE(uninstall_key_exists(mode.uninstall_hive));
  EXPECT_FALSE(file_exists(start_menu_shortcut));
}

TEST_F(Installer, PerUserByDefault) {
  install_run_upgrade_uninstall(per_user(), [] {});
}

TEST_F(Installer, AllUsersMayChangeExeAndDat) {
  install_run_upgrade_uninstall(all_users(), [] {
    const std::string root = all_users().root;
    if (keeps_users_entries()) {
      for (const std::string& folder : {root + "\\Exe", root + "\\Dat"}) {
        const std::optional<Rights> users = rights_of(WinBuiltinUsersSid, folder);
        ASSERT_TRUE(users) << folder;
        EXPECT_EQ(users->mask & kModify, kModify) << folder;
        EXPECT_EQ(users->inheritance & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
                  OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)
            << folder << ": files made there later must be the users' to change too";
      }
    } else {
      // Nothing shows of the entry itself: what tells that the installer
      // gave it is its exit code, 0 only when the rights were set.
      std::printf("This file system keeps no users' entries: the rights given could not be read back\n");
    }
  });
}

// The user's own folder under the system drive's root that a per-user
// installation takes when the profile's path holds a full stop.
std::string folder_under_the_root() {
  char user[256] = {};
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  std::string name = user;
  std::replace(name.begin(), name.end(), '.', '-');
  return "C:\\KORVEL-" + name;
}

// Run by run_installer_test.sh in a prefix whose user is first.last: the
// profile, and the per-user default under it, hold a full stop.
TEST_F(Installer, ProfileWithAFullStopInstallsUnderTheRoot) {
  const std::string setup = environment("KORVEL_SETUP");
  ASSERT_NE(known_folder(CSIDL_LOCAL_APPDATA).find('.'), std::string::npos) << "the prefix's user has no full stop";
  const std::string root = folder_under_the_root();
  const std::string shortcut_path = known_folder(CSIDL_PROGRAMS) + "\\KORVEL.lnk";
  const auto nothing_installed = [&] {
    EXPECT_FALSE(uninstall_key_exists(HKEY_CURRENT_USER));
    EXPECT_FALSE(uninstall_key_exists(HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(file_exists(shortcut_path));
  };

  // A folder whose path holds a full stop is refused, for the user or for
  // all users, with an exit code of its own; nothing is made.
  for (const char* arguments : {"/S /D=C:\\My.Jobs\\KORVEL", "/S /CURRENTUSER /D=C:\\Work.2020\\KORVEL",
                                "/S /ALLUSERS /D=C:\\My.Jobs\\KORVEL"}) {
    EXPECT_EQ(run(setup, arguments), 4u) << arguments;
    EXPECT_EQ(GetFileAttributesA("C:\\My.Jobs"), INVALID_FILE_ATTRIBUTES) << arguments;
    EXPECT_EQ(GetFileAttributesA("C:\\Work.2020"), INVALID_FILE_ATTRIBUTES) << arguments;
    nothing_installed();
  }
  // The default folder taken by something that is not a folder of the user's
  // to write in: refused before anything is written.
  ASSERT_TRUE(write_file(root, "not a folder"));
  EXPECT_EQ(run(setup, "/S"), 5u);
  EXPECT_EQ(read_file(root), "not a folder");
  nothing_installed();
  ASSERT_TRUE(DeleteFileA(root.c_str()));

  // The defaults: the user's own folder under the root, without a full stop.
  ASSERT_EQ(run(setup, "/S"), 0u);
  EXPECT_EQ(root.find('.', 2), std::string::npos) << root;
  EXPECT_EQ(uninstall_value(HKEY_CURRENT_USER, "InstallLocation"), root);
  EXPECT_TRUE(file_exists(root + "\\Exe\\Korvel.exe"));
  if (keeps_users_entries()) {
    // Private as the profile is: nothing handed down from the root lets other users in.
    for (WELL_KNOWN_SID_TYPE others : {WinAuthenticatedUserSid, WinBuiltinUsersSid, WinWorldSid}) {
      const std::optional<Rights> rights = rights_of(others, root + "\\Exe");
      ASSERT_TRUE(rights);
      EXPECT_EQ(rights->mask, 0u) << others;
    }
  } else {
    std::printf("This file system keeps no users' entries: the folder's private rights could not be read back\n");
  }

  // Select #1 in the installed Launcher: the open-file dialog starts in Dat,
  // frame.dat is chosen there, and the derived names lie beside it. Then an
  // analysis: the stand-in for the solver writes its Output File by the
  // solver's own rule, beside the Geometry File.
  const std::optional<Shortcut> shortcut = read_shortcut(shortcut_path);
  ASSERT_TRUE(shortcut) << shortcut_path;
  ASSERT_TRUE(CopyFileA(environment("KORVEL_STANDIN_EXE").c_str(), (root + "\\Exe\\VEK.exe").c_str(), FALSE));
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  SetEnvironmentVariableA("KORVEL_STANDIN_JOURNAL", (std::string(temp) + "korvel-journal.txt").c_str());
  {
    StartedLauncher korvel(*shortcut);
    ASSERT_NE(korvel.dialog, nullptr) << "the main dialog never showed";
    ASSERT_NO_FATAL_FAILURE(choose_file(korvel.dialog, korvel.program.id(), select_geometry_button,
                                        "Select Input File \".dat\"", "frame.dat"));
    const auto field_reads = [&](int id, const std::string& expected) {
      EXPECT_TRUE(wait_until([&] { return trimmed(control_text(korvel.dialog, id)) == expected; }))
          << trimmed(control_text(korvel.dialog, id));
    };
    field_reads(geometry_edit, root + "\\Dat\\frame.dat");
    field_reads(loading_edit, root + "\\Dat\\frame.inc");
    field_reads(output_edit, root + "\\Dat\\frame.rez");
    // The Loading File is found, as the solver will find it.
    EXPECT_EQ(trimmed(list_items(korvel.dialog, file_list)),
              (std::vector<std::string>{"Geometry File", "Loading File", "", "New"}));
    click(korvel.dialog, solver_button);
    EXPECT_TRUE(wait_until([&] { return file_exists(root + "\\Dat\\frame.rez"); }, 30s)) << "no Output File";
    ASSERT_TRUE(wait_until([&] { return children_of(korvel.program.id()).empty(); })) << "the solver still runs";
    ASSERT_NO_FATAL_FAILURE(korvel.exit());
  }

  EXPECT_EQ(run_uninstaller(root, "/S"), 0u);
  nothing_installed();
  EXPECT_FALSE(file_exists(root + "\\Exe\\Korvel.exe"));
}

// ---- The interactive installer and uninstaller ----

// The installer's window: the place of its pages (1018) and the buttons
// Next / Install / Close (1), Cancel (2) and Back (3).
constexpr int page_area = 1018;
constexpr int folder_field = 1019;  // on the folder page
constexpr int back_button = 3;

// The window's control of that id among all it holds: a page's controls lie
// in a dialog of their own inside the window.
HWND descendant(HWND window, int id) {
  std::pair<int, HWND> search{id, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(data);
        if (GetDlgCtrlID(child) != s->first) return TRUE;
        s->second = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

HWND setup_window(DWORD process) {
  for (HWND window : top_windows(process, "#32770"))
    if (GetDlgItem(window, page_area)) return window;
  return nullptr;
}

// A message box of the process, whatever its caption: a dialog with the box's
// text and none of the installer window's controls.
HWND find_box(DWORD process) {
  for (HWND window : top_windows(process, "#32770"))
    if (GetDlgItem(window, message_box_text) && !GetDlgItem(window, page_area) && !GetDlgItem(window, back_button))
      return window;
  return nullptr;
}

// The next box's text, answered with `button`; "<no box>" when none came.
std::string answer_box(DWORD process, int button) {
  HWND box = nullptr;
  if (!wait_until([&] { return (box = find_box(process)) != nullptr; }, 60s)) return "<no box>";
  const std::string text = control_text(box, message_box_text);
  answer(box, button);
  EXPECT_TRUE(wait_until_gone(box));
  return text;
}

// The folder page's field, once the page shows it.
std::string folder_page_field(DWORD process) {
  std::string text;
  wait_until([&] {
    HWND window = setup_window(process);
    HWND field = window ? descendant(window, folder_field) : nullptr;
    return field && !(text = window_text(field)).empty();
  }, 60s);
  return text;
}

// Clicks the window's button 1 (Install, Uninstall, then Close) until the program ends; its exit code.
std::optional<DWORD> click_through(Program& program) {
  wait_until([&] {
    if (HWND window = setup_window(program.id())) click(window, dialog_ids::ok);
    return !program.running();
  }, 120s);
  return program.wait_for_exit(1s);
}

std::string launcher_runs(const std::string& root) {
  return "KORVEL is running from " + root + "\\Exe: end it with E X I T, then choose Retry; Cancel leaves the "
         "installation as it is.";
}

TEST_F(Installer, PagesRefuseAFullStopAndWaitForTheLauncher) {
  const std::string setup = environment("KORVEL_SETUP");
  const std::string root = "C:\\KORVEL-pages";
  const std::string shortcut_path = known_folder(CSIDL_PROGRAMS) + "\\KORVEL.lnk";

  // The folder page keeps the user on it for a folder with a full stop, and
  // takes one without.
  {
    Program installer(setup, "\"" + setup + "\" /CURRENTUSER /D=C:\\My.Jobs\\KORVEL", "C:\\");
    ASSERT_EQ(folder_page_field(installer.id()), "C:\\My.Jobs\\KORVEL");
    click(setup_window(installer.id()), dialog_ids::ok);
    EXPECT_EQ(answer_box(installer.id(), IDOK),
              "KORVEL can't go into C:\\My.Jobs\\KORVEL, whose path holds a full stop: it names an analysis's "
              "Loading and Output files after the first full stop of the whole path, so its folder must have none.");
    EXPECT_EQ(GetFileAttributesA("C:\\My.Jobs"), INVALID_FILE_ATTRIBUTES);
    HWND window = setup_window(installer.id());
    ASSERT_NE(window, nullptr) << "the installer left its folder page";
    // Typed as a user does: the field tells the page of each change.
    SendMessageW(descendant(window, folder_field), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(wide(root).c_str()));
    EXPECT_EQ(click_through(installer), 0u);
  }
  EXPECT_EQ(uninstall_value(HKEY_CURRENT_USER, "InstallLocation"), root);

  const std::optional<Shortcut> shortcut = read_shortcut(shortcut_path);
  ASSERT_TRUE(shortcut) << shortcut_path;
  StartedLauncher korvel(*shortcut);
  ASSERT_NE(korvel.dialog, nullptr) << "the main dialog never showed";
  const std::string sound = root + "\\Exe\\Wav\\Running-2.wav";
  ASSERT_TRUE(write_file(sound, "changed by the test"));

  // An upgrade while the Launcher runs asks to end it; Retry asks again while
  // it still runs, Cancel ends the installer with its code, nothing replaced.
  {
    Program installer(setup, "\"" + setup + "\" /CURRENTUSER", "C:\\");
    ASSERT_EQ(folder_page_field(installer.id()), root);
    click(setup_window(installer.id()), dialog_ids::ok);
    EXPECT_EQ(answer_box(installer.id(), IDRETRY), launcher_runs(root));
    EXPECT_EQ(answer_box(installer.id(), IDCANCEL), launcher_runs(root));
    EXPECT_EQ(installer.wait_for_exit(30s), 6u);
  }
  EXPECT_TRUE(read_file(sound) == "changed by the test") << "the sound was written again";

  // The uninstaller asks the same before its first page; Retry once the
  // Launcher has ended goes on and removes the installation.
  const std::string copy = uninstaller_copy(root);
  ASSERT_FALSE(copy.empty());
  {
    Program uninstaller(copy, "\"" + copy + "\" _?=" + root, "C:\\");
    EXPECT_EQ(answer_box(uninstaller.id(), IDRETRY), launcher_runs(root));
    // Asked again, since it still ran; only then does the user end it.
    ASSERT_TRUE(wait_until([&] { return find_box(uninstaller.id()) != nullptr; }, 60s));
    ASSERT_NO_FATAL_FAILURE(korvel.exit());
    EXPECT_EQ(answer_box(uninstaller.id(), IDRETRY), launcher_runs(root));
    EXPECT_EQ(click_through(uninstaller), 0u);
  }
  DeleteFileA(copy.c_str());
  EXPECT_FALSE(file_exists(root + "\\Exe\\Korvel.exe"));
  EXPECT_FALSE(uninstall_key_exists(HKEY_CURRENT_USER));
  EXPECT_FALSE(file_exists(shortcut_path));
}

}  // namespace
}  // namespace korvel::e2e
