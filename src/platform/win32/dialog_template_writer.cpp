#include "platform/win32/dialog_template_writer.h"

#include <windows.h>

#include <stdexcept>
#include <string_view>

namespace korvel::win32 {

namespace {

// Appends little-endian fields, as the template's layout has them on x86.
class TemplateBytes {
 public:
  void word(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void dword(std::uint32_t value) {
    word(static_cast<std::uint16_t>(value & 0xFFFF));
    word(static_cast<std::uint16_t>(value >> 16));
  }
  void coordinate(short value) { word(static_cast<std::uint16_t>(value)); }
  void byte(std::uint8_t value) { bytes_.push_back(value); }

  // An ANSI text as NUL-terminated UTF-16.
  void text(std::string_view ansi) {
    if (!ansi.empty()) {
      const int size = static_cast<int>(ansi.size());
      const int count = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
      std::wstring wide(static_cast<std::size_t>(count), L'\0');
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), count);
      for (wchar_t c : wide) word(static_cast<std::uint16_t>(c));
    }
    word(0);
  }

  // Every item starts on a DWORD boundary.
  void align_dword() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }

  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

ClassAtom class_atom(ControlClass control_class) {
  switch (control_class) {
    case ControlClass::button: return ClassAtom::button;
    case ControlClass::edit: return ClassAtom::edit;
    case ControlClass::static_text: return ClassAtom::static_text;
    case ControlClass::list_box: return ClassAtom::list_box;
    case ControlClass::combo_box: return ClassAtom::combo_box;
  }
  throw std::invalid_argument("unknown control class");
}

std::vector<std::uint8_t> write_dialog_template(const DialogTemplate& layout) {
  if (layout.controls.size() > 0xFFFF) throw std::invalid_argument("too many dialog items");
  // A named font needs DS_SETFONT, else the font block would be read as an item.
  std::uint32_t style = layout.style;
  if (!layout.font.empty()) style |= DS_SETFONT;

  TemplateBytes out;
  out.word(1);       // dlgVer
  out.word(0xFFFF);  // signature: the extended layout
  out.dword(0);      // helpID
  out.dword(0);      // exStyle
  out.dword(style);
  out.word(static_cast<std::uint16_t>(layout.controls.size()));
  out.coordinate(0);  // x, y: see the header
  out.coordinate(0);
  out.coordinate(layout.width);
  out.coordinate(layout.height);
  out.word(0);  // no menu
  out.word(0);  // the system's dialog class
  out.text(layout.title);
  if (style & DS_SETFONT) {
    out.word(static_cast<std::uint16_t>(layout.point_size));
    out.word(FW_NORMAL);
    out.byte(0);  // not italic
    out.byte(DEFAULT_CHARSET);
    out.text(layout.font);
  }

  for (const ControlTemplate& control : layout.controls) {
    out.align_dword();
    out.dword(0);  // helpID
    out.dword(control.extended_style);
    out.dword(control.style | WS_CHILD);
    out.coordinate(control.x);
    out.coordinate(control.y);
    out.coordinate(control.width);
    out.coordinate(control.height);
    out.dword(static_cast<std::uint32_t>(control.id));  // -1 becomes 0xFFFFFFFF
    out.word(0xFFFF);
    out.word(static_cast<std::uint16_t>(class_atom(control.control_class)));
    out.text(control.caption);
    out.word(0);  // no creation data
  }
  return out.take();
}

}  // namespace korvel::win32
