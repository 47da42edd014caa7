// The benchmark's baseline: a program that does nothing but show an empty
// dialog and wait, so the platform's own cost of a dialog program can be told
// from the Launcher's. Given a program's path on its command line, it starts
// that program (with a TAB as its argument text, as the Launcher's tools get)
// whenever it is sent the command of the Launcher's Structure Graph button,
// and does nothing else for it.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/control_ids.h"

namespace {

const char* program_to_start = "";

void start_program() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  char line[] = " \t";
  if (CreateProcessA(program_to_start, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
}

INT_PTR CALLBACK dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == korvel::main_dialog_ids::structure_graph_button && *program_to_start) start_program();
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  program_to_start = command_line;
  // DLGTEMPLATE, then empty menu and class, the title "Empty", no controls.
  std::vector<WORD> memory(64, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(memory.data());
  dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER | DS_MODALFRAME;
  dialog->cx = 200;
  dialog->cy = 100;
  WORD* tail = reinterpret_cast<WORD*>(dialog + 1);
  *tail++ = 0;  // menu
  *tail++ = 0;  // class
  for (const char* c = "Empty"; *c; ++c) *tail++ = static_cast<WORD>(*c);
  *tail++ = 0;
  if (!CreateDialogIndirectParamA(instance, dialog, nullptr, dialog_proc, 0)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
