#include "platform/win32/callback_guard.h"

#include <windows.h>

#include <utility>

namespace korvel::win32 {

namespace {
// Only the thread with the windows runs procedures.
std::exception_ptr parked;
}  // namespace

void park_exception() noexcept {
  if (!parked) parked = std::current_exception();
  PostQuitMessage(0);
}

bool exception_parked() noexcept { return static_cast<bool>(parked); }

void rethrow_parked() {
  if (!parked) return;
  const std::exception_ptr exception = std::exchange(parked, nullptr);
  MSG quit;  // the thread has one quit message at most
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  std::rethrow_exception(exception);
}

}  // namespace korvel::win32
