// The settings-file tests on real files: a fresh folder under the temporary
// directory, made the current directory for the test and removed after it.
#include <windows.h>

#include <string>

#include "file_tree.h"
#include "files_under_test.h"
#include "platform/win32/win32_platform.h"

namespace korvel::testing {

namespace {

class RealFilesUnderTest final : public FilesUnderTest {
 public:
  RealFilesUnderTest() {
    char previous[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    folder_ = std::string(temp) + "korvel-files-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    CreateDirectoryA(folder_.c_str(), nullptr);
    SetCurrentDirectoryA(folder_.c_str());
  }
  ~RealFilesUnderTest() override {
    SetCurrentDirectoryA(previous_.c_str());
    remove_tree(folder_);
  }
  FileSystem& files() override { return files_; }
  std::string folder() override { return folder_; }
  void make_read_only(std::string_view path) override {
    SetFileAttributesA(std::string(path).c_str(), FILE_ATTRIBUTE_READONLY);
  }
  void make_folder(std::string_view path) override { CreateDirectoryA(std::string(path).c_str(), nullptr); }

 private:
  win32::Win32FileSystem files_;
  std::string folder_;
  std::string previous_;
};

}  // namespace

std::unique_ptr<FilesUnderTest> make_files_under_test() { return std::make_unique<RealFilesUnderTest>(); }

}  // namespace korvel::testing
