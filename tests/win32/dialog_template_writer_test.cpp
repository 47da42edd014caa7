// The in-memory dialog templates: their bytes read back field by field, and
// the dialogs the system makes of them.
#include "platform/win32/dialog_template_writer.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::win32 {
namespace {

// Reads a template by the system's layout, independently of the writer. Each
// item is read from the next DWORD boundary, so a writer that pads wrongly fails.
struct Reader {
  const std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
  std::uint32_t get(int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= std::uint32_t{bytes.at(at++)} << 8 * i;
    return value;
  }
  std::uint32_t word() { return get(2); }
  std::uint32_t dword() { return get(4); }
  short coordinate() { return static_cast<short>(get(2)); }
  std::wstring text() {
    std::wstring s;
    for (std::uint32_t c = word(); c != 0; c = word()) s += static_cast<wchar_t>(c);
    return s;
  }
};

std::wstring wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

struct Kind {
  ControlClass control_class;
  std::uint32_t atom;
  const char* window_class;
};
constexpr std::array<Kind, 5> kinds{{{ControlClass::button, 0x80, "Button"},
                                     {ControlClass::edit, 0x81, "Edit"},
                                     {ControlClass::static_text, 0x82, "Static"},
                                     {ControlClass::list_box, 0x83, "ListBox"},
                                     {ControlClass::combo_box, 0x85, "ComboBox"}}};
const Kind& kind_of(ControlClass c) {
  for (const Kind& k : kinds)
    if (k.control_class == c) return k;
  throw std::logic_error("no such class");
}

TEST(DialogTemplateWriter, EveryTemplateReadsBackFieldByField) {
  for (const auto& [id, items] : {std::pair{102, 57u}, {103, 5u}, {106, 4u}}) {
    SCOPED_TRACE(id);
    const DialogTemplate& t = *find_dialog_template(id);
    const std::vector<std::uint8_t> bytes = write_dialog_template(t);
    Reader in{bytes};
    EXPECT_EQ(in.word(), 1u);       // dlgVer
    EXPECT_EQ(in.word(), 0xFFFFu);  // signature
    EXPECT_EQ(in.dword(), 0u);      // helpID
    EXPECT_EQ(in.dword(), 0u);      // exStyle
    EXPECT_EQ(in.dword(), t.style | DS_SETFONT);
    ASSERT_EQ(in.word(), items);
    for (short expected : {short{0}, short{0}, t.width, t.height}) EXPECT_EQ(in.coordinate(), expected);
    EXPECT_EQ(in.word(), 0u);  // menu
    EXPECT_EQ(in.word(), 0u);  // class
    EXPECT_EQ(in.text(), wide(t.title));
    EXPECT_EQ(in.word(), static_cast<std::uint32_t>(t.point_size));
    EXPECT_EQ(in.word(), static_cast<std::uint32_t>(FW_NORMAL));
    EXPECT_EQ(in.get(1), 0u);  // italic
    EXPECT_EQ(in.get(1), static_cast<std::uint32_t>(DEFAULT_CHARSET));
    EXPECT_EQ(in.text(), wide(t.font));

    for (const ControlTemplate& c : t.controls) {
      SCOPED_TRACE(c.id);
      in.at = (in.at + 3) & ~std::size_t{3};
      EXPECT_EQ(in.dword(), 0u);  // helpID
      EXPECT_EQ(in.dword(), c.extended_style);
      EXPECT_EQ(in.dword(), c.style | WS_CHILD);
      for (short expected : {c.x, c.y, c.width, c.height}) EXPECT_EQ(in.coordinate(), expected);
      EXPECT_EQ(in.dword(), c.id == -1 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(c.id));
      EXPECT_EQ(in.word(), 0xFFFFu);
      EXPECT_EQ(in.word(), kind_of(c.control_class).atom);
      EXPECT_EQ(in.text(), wide(c.caption));
      EXPECT_EQ(in.word(), 0u);  // extraCount
    }
    EXPECT_EQ(in.at, bytes.size());
  }
}

TEST(DialogTemplateWriter, AnsiTitlesAreConvertedNotWidened) {
  // The title in the process's code page: UTF-8 under the manifest, else Western.
  const char* title = GetACP() == CP_UTF8 ? "Caf\xc3\xa9 \xe2\x82\xac" : "Caf\xe9 \x80";
  if (GetACP() != CP_UTF8 && GetACP() != 1252) GTEST_SKIP() << "needs UTF-8 or the Western ANSI code page";
  const DialogTemplate t{1, title, 10, 10, 8, "MS Sans Serif", WS_POPUP, {}};
  const std::vector<std::uint8_t> bytes = write_dialog_template(t);
  Reader in{bytes, 30};  // the title's offset
  EXPECT_EQ(in.text(), L"Caf\u00e9 \u20ac");
}

INT_PTR CALLBACK plain_dialog_proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(DialogTemplateWriter, SystemMakesTheDialogsAsLaidOut) {
  HDC screen = GetDC(nullptr);
  const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  for (const auto& [id, face, points] : {std::tuple{102, "MS Sans Serif", 8}, {103, "Times New Roman", 11}}) {
    SCOPED_TRACE(id);
    const DialogTemplate& t = *find_dialog_template(id);
    const std::vector<std::uint8_t> bytes = write_dialog_template(t);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                             nullptr, plain_dialog_proc, 0);
    ASSERT_NE(dialog, nullptr);

    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA logfont{};
    GetObjectA(font, sizeof logfont, &logfont);
    EXPECT_STREQ(logfont.lfFaceName, face);
    EXPECT_EQ(logfont.lfHeight, -MulDiv(points, pixels_per_inch, 72));

    RECT units{0, 0, t.width, t.height};
    MapDialogRect(dialog, &units);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    int children = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(t.controls.size()));
    for (const ControlTemplate& c : t.controls) {
      if (c.id == -1) continue;
      SCOPED_TRACE(c.id);
      HWND control = GetDlgItem(dialog, c.id);
      ASSERT_NE(control, nullptr);
      char name[32] = {};
      GetClassNameA(control, name, sizeof name);
      EXPECT_STRCASEEQ(name, kind_of(c.control_class).window_class);
      const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
      EXPECT_EQ((style & WS_TABSTOP) != 0, (c.style & WS_TABSTOP) != 0);
      EXPECT_EQ((style & WS_VISIBLE) != 0, c.id != IDCANCEL);  // both Cancel buttons are hidden
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), font);
    }
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace korvel::win32
