// The name of an installation's claim on the real system: one for every
// spelling of its Exe folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_running_launchers.h"

namespace korvel::win32 {
namespace {

std::string new_folder(const std::string& name) {
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST(Win32RunningLaunchers, EverySpellingOfTheFolderGivesOneName) {
  const std::string folder = new_folder("Korvel Installation Exe");
  char short_form[MAX_PATH + 1] = {};
  ASSERT_NE(GetShortPathNameA(folder.c_str(), short_form, sizeof short_form), 0u);
  const std::string name = running_launcher_name(folder);
  EXPECT_EQ(name.rfind("KORVEL-Launcher-", 0), 0u);
  EXPECT_EQ(name.find('\\'), std::string::npos);  // a backslash would name a namespace
  for (const std::string& same : {upper(folder), folder + "\\", std::string(short_form)})
    EXPECT_EQ(running_launcher_name(same), name) << same;
  for (const std::string& other : {folder + "2", folder.substr(0, folder.rfind('\\')), std::string()})
    EXPECT_NE(running_launcher_name(other), name) << other;
  EXPECT_EQ(running_launcher_name(std::string(5000, 'x')).size(), name.size());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace korvel::win32
