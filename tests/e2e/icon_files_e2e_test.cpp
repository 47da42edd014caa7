// Malformed and huge icon files in the installation's Uir folder: the real
// Korvel.exe shows those buttons without an image, every other button with
// its own, and runs and ends as usual.
#include <gtest/gtest.h>

#include "harness.h"
#include "icon_files.h"


namespace korvel::e2e {
namespace {

bool write_icon(const std::string& path, const testing::IconBytes& head, std::uint64_t size) {
  HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool ok = WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr) &&
                  written == head.size() && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

HANDLE button_image(HWND dialog, int id) {
  return reinterpret_cast<HANDLE>(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
}

using IconFilesE2E = LauncherTest;

// The program icon is loaded on the Launcher's main thread, the buttons' on the icons' thread.
TEST_F(IconFilesE2E, MalformedAndHugeIconFilesShowNoImageAndTheOthersLoad) {
  const std::string uir = install.exe() + "\\Uir\\";
  const testing::IconBytes faulting = testing::core_header_with_32_bit_pixels();
  std::uint64_t huge_size = 0;
  const testing::IconBytes huge_head = testing::large_icon_head(5000, huge_size);
  ASSERT_TRUE(write_icon(uir + "iconKorvel.ico", faulting, faulting.size()));
  ASSERT_TRUE(write_icon(uir + "puna.ico", faulting, faulting.size()));
  ASSERT_TRUE(write_icon(uir + "Stress2.ico", huge_head, huge_size));

  ASSERT_NO_FATAL_FAILURE(start_korvel());
  for (const int id : {reactions_button, time_history_button, structure_graph_button, exit_button,
                       select_geometry_button, select_loading_button, help_button})
    EXPECT_TRUE(wait_until([&] { return button_image(dialog, id) != nullptr; })) << id;
  // Set up by now, as the others are.
  for (const int id : {solver_button, displacement_button, stress_button})
    EXPECT_EQ(button_image(dialog, id), nullptr) << id;
  const std::size_t peak = peak_working_set(korvel->id());
  ASSERT_NE(peak, 0u);
  EXPECT_LT(peak, 100u << 20) << "the huge file is not read: about 20 MB, as with small files";
  exit_normally();
}

}  // namespace
}  // namespace korvel::e2e
