// The benchmark's baseline for the main dialog: the Launcher's own window and
// nothing else. It writes the main dialog's template from the Launcher's
// template table with the Launcher's template writer, loads the same icon
// files from the current folder's Uir folder and sets them on the same buttons,
// shows the dialog and waits. No settings files, no welcome window, and no
// routine: a keystroke in its Geometry edit changes only that edit.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/win32/dialog_template_writer.h"
#include "ui/control_ids.h"
#include "ui/icons.h"

namespace {

using korvel::icon_files;

std::array<HICON, icon_files.size()> icons{};

// The icons as the Launcher loads them: the sizes and colour choice of its table.
void load_icons() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  for (std::size_t i = 0; i < icon_files.size(); ++i) {
    const korvel::IconFile& f = icon_files[i];
    const std::string path = std::string(folder) + "\\Uir\\" + std::string(f.file);
    const UINT flags = LR_LOADFROMFILE | (f.vga_colour ? LR_VGACOLOR : 0u);
    icons[i] = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), path.c_str(), IMAGE_ICON, f.width, f.height, flags));
  }
}

HICON icon_for(int button) {
  for (std::size_t i = 0; i < icon_files.size(); ++i)
    for (int id : icon_files[i].buttons)
      if (id == button) return icons[i];
  return nullptr;
}

INT_PTR CALLBACK dialog_proc(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      for (int id : korvel::icon_button_order)
        SendDlgItemMessageA(window, id, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_for(id)));
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  const korvel::DialogTemplate* layout = korvel::find_dialog_template(korvel::main_dialog_ids::main_dialog_template);
  if (!layout) return 1;
  load_icons();
  const std::vector<std::uint8_t> bytes = korvel::win32::write_dialog_template(*layout);
  HWND dialog = CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr,
                                           dialog_proc, 0);
  if (!dialog) return 1;
  ShowWindow(dialog, show_command);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
