// The controls' names as screen readers ask for them, their tooltips, and F1,
// on the real dialogs made through the binding layer.
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "platform/win32/win32_dialogs.h"
#include "ui/control_ids.h"
#include "ui/control_names.h"
#include "ui/dialog_layer.h"

namespace korvel::win32 {
namespace {

using namespace main_dialog_ids;

std::wstring wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }  // the names are ASCII

void pump_for(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

class Win32NamedControls : public ::testing::Test {
 protected:
  Win32NativeDialogs native;
  DialogLayer layer{native};

  // The dialog made hidden, as the layer makes it.
  HWND open(DialogRecord& dialog, int template_id) {
    EXPECT_TRUE(DLGOPEN(template_id, dialog));
    EXPECT_TRUE(DLGMODELESS(dialog, SW_HIDE, NativeWindow{0}));
    return reinterpret_cast<HWND>(dialog.window);
  }

  // What a screen reader hears of the control itself: its name or its value.
  static std::wstring accessible_text(HWND control, HRESULT (STDMETHODCALLTYPE IAccessible::*member)(VARIANT, BSTR*)) {
    IAccessible* object = nullptr;
    const HRESULT found =
        AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr) return L"<no object>";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::wstring heard = L"<none>";
    if (SUCCEEDED((object->*member)(self, &text)) && text != nullptr) heard = text;
    SysFreeString(text);
    object->Release();
    return heard;
  }
  static std::wstring accessible_name(HWND control) { return accessible_text(control, &IAccessible::get_accName); }
  static std::wstring accessible_value(HWND control) { return accessible_text(control, &IAccessible::get_accValue); }

  static HWND tooltip_of(HWND dialog) {
    struct Search {
      HWND dialog, found = nullptr;
    } search{dialog};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          char name[64] = {};
          GetClassNameA(window, name, sizeof name);
          if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == s.dialog) s.found = window;
          return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // A tool's text, read with the wide message: under Wine the narrow one
  // gives at most 80 characters of it.
  static std::string tip_of(HWND tooltip, HWND dialog, int id) {
    wchar_t text[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c) narrow += static_cast<char>(*c);  // the tests' texts are ASCII
    return narrow;
  }

  // Each tool's text, by the control id it is for.
  static std::map<int, std::string> tips_of(HWND tooltip) {
    std::map<int, std::string> tips;
    const auto count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool))) continue;
      const auto control = reinterpret_cast<HWND>(tool.uId);
      tips[GetDlgCtrlID(control)] = tip_of(tooltip, tool.hwnd, GetDlgCtrlID(control));
    }
    return tips;
  }
};

// Every control of the main dialog and the Recent Dialog answers with its
// name; window texts stay, and a list's items keep the system's names.
TEST_F(Win32NamedControls, ScreenReadersHearTheNameOfEveryControl) {
  for (int template_id : {main_dialog_template, recent_dialog_ids::recent_dialog_template}) {
    DialogRecord dialog(layer);
    HWND hwnd = open(dialog, template_id);
    ASSERT_NE(hwnd, nullptr);
    for (const ControlName& name : control_names(template_id))
      EXPECT_EQ(accessible_name(GetDlgItem(hwnd, name.id)), wide(name.name)) << template_id << ": " << name.id;
    if (template_id == main_dialog_template) {
      char text[32] = {};
      GetWindowTextA(GetDlgItem(hwnd, help_button), text, sizeof text);
      EXPECT_STREQ(text, "Button1") << "the window text is left as it is";
      native.set_text(dialog.window, geometry_edit, "C:\\Jobs\\frame.dat");
      EXPECT_EQ(accessible_value(GetDlgItem(hwnd, geometry_edit)), L"C:\\Jobs\\frame.dat") << "the system's value";
    }
    DLGEXIT(dialog);
  }
}

// The tooltip holds one tool per icon button, with its name, and one per name
// field, with the field's whole text only while the field shows part of it,
// whether the text was set or typed.
TEST_F(Win32NamedControls, IconButtonsShowTheirNamesAndFieldsTheirCutText) {
  DialogRecord dialog(layer);
  HWND hwnd = open(dialog, main_dialog_template);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(tooltip_of(hwnd), nullptr) << "made when the pointer first comes";
  SendMessageA(GetDlgItem(hwnd, help_button), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  HWND tooltip = tooltip_of(hwnd);
  ASSERT_NE(tooltip, nullptr);

  std::map<int, std::string> expected;
  for (const ControlName& name : control_names(main_dialog_template))
    if (name.tip == ControlTip::name)
      expected[name.id] = std::string(name.name);
    else if (name.tip == ControlTip::whole_text_when_cut)
      expected[name.id] = "";  // ".dat", ".inc", ".rez" fit
  EXPECT_EQ(expected.size(), 24u);
  EXPECT_EQ(tips_of(tooltip), expected);

  const std::string long_name = "C:\\Proiecte\\Cladire Stefan\\" + std::string(120, 'x') + "\\turn.dat";
  native.set_text(dialog.window, geometry_edit, long_name);
  EXPECT_EQ(tip_of(tooltip, hwnd, geometry_edit), long_name);
  native.set_text(dialog.window, geometry_edit, "C:\\a.dat");
  EXPECT_EQ(tip_of(tooltip, hwnd, geometry_edit), "");

  HWND loading = GetDlgItem(hwnd, loading_edit);
  SendMessageA(loading, EM_SETSEL, 0, -1);
  std::string typed;
  for (char c : long_name) {
    SendMessageA(loading, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    typed += c;
    if (typed.size() == 10) {
      EXPECT_EQ(tip_of(tooltip, hwnd, loading_edit), "") << "it fits";
    }
  }
  EXPECT_EQ(tip_of(tooltip, hwnd, loading_edit), long_name);
  DLGEXIT(dialog);
  EXPECT_FALSE(IsWindow(tooltip)) << "the tooltip goes with its dialog";
}

// F1 on a control reaches the dialog as help, which clicks its help button once.
TEST_F(Win32NamedControls, F1OnAnyControlIsOneClickOfTheHelpButton) {
  DialogRecord dialog(layer);
  ASSERT_TRUE(DLGOPEN(main_dialog_template, dialog));
  dialog.help_control = help_button;
  int clicks = 0;
  DLGCALLBACK(dialog, help_button, [&](DialogRecord&, int, int) { ++clicks; });
  ASSERT_TRUE(DLGMODELESS(dialog, SW_HIDE, NativeWindow{0}));
  HWND hwnd = reinterpret_cast<HWND>(dialog.window);
  for (int id : {geometry_edit, file_list, solver_button}) {
    PostMessageA(GetDlgItem(hwnd, id), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(GetDlgItem(hwnd, id), WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC03B0001));
  }
  pump_for(std::chrono::milliseconds(300));
  EXPECT_EQ(clicks, 3);
  DLGEXIT(dialog);
}

}  // namespace
}  // namespace korvel::win32
