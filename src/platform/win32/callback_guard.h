// No C++ exception may unwind through the system's frames: a window, dialog or
// hook procedure is called by DispatchMessage, a modal loop or a sent message,
// and Windows does not promise to pass an exception through them (64-bit
// Windows may swallow it or end the process). Each procedure of the adapter
// catches at its boundary and parks what it caught; the parking ends every
// loop that runs (the quit message ends the system's modal loops too), and the
// adapter call that ran those messages throws it again in the caller's frames.
#pragma once

#include <exception>

namespace korvel::win32 {

// Keeps the exception being handled (the first one when several come before
// it is thrown again) and posts the quit message.
void park_exception() noexcept;

// Whether an exception waits to be thrown again.
bool exception_parked() noexcept;

// Throws the parked exception, if any, after taking back the quit message the
// parking posted, so that a later message box or loop is not ended by it.
void rethrow_parked();

// A procedure's body run at the boundary: its result, or `fallback` once what
// it threw is parked.
template <class Result, class Body>
Result guarded(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    park_exception();
    return fallback;
  }
}

}  // namespace korvel::win32
