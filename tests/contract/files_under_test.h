// The file system the settings-file tests run against: the in-memory fake in the
// native build, real files in a fresh folder under Wine or Windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace korvel::testing {

class FilesUnderTest {
 public:
  virtual ~FilesUnderTest() = default;
  virtual FileSystem& files() = 0;
  // An empty folder that is also the current directory; no trailing backslash.
  virtual std::string folder() = 0;
  virtual void make_read_only(std::string_view path) = 0;
  virtual void make_folder(std::string_view path) = 0;
};

std::unique_ptr<FilesUnderTest> make_files_under_test();

}  // namespace korvel::testing
