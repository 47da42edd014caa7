// The MSG that a NativeMessage carries for the core. Copied in and out rather
// than cast, so the core's words and the MSG never alias.
#pragma once

#include <windows.h>

#include <cstring>

#include "platform/native_ui.h"

namespace korvel::win32 {

static_assert(sizeof(MSG) <= sizeof(NativeMessage::words), "a MSG must fit in a NativeMessage");

inline MSG message_of(const NativeMessage& message) {
  MSG msg;
  std::memcpy(&msg, message.words, sizeof msg);
  return msg;
}

inline void store_message(NativeMessage& message, const MSG& msg) {
  std::memcpy(message.words, &msg, sizeof msg);
}

inline HWND hwnd_of(NativeWindow window) { return reinterpret_cast<HWND>(window); }
inline NativeWindow window_of(HWND hwnd) { return reinterpret_cast<NativeWindow>(hwnd); }

// Whether the window is an edit control: the name fields.
inline bool is_edit_box(HWND window) {
  wchar_t class_name[8] = {};
  return GetClassNameW(window, class_name, 8) && lstrcmpiW(class_name, L"Edit") == 0;
}

}  // namespace korvel::win32
