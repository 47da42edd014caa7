// Dialog templates as the Win32 dialog functions take them: the core's layout
// data written out as an in-memory extended dialog template (DLGTEMPLATEEX with
// its DLGITEMTEMPLATEEX items), so the executable needs no dialog resources.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dialog_template.h"

namespace korvel::win32 {

// The predefined window-class atoms an item names its class by.
enum class ClassAtom : std::uint16_t {
  button = 0x0080,
  edit = 0x0081,
  static_text = 0x0082,
  list_box = 0x0083,
  combo_box = 0x0085,
};

ClassAtom class_atom(ControlClass control_class);

// The template's bytes. Offsets inside are DWORD-aligned counted from the first
// byte; the vector's storage comes from operator new, which aligns it further,
// so data() can be handed to CreateDialogIndirectParamA as it is.
//
// The dialog is placed at 0, 0: the owner's client origin, or the screen's
// centre for a DS_CENTER dialog. Every control gets WS_CHILD; whether it is
// visible is the template's choice (a hidden control lacks WS_VISIBLE). Texts
// are in the ANSI code page and are stored as UTF-16.
std::vector<std::uint8_t> write_dialog_template(const DialogTemplate& layout);

}  // namespace korvel::win32
