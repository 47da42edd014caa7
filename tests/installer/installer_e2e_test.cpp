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
  {
    Program korvel(shortcut->target, "Korvel.exe", shortcut->folder);
    HWND dialog = wait_for_dialog(korvel.id(), "KORVEL", 60s);
    ASSERT_NE(dialog, nullptr) << "the main dialog never showed";
    click(dialog, exit_button);
    ASSERT_TRUE(korvel.wait_for_exit(30s)) << "the Launcher did not end";
  }
  ASSERT_TRUE(file_exists(kExe + "\\Sound.dat"));
  ASSERT_TRUE(file_exists(kExe + "\\recent.dat"));

  // Installing again over it (no folder nor mode given: it finds the installation)
  // keeps the user's settings and an edited sample byte for byte.
  ASSERT_TRUE(write_file(kExe + "\\work_dir.dat", "D:\\Analyses\\Bridge\r\n"));
  ASSERT_TRUE(write_file(kRoot + "\\Dat\\frame.dat", "the user's own frame\r\n"));
  std::map<std::string, std::string> kept;
  for (const std::string& file : settings_files) kept[file] = read_file(kRoot + "\\" + file).value_or("");
  kept["Dat\\frame.dat"] = "the user's own frame\r\n";

  ASSERT_EQ(run(setup, "/S"), 0u);
  for (const auto& [file, content] : kept) EXPECT_EQ(read_file(kRoot + "\\" + file), content) << file;
  EXPECT_EQ(uninstall_value("InstallLocation"), kRoot);
  std::set<std::string> upgraded = tree(kRoot);
  for (const std::string& file : settings_files) upgraded.erase(file);
  EXPECT_EQ(upgraded, installed);

  // Uninstalling with Add/Remove Programs' quiet command, run from a copy as
  // NSIS's uninstaller does itself, so that the test can wait for it.
  const std::string quiet = uninstall_value("QuietUninstallString").value_or("");
  const std::string uninstaller = quiet.substr(1, quiet.find('"', 1) - 1);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "KORVEL-uninstall.exe";
  ASSERT_TRUE(CopyFileA(uninstaller.c_str(), copy.c_str(), FALSE)) << uninstaller;
  EXPECT_EQ(run(copy, "/S _?=" + kRoot), 0u);
  DeleteFileA(copy.c_str());

  std::set<std::string> left = {"Exe\\"};
  left.insert(settings_files.begin(), settings_files.end());
  EXPECT_EQ(tree(kRoot), left) << "only the user's settings and their folder stay";
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

}  // namespace
}  // namespace korvel::e2e
