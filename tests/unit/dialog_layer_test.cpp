// The dialog binding layer on the fake native dialogs: what reaches the window
// and when, which routines run, and how dialogs end.
#include "ui/dialog_layer.h"

#include <gtest/gtest.h>

#include "fake_native_ui.h"

namespace korvel {
namespace {

class DialogLayerTest : public ::testing::Test {
 protected:
  fake::FakeNativeDialogs native;
  DialogLayer layer{native};
  DialogRecord main{layer};

  void SetUp() override { ASSERT_TRUE(DLGOPEN(102, main)); }
  NativeWindow show() {
    EXPECT_TRUE(DLGMODELESS(main));
    return main.window;
  }
  fake::FakeControl& on_screen(int id) { return native.control(main.window, id); }
};

TEST_F(DialogLayerTest, RecordHoldsEveryTemplateControlAndRefusesDuplicateIds) {
  EXPECT_EQ(main.controls.size(), 57u);
  EXPECT_EQ(main.return_value, 1);
  EXPECT_EQ(main.window, 0u);
  EXPECT_EQ(main.find(1001)->type, ControlType::edit_box);
  EXPECT_EQ(main.find(1016)->type, ControlType::list_box);
  EXPECT_EQ(main.find(1026)->type, ControlType::drop_down_list);
  EXPECT_EQ(main.find(1013)->type, ControlType::check_box);
  EXPECT_EQ(main.find(1)->type, ControlType::push_button);
  EXPECT_EQ(main.find(1003)->text, "V E K");

  // The unnamed statics and group boxes all carry -1: none can be addressed.
  std::string caption;
  EXPECT_FALSE(DLGREADCHAR(main, -1, caption));
  EXPECT_FALSE(DLGPUTCHAR(main, -1, "x"));
  EXPECT_FALSE(DLGCALLBACK(main, -1, [](DialogRecord&, int, int) {}));
  EXPECT_FALSE(DLGPUTLOG(main, 4242, true));

  DialogRecord none(layer);
  EXPECT_FALSE(DLGOPEN(999, none));
}

TEST_F(DialogLayerTest, OnlyTheValueIndicesOfEachTypeAreAccepted) {
  int number = 0;
  bool flag = false;
  std::string text;
  // Valid pairs.
  EXPECT_TRUE(DLGPUTLOG(main, 1003, false));                  // push button: enabled
  EXPECT_TRUE(DLGPUTLOG(main, 1003, false, DLGIDX_ENABLED));
  EXPECT_TRUE(DLGPUTCHAR(main, 1028, "Sound On", DLGIDX_TITLE));
  EXPECT_TRUE(DLGPUTLOG(main, 1013, true, DLGIDX_STATE));     // check box: checked
  EXPECT_TRUE(DLGREADLOG(main, 1013, flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(DLGPUTCHAR(main, 1001, "frame.dat", DLGIDX_STATE));
  EXPECT_TRUE(DLGPUTLOG(main, 1001, false, DLGIDX_ENABLED));
  EXPECT_TRUE(DLGPUTINT(main, 1016, 4, DLGIDX_COUNT));
  EXPECT_TRUE(DLGREADINT(main, 1016, number));
  EXPECT_EQ(number, 4);
  EXPECT_TRUE(DLGREADCHAR(main, 1016, text, DLGIDX_STATE));

  // Pairs outside the table change nothing.
  EXPECT_FALSE(DLGPUTINT(main, 1001, 3));                     // an edit holds no integer
  EXPECT_FALSE(DLGPUTLOG(main, 1001, true));                  // nor a logical default
  EXPECT_FALSE(DLGPUTLOG(main, 1003, true, DLGIDX_STATE));    // a push button has no check
  EXPECT_FALSE(DLGPUTCHAR(main, 1003, "x", DLGIDX_STATE));
  EXPECT_FALSE(DLGPUTCHAR(main, 1016, "x"));                  // a list's selection text is read only
  EXPECT_FALSE(DLGPUTCHAR(main, 1016, "x", DLGIDX_STATE));
  EXPECT_FALSE(DLGPUTINT(main, 1016, 1, DLGIDX_STATE));       // only a drop-down selects by number
  EXPECT_FALSE(DLGREADINT(main, 1026, number, 1));            // a drop-down has no n-th selection
  EXPECT_FALSE(DLGPUTCHAR(main, 1001, "x", DLGIDX_TITLE));
  EXPECT_FALSE(DLGPUTINT(main, 1013, 1));
  EXPECT_TRUE(main.find(1001)->text == "frame.dat");
}

TEST_F(DialogLayerTest, ListItemsFollowTheCountAndKeepTheirWidth) {
  EXPECT_FALSE(DLGPUTCHAR(main, 1016, "early", 1)) << "items must be stored after the count";
  ASSERT_TRUE(DLGPUTINT(main, 1016, 3, DLGIDX_COUNT));
  EXPECT_TRUE(DLGPUTCHAR(main, 1016, "Geometry File   ", 1));
  EXPECT_TRUE(DLGPUTCHAR(main, 1016, std::string(300, 'x'), 3));
  EXPECT_FALSE(DLGPUTCHAR(main, 1016, "x", 4));
  EXPECT_FALSE(DLGPUTCHAR(main, 1016, "x", 0));

  FixedText<5> cut;
  ASSERT_TRUE(DLGREADCHAR(main, 1016, cut, 1));
  EXPECT_EQ(cut.padded(), "Geome");
  std::string whole;
  ASSERT_TRUE(DLGREADCHAR(main, 1016, whole, 1));
  EXPECT_EQ(whole.size(), 256u);
  ASSERT_TRUE(DLGREADCHAR(main, 1016, whole, 3));
  EXPECT_EQ(whole, std::string(256, 'x'));

  show();
  EXPECT_EQ(on_screen(1016).items, (std::vector<std::string>{"Geometry File", "", std::string(256, 'x')}));

  // A new count empties the list and its selection.
  native.select(main.window, 1016, 0);
  int selected = 0;
  DLGREADINT(main, 1016, selected, 1);
  EXPECT_EQ(selected, 1);
  DLGPUTINT(main, 1016, 2, DLGIDX_COUNT);
  DLGREADINT(main, 1016, selected, 1);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(on_screen(1016).items, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(std::count(on_screen(1016).selected.begin(), on_screen(1016).selected.end(), true), 0);
}

TEST_F(DialogLayerTest, DropDownSelectionByNumberOrText) {
  DLGPUTINT(main, 1026, 2, DLGIDX_COUNT);
  DLGPUTCHAR(main, 1026, "English", 1);
  DLGPUTCHAR(main, 1026, "Romanian", 2);
  show();
  std::string text;
  for (int number : {0, 3}) {
    DLGPUTINT(main, 1026, number, DLGIDX_STATE);
    EXPECT_EQ(on_screen(1026).current, -1) << number;
    DLGREADCHAR(main, 1026, text, DLGIDX_STATE);
    EXPECT_EQ(trim_blanks(text), "") << number;
  }
  EXPECT_TRUE(DLGPUTCHAR(main, 1026, "Romanian   ", DLGIDX_STATE));
  EXPECT_EQ(on_screen(1026).current, 1);
  EXPECT_FALSE(DLGPUTCHAR(main, 1026, "German", DLGIDX_STATE));
  EXPECT_EQ(on_screen(1026).current, 1);

  native.select(main.window, 1026, 0);  // the user picks English
  int number = 0;
  DLGREADINT(main, 1026, number, DLGIDX_STATE);
  EXPECT_EQ(number, 1);
  FixedText<20> language;
  DLGREADCHAR(main, 1026, language, DLGIDX_STATE);
  EXPECT_EQ(language.padded(), "English             ");
}

TEST_F(DialogLayerTest, ValuesStoredInsideARoutineWaitForItsEnd) {
  std::string seen_during;
  int calls = 0;
  DLGCALLBACK(main, 1001, [&](DialogRecord& d, int, int) {
    ++calls;
    DLGPUTCHAR(d, 1002, "derived.rez");
    DLGPUTCHAR(d, 1001, "rewritten.dat");  // its own field: must not call this routine again
    seen_during = native.control(d.window, 1002).text;
  });
  show();
  native.type(main.window, 1001, "a");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen_during, "") << "copied to the window only when the routine returned";
  EXPECT_EQ(on_screen(1002).text, "derived.rez");
  EXPECT_EQ(on_screen(1001).text, "rewritten.dat");

  // From outside any routine of the dialog a value shows at once.
  DLGPUTCHAR(main, 1002, "now.rez");
  EXPECT_EQ(on_screen(1002).text, "now.rez");
  EXPECT_EQ(calls, 1);
}

TEST_F(DialogLayerTest, WhatTheUserChangedIsNotLostByAStore) {
  show();
  native.type(main.window, 1001, "typed.dat");
  DLGPUTLOG(main, 1001, false, DLGIDX_ENABLED);
  EXPECT_EQ(on_screen(1001).text, "typed.dat");
  EXPECT_FALSE(on_screen(1001).enabled);
  std::string text;
  DLGREADCHAR(main, 1001, text);
  EXPECT_EQ(text, "typed.dat");
}

TEST_F(DialogLayerTest, DisabledButtonsNeverCallTheirRoutine) {
  int clicks = 0;
  DLGCALLBACK(main, 1005, [&](DialogRecord&, int id, int kind) {
    EXPECT_EQ(id, 1005);
    EXPECT_EQ(kind, DLGCB_CLICKED);
    ++clicks;
  });
  DLGPUTLOG(main, 1005, false);
  show();
  native.send_command(main.window, 1005, notify::button_clicked);  // reaches the dialog anyway
  EXPECT_EQ(clicks, 0);
  DLGPUTLOG(main, 1005, true);
  native.click(main.window, 1005);
  EXPECT_EQ(clicks, 1);
  native.send_command(main.window, 1005, notify::list_selchange);  // not a click
  EXPECT_EQ(clicks, 1);
}

TEST_F(DialogLayerTest, ButtonsWithoutRoutinesEndTheDialogWithTheirId) {
  int destroyed = 0;
  DLGCALLBACK(main, 102, [&](DialogRecord& d, int id, int kind) {
    EXPECT_EQ(id, 102);
    if (kind == DLGCB_DESTROY) ++destroyed;
    (void)d;
  });
  const NativeWindow window = show();
  native.type(window, 1001, "last words.dat");
  native.click(window, 1);
  EXPECT_EQ(main.return_value, 1);
  EXPECT_EQ(main.window, 0u);
  EXPECT_FALSE(native.windows.at(window).open);
  EXPECT_EQ(destroyed, 1);
  std::string text;
  DLGREADCHAR(main, 1001, text);
  EXPECT_EQ(text, "last words.dat") << "values stay readable after the end";
}

TEST_F(DialogLayerTest, EscapeAndTheCloseBoxEndWithTwoThroughAHiddenCancel) {
  for (bool close_box : {false, true}) {
    DialogRecord d(layer);
    ASSERT_TRUE(DLGOPEN(102, d));
    ASSERT_TRUE(DLGMODELESS(d));
    const NativeWindow window = d.window;
    if (close_box)
      native.close_box(window);
    else
      native.escape(window);
    EXPECT_EQ(d.return_value, 2);
    EXPECT_FALSE(native.windows.at(window).open);
  }
}

TEST_F(DialogLayerTest, CancelButtonStateDrivesTheCloseCommand) {
  show();
  DLGPUTLOG(main, 2, false);
  EXPECT_FALSE(native.windows.at(main.window).close_command_enabled);
  native.close_box(main.window);
  EXPECT_NE(main.window, 0u);
  DLGPUTLOG(main, 2, true);
  EXPECT_TRUE(native.windows.at(main.window).close_command_enabled);
}

TEST_F(DialogLayerTest, InitSeesPushedValuesAndCommandsDuringPushesAreDropped) {
  int changes = 0;
  DLGCALLBACK(main, 1001, [&](DialogRecord&, int, int) { ++changes; });
  DLGPUTCHAR(main, 1001, ".dat");
  std::string at_init;
  DLGCALLBACK(main, 102, [&](DialogRecord& d, int, int kind) {
    if (kind == DLGCB_INIT) at_init = native.control(d.window, 1001).text;
  });
  show();
  EXPECT_EQ(at_init, ".dat");
  EXPECT_EQ(changes, 0) << "the fake's edits report programmatic changes; pushes must swallow them";
}

TEST_F(DialogLayerTest, RegistrationFollowsTheKindsOfEachType) {
  const DialogRoutine nothing = [](DialogRecord&, int, int) {};
  EXPECT_TRUE(DLGCALLBACK(main, 1001, nothing, DLGCB_LOSTFOCUS));
  EXPECT_FALSE(DLGCALLBACK(main, 1001, nothing, DLGCB_DBLCLICK));
  EXPECT_TRUE(DLGCALLBACK(main, 1016, nothing, DLGCB_DBLCLICK));
  EXPECT_FALSE(DLGCALLBACK(main, 1016, nothing, DLGCB_CLICKED));
  EXPECT_FALSE(DLGCALLBACK(main, 1003, nothing, DLGCB_CHANGE));
  EXPECT_TRUE(DLGCALLBACK(main, 102, nothing, DLGCB_SIZE));
  EXPECT_TRUE(main.size_routine != nullptr);
  EXPECT_TRUE(main.find(1016)->routines.count(DLGCB_DBLCLICK));
  EXPECT_TRUE(DLGCALLBACK(main, 1016, nothing));
  EXPECT_TRUE(main.find(1016)->routines.count(DLGCB_SELCHANGE)) << "the omitted kind is a list's selection change";
}

TEST_F(DialogLayerTest, ModalDialogsNestAndKeepTheirValues) {
  show();
  std::vector<NativeWindow> owners;
  int picked = 0;
  int result = 0;
  DLGCALLBACK(main, 1020, [&](DialogRecord& outer, int, int) {
    DialogRecord recent(outer.layer);
    DLGOPEN(106, recent);
    DLGPUTINT(recent, 1041, 2);
    DLGPUTCHAR(recent, 1041, "C:\\a.dat", 1);
    DLGPUTCHAR(recent, 1041, "C:\\b.dat", 2);
    DLGCALLBACK(recent, 1041, [&](DialogRecord& inner, int, int) {
      DialogRecord nested(inner.layer);
      DLGOPEN(106, nested);
      DLGMODAL(nested);
    }, DLGCB_DBLCLICK);
    result = DLGMODAL(recent);
    DLGREADINT(recent, 1041, picked, 1);
    DLGFREE(recent);
  });
  native.modal_scripts.push_back([&](NativeWindow recent) {
    owners.push_back(native.windows.at(recent).owner);
    native.double_click(recent, 1041, 1);
  });
  native.modal_scripts.push_back([&](NativeWindow nested) {
    owners.push_back(native.windows.at(nested).owner);
    native.click(nested, 2);
  });
  // After the nested one, the user presses DONE in the Recent Dialog: the first script ran out.
  native.click(main.window, 1020);
  ASSERT_EQ(owners.size(), 2u);
  EXPECT_EQ(owners[0], main.window) << "the dialog whose routine runs owns the modal one";
  EXPECT_NE(owners[1], main.window) << "a modal dialog owns the one opened inside it";
  EXPECT_EQ(picked, 2) << "the selection made before the dialog ended";
  EXPECT_EQ(result, 2) << "ended by Escape after the script";
}

TEST_F(DialogLayerTest, PretranslationNeedsAnActiveModelessDialog) {
  NativeMessage message;
  EXPECT_FALSE(DLGPRETRANSLATE(layer, message));
  show();
  EXPECT_EQ(layer.active_modeless(), &main);
  native.escape(main.window);
  EXPECT_EQ(layer.active_modeless(), nullptr);
}

}  // namespace
}  // namespace korvel
