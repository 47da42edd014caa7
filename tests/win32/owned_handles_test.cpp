// What the adapter makes, it frees: a coloured dialog's own data and brushes,
// and the handles of a started program. Wine 8 answers 0 to GetGuiResources
// and GetProcessHandleCount: kernel handles are counted by asking each handle
// value whether it is one, the adapter's records by counting this program's
// C++ allocations, GDI objects one by one.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>

#include "file_tree.h"
#include "platform/dialog_template.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_platform.h"

namespace {
std::atomic<long> live_allocations{0};
}  // namespace

// Every C++ allocation of this test program, counted; nothing else changes.
void* operator new(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  ++live_allocations;
  return memory;
}
void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  --live_allocations;
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }

namespace korvel::win32 {
namespace {

bool is_kernel_handle(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}
// Kernel handles of this process: Wine gives out small multiples of four.
int open_kernel_handles() {
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x4000; value += 4) count += is_kernel_handle(reinterpret_cast<HANDLE>(value));
  return count;
}
bool is_gdi_object(HGDIOBJ object) { return GetObjectType(object) != 0; }

class SilentDialog final : public DialogEvents {
 public:
  void dialog_created(void*, NativeWindow) override {}
  void dialog_command(void*, int, int) override {}
  void dialog_cancel_requested(void*) override {}
  void dialog_activated(void*, bool) override {}
  void dialog_resized(void*) override {}
  void dialog_destroyed(void*) override {}
  void dialog_files_dropped(void*, int, const std::vector<std::string>&) override {}
  void dialog_help_requested(void*) override {}
};

void serve_waiting_messages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The main dialog made, coloured twice (the second colouring replaces the
// first brush) and destroyed, twenty times: its record, its colours and its
// brushes go with it.
TEST(Win32DialogData, AColouredDialogGivesBackItsRecordColoursAndBrushes) {
  Win32NativeDialogs dialogs;
  Win32Windows windows;
  SilentDialog events;
  const DialogTemplate& layout = *find_dialog_template(102);
  const std::array edits{1001, 1012};
  const auto brush_of = [](HWND dialog) {
    HDC dc = GetDC(dialog);
    const auto brush = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1001))));
    ReleaseDC(dialog, dc);
    return brush;
  };

  const auto make_colour_and_destroy = [&] {
    const NativeWindow window = dialogs.create_modeless(layout, 0, SW_HIDE, events, &events);
    ASSERT_NE(window, 0u);
    const HWND dialog = reinterpret_cast<HWND>(window);
    windows.colour_fields(window, edits, {}, RGB(255, 255, 180));
    const HGDIOBJ first = brush_of(dialog);
    windows.colour_fields(window, edits, {}, RGB(200, 255, 200));
    const HGDIOBJ second = brush_of(dialog);
    EXPECT_FALSE(is_gdi_object(first)) << "the first colouring's brush went with it";
    EXPECT_TRUE(is_gdi_object(second));
    dialogs.destroy(window);
    serve_waiting_messages();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(is_gdi_object(second)) << "the brush went with its dialog";
  };
  make_colour_and_destroy();  // what the system makes once per process is made now

  const long allocations = live_allocations;
  const int handles = open_kernel_handles();
  for (int round = 0; round < 20; ++round) make_colour_and_destroy();
  EXPECT_EQ(live_allocations, allocations) << "every dialog's record and colours freed";
  EXPECT_EQ(open_kernel_handles(), handles);
}

// A start keeps the process handle alone: the program's thread handle is
// closed at once, and closing the process handle gives back the last one.
TEST(Win32Processes, AStartKeepsOnlyTheProcessHandleAndCloseGivesItBack) {
  const std::string standin = testing::standin_that_exits();
  Win32Processes processes;
  const auto start_and_wait = [&] {
    const std::optional<StartedProcess> started = processes.start(standin, " \t");
    if (started) WaitForSingleObject(reinterpret_cast<HANDLE>(started->handle), 30000);
    return started;
  };
  // A first start may leave the system's own handles open for the next ones.
  const std::optional<StartedProcess> first = start_and_wait();
  ASSERT_TRUE(first.has_value()) << standin;
  processes.close(first->handle);

  const int before = open_kernel_handles();
  const std::optional<StartedProcess> started = start_and_wait();
  SetEnvironmentVariableA("KORVEL_STANDIN_MODE", nullptr);
  ASSERT_TRUE(started.has_value());
  EXPECT_EQ(open_kernel_handles(), before + 1) << "the process handle, and no thread handle";
  const ProcessHandle opened = processes.open(started->id);
  ASSERT_NE(opened, 0u);
  EXPECT_EQ(open_kernel_handles(), before + 2);
  processes.close(opened);
  processes.close(started->handle);
  processes.close(0);
  EXPECT_FALSE(is_kernel_handle(reinterpret_cast<HANDLE>(started->handle)));
  EXPECT_EQ(open_kernel_handles(), before);
}

}  // namespace
}  // namespace korvel::win32
