// What the benchmark's parts share: the printed figure, the clock and the
// polling wait.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace korvel::bench {

using Clock = std::chrono::steady_clock;

// One row of the printed table.
struct Figure {
  std::string what;
  double value;
  std::string unit;
  std::string baseline;  // empty when there is none
  double ratio = 0;
  std::string target;
};

inline double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls every millisecond: the figures are tens of milliseconds, and a busy
// loop would take the processor from the programs being measured.
inline bool poll(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(60)) {
  const auto deadline = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() >= deadline) return false;
    Sleep(1);
  }
  return true;
}

// True once a window of another program and all its controls are drawn: none
// has a part left to paint.
inline bool nothing_to_paint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool clean = true;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
        *reinterpret_cast<bool*>(data) = false;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&clean));
  return clean;
}

}  // namespace korvel::bench
