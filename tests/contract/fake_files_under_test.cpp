// The settings-file tests on the in-memory file system.
#include "fake_platform.h"
#include "files_under_test.h"

namespace korvel::testing {

namespace {
class FakeFilesUnderTest final : public FilesUnderTest {
 public:
  FakeFilesUnderTest() { files_.current = "C:\\KORVEL\\Exe"; }
  FileSystem& files() override { return files_; }
  std::string folder() override { return files_.current; }
  void make_read_only(std::string_view path) override { files_.set_read_only(path); }
  void make_folder(std::string_view path) override { files_.add_folder(path); }

 private:
  fake::FakeFileSystem files_;
};
}  // namespace

std::unique_ptr<FilesUnderTest> make_files_under_test() { return std::make_unique<FakeFilesUnderTest>(); }

}  // namespace korvel::testing
