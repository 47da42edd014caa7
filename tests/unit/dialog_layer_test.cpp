// The dialog binding layer on the fake native dialogs: what reaches the window
// and when, which routines run, and how dialogs end.
#include "ui/dialog_layer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_native_ui.h"
#include "ui/control_ids.h"
#include "ui/dialog_calls.h"
#include "ui/window_styles.h"

namespace korvel {

using namespace main_dialog_ids;
using namespace recent_dialog_ids;
namespace {

class DialogLayerTest : public ::testing::Test {
 protected:
  fake::FakeNativeDialogs native;
  DialogLayer layer{native};
  DialogRecord main{layer};

  void SetUp() override { ASSERT_TRUE(DLGOPEN(main_dialog_template, main)); }
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
  EXPECT_EQ(main.find(geometry_edit)->type, ControlType::edit_box);
  EXPECT_EQ(main.find(file_list)->type, ControlType::list_box);
  EXPECT_EQ(main.find(language_list)->type, ControlType::drop_down_list);
  EXPECT_EQ(main.find(post_processor_switch)->type, ControlType::check_box);
  EXPECT_EQ(main.find(exit_button)->type, ControlType::push_button);
  EXPECT_EQ(main.find(solver_button)->text, "V E K");

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
  EXPECT_TRUE(DLGPUTLOG(main, solver_button, false));                  // push button: enabled
  EXPECT_TRUE(DLGPUTLOG(main, solver_button, false, DLGIDX_ENABLED));
  EXPECT_TRUE(DLGPUTCHAR(main, sound_check_box, "Sound On", DLGIDX_TITLE));
  EXPECT_TRUE(DLGPUTLOG(main, post_processor_switch, true, DLGIDX_STATE));     // check box: checked
  EXPECT_TRUE(DLGREADLOG(main, post_processor_switch, flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(DLGPUTCHAR(main, geometry_edit, "frame.dat", DLGIDX_STATE));
  EXPECT_TRUE(DLGPUTLOG(main, geometry_edit, false, DLGIDX_ENABLED));
  EXPECT_TRUE(DLGPUTINT(main, file_list, 4, DLGIDX_COUNT));
  EXPECT_TRUE(DLGREADINT(main, file_list, number));
  EXPECT_EQ(number, 4);
  EXPECT_TRUE(DLGREADCHAR(main, file_list, text, DLGIDX_STATE));

  // Pairs outside the table change nothing.
  EXPECT_FALSE(DLGPUTINT(main, geometry_edit, 3));                     // an edit holds no integer
  EXPECT_FALSE(DLGPUTLOG(main, geometry_edit, true));                  // nor a logical default
  EXPECT_FALSE(DLGPUTLOG(main, solver_button, true, DLGIDX_STATE));    // a push button has no check
  EXPECT_FALSE(DLGPUTCHAR(main, solver_button, "x", DLGIDX_STATE));
  EXPECT_FALSE(DLGPUTCHAR(main, file_list, "x"));                  // a list's selection text is read only
  EXPECT_FALSE(DLGPUTCHAR(main, file_list, "x", DLGIDX_STATE));
  EXPECT_FALSE(DLGPUTINT(main, file_list, 1, DLGIDX_STATE));       // only a drop-down selects by number
  EXPECT_FALSE(DLGREADINT(main, language_list, number, 1));            // a drop-down has no n-th selection
  EXPECT_FALSE(DLGPUTCHAR(main, geometry_edit, "x", DLGIDX_TITLE));
  EXPECT_FALSE(DLGPUTINT(main, post_processor_switch, 1));
  EXPECT_TRUE(main.find(geometry_edit)->text == "frame.dat");
}

// The routines' typed calls choose the index: a check box's enabled state is
// not its check. A control the dialog does not hold, or one of another kind,
// stops a debug build and changes nothing in a release build.
TEST_F(DialogLayerTest, TypedCallsReachTheValueTheyNameAndStopOnAControlNotHeld) {
  set_checked(main, post_processor_switch, true);
  set_enabled(main, post_processor_switch, false);
  EXPECT_TRUE(is_checked(main, post_processor_switch));
  EXPECT_FALSE(main.find(post_processor_switch)->enabled);
  set_item_count(main, file_list, file_list_entry_count);
  set_item(main, file_list, loading_entry, "Loading File");
  EXPECT_EQ(main.find(file_list)->items[1].trimmed(), "Loading File");
  EXPECT_EQ(selected_item(main, file_list), no_entry);
  EXPECT_DEBUG_DEATH(set_enabled(main, recent_list, false), "no such control");
  EXPECT_DEBUG_DEATH(set_checked(main, solver_button, true), "not of this kind");
  EXPECT_TRUE(main.find(solver_button)->enabled);
}

TEST_F(DialogLayerTest, ListItemsFollowTheCountAndKeepTheirWidth) {
  EXPECT_FALSE(DLGPUTCHAR(main, file_list, "early", 1)) << "items must be stored after the count";
  ASSERT_TRUE(DLGPUTINT(main, file_list, 3, DLGIDX_COUNT));
  EXPECT_TRUE(DLGPUTCHAR(main, file_list, "Geometry File   ", 1));
  // An item is as wide as a path, counted in characters.
  std::string accented_path = "C:\\";
  for (int i = 0; i < 257; ++i) accented_path += "é";
  EXPECT_TRUE(DLGPUTCHAR(main, file_list, accented_path, 2));
  EXPECT_TRUE(DLGPUTCHAR(main, file_list, std::string(300, 'x'), 3));
  EXPECT_FALSE(DLGPUTCHAR(main, file_list, "x", 4));
  EXPECT_FALSE(DLGPUTCHAR(main, file_list, "x", 0));

  FixedText<5> cut;
  ASSERT_TRUE(DLGREADCHAR(main, file_list, cut, 1));
  EXPECT_EQ(cut.padded(), "Geome");
  std::string whole;
  ASSERT_TRUE(DLGREADCHAR(main, file_list, whole, 1));
  EXPECT_EQ(whole.size(), 260u);
  ASSERT_TRUE(DLGREADCHAR(main, file_list, whole, 2));
  EXPECT_EQ(trim_blanks(whole), accented_path);
  ASSERT_TRUE(DLGREADCHAR(main, file_list, whole, 3));
  EXPECT_EQ(whole, std::string(260, 'x'));

  show();
  EXPECT_EQ(on_screen(file_list).items,
            (std::vector<std::string>{"Geometry File", accented_path, std::string(260, 'x')}));

  // A new count empties the list and its selection.
  native.select(main.window, file_list, 0);
  int selected = 0;
  DLGREADINT(main, file_list, selected, 1);
  EXPECT_EQ(selected, 1);
  DLGPUTINT(main, file_list, 2, DLGIDX_COUNT);
  DLGREADINT(main, file_list, selected, 1);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(on_screen(file_list).items, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(std::count(on_screen(file_list).selected.begin(), on_screen(file_list).selected.end(), true), 0);
}

TEST_F(DialogLayerTest, DropDownSelectionByNumberOrText) {
  DLGPUTINT(main, language_list, 2, DLGIDX_COUNT);
  DLGPUTCHAR(main, language_list, "English", 1);
  DLGPUTCHAR(main, language_list, "Romanian", 2);
  show();
  std::string text;
  for (int number : {0, 3}) {
    DLGPUTINT(main, language_list, number, DLGIDX_STATE);
    EXPECT_EQ(on_screen(language_list).current, -1) << number;
    DLGREADCHAR(main, language_list, text, DLGIDX_STATE);
    EXPECT_EQ(trim_blanks(text), "") << number;
  }
  EXPECT_TRUE(DLGPUTCHAR(main, language_list, "Romanian   ", DLGIDX_STATE));
  EXPECT_EQ(on_screen(language_list).current, 1);
  EXPECT_FALSE(DLGPUTCHAR(main, language_list, "German", DLGIDX_STATE));
  EXPECT_EQ(on_screen(language_list).current, 1);

  native.select(main.window, language_list, 0);  // the user picks English
  int number = 0;
  DLGREADINT(main, language_list, number, DLGIDX_STATE);
  EXPECT_EQ(number, 1);
  FixedText<20> language;
  DLGREADCHAR(main, language_list, language, DLGIDX_STATE);
  EXPECT_EQ(language.padded(), "English             ");
}

TEST_F(DialogLayerTest, ValuesStoredInsideARoutineWaitForItsEnd) {
  std::string seen_during;
  int calls = 0;
  DLGCALLBACK(main, geometry_edit, [&](DialogRecord& d, int, int) {
    ++calls;
    DLGPUTCHAR(d, output_edit, "derived.rez");
    DLGPUTCHAR(d, geometry_edit, "rewritten.dat");  // its own field: must not call this routine again
    seen_during = native.control(d.window, output_edit).text;
  });
  show();
  native.type(main.window, geometry_edit, "a");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen_during, "") << "copied to the window only when the routine returned";
  EXPECT_EQ(on_screen(output_edit).text, "derived.rez");
  EXPECT_EQ(on_screen(geometry_edit).text, "rewritten.dat");

  // From outside any routine of the dialog a value shows at once.
  DLGPUTCHAR(main, output_edit, "now.rez");
  EXPECT_EQ(on_screen(output_edit).text, "now.rez");
  EXPECT_EQ(calls, 1);
}

TEST_F(DialogLayerTest, OnlyChangedTextsAndListsAreSentToTheWindowAgain) {
  DLGPUTINT(main, file_list, 4, DLGIDX_COUNT);
  DLGPUTCHAR(main, file_list, "New", 4);
  DLGPUTCHAR(main, output_edit, "a.rez");
  show();
  const int list = on_screen(file_list).repaints, edit = on_screen(output_edit).repaints;
  DLGPUTCHAR(main, file_list, "New", 4);
  DLGPUTCHAR(main, output_edit, "a.rez");
  EXPECT_EQ(on_screen(file_list).repaints, list) << "the same items";
  EXPECT_EQ(on_screen(output_edit).repaints, edit) << "the same text";
  DLGPUTCHAR(main, file_list, "Geometry File", 1);
  DLGPUTCHAR(main, output_edit, "b.rez");
  EXPECT_EQ(on_screen(file_list).items, (std::vector<std::string>{"Geometry File", "", "", "New"}));
  EXPECT_EQ(on_screen(output_edit).text, "b.rez");
}

TEST_F(DialogLayerTest, WhatTheUserChangedIsNotLostByAStore) {
  show();
  native.type(main.window, geometry_edit, "typed.dat");
  DLGPUTLOG(main, geometry_edit, false, DLGIDX_ENABLED);
  EXPECT_EQ(on_screen(geometry_edit).text, "typed.dat");
  EXPECT_FALSE(on_screen(geometry_edit).enabled);
  std::string text;
  DLGREADCHAR(main, geometry_edit, text);
  EXPECT_EQ(text, "typed.dat");
}

TEST_F(DialogLayerTest, DisabledButtonsNeverCallTheirRoutine) {
  int clicks = 0;
  DLGCALLBACK(main, displacement_button, [&](DialogRecord&, int id, int kind) {
    EXPECT_EQ(id, displacement_button);
    EXPECT_EQ(kind, DLGCB_CLICKED);
    ++clicks;
  });
  DLGPUTLOG(main, displacement_button, false);
  show();
  native.send_command(main.window, displacement_button, notify::button_clicked);  // reaches the dialog anyway
  EXPECT_EQ(clicks, 0);
  DLGPUTLOG(main, displacement_button, true);
  native.click(main.window, displacement_button);
  EXPECT_EQ(clicks, 1);
  native.send_command(main.window, displacement_button, notify::list_selchange);  // not a click
  EXPECT_EQ(clicks, 1);
}

TEST_F(DialogLayerTest, ButtonsWithoutRoutinesEndTheDialogWithTheirId) {
  int destroyed = 0;
  DLGCALLBACK(main, main_dialog_template, [&](DialogRecord& d, int id, int kind) {
    EXPECT_EQ(id, main_dialog_template);
    if (kind == DLGCB_DESTROY) ++destroyed;
    (void)d;
  });
  const NativeWindow window = show();
  native.type(window, geometry_edit, "last words.dat");
  native.click(window, exit_button);
  EXPECT_EQ(main.return_value, exit_button);
  EXPECT_EQ(main.window, 0u);
  EXPECT_FALSE(native.windows.at(window).open);
  EXPECT_EQ(destroyed, 1);
  std::string text;
  DLGREADCHAR(main, geometry_edit, text);
  EXPECT_EQ(text, "last words.dat") << "values stay readable after the end";
}

TEST_F(DialogLayerTest, EscapeAndTheCloseBoxEndWithTwoThroughAHiddenCancel) {
  for (bool close_box : {false, true}) {
    DialogRecord d(layer);
    ASSERT_TRUE(DLGOPEN(main_dialog_template, d));
    ASSERT_TRUE(DLGMODELESS(d));
    const NativeWindow window = d.window;
    if (close_box)
      native.close_box(window);
    else
      native.escape(window);
    EXPECT_EQ(d.return_value, dialog_ids::cancel);
    EXPECT_FALSE(native.windows.at(window).open);
  }
}

// Escape is the Cancel control's click, which a disabled one ignores; a dialog
// without one ends with Cancel's id.
TEST_F(DialogLayerTest, EscapeFollowsTheCancelControl) {
  const struct Row {
    bool has_cancel, cancel_enabled, ends;
  } rows[] = {{true, false, false}, {false, false, true}};
  for (const Row& row : rows) {
    DialogRecord d(layer);
    ASSERT_TRUE(DLGOPEN(main_dialog_template, d));
    if (row.has_cancel)
      DLGPUTLOG(d, dialog_ids::cancel, row.cancel_enabled);
    else
      std::erase_if(d.controls, [](const ControlEntry& c) { return c.id == dialog_ids::cancel; });
    ASSERT_TRUE(DLGMODELESS(d));
    const NativeWindow window = d.window;
    native.escape(window);
    EXPECT_EQ(native.windows.at(window).open, !row.ends) << row.has_cancel;
    EXPECT_EQ(d.return_value, row.ends ? dialog_ids::cancel : 1) << row.has_cancel;
    DLGEXIT(d);
  }
}

// F1 is a click on the dialog's help control, which a disabled one ignores;
// a dialog without one does nothing.
TEST_F(DialogLayerTest, F1ClicksTheHelpControl) {
  const struct Row {
    int help_control;
    bool enabled;
    int clicks;
  } rows[] = {{help_button, true, 1}, {help_button, false, 0}, {0, true, 0}};
  for (const Row& row : rows) {
    DialogRecord d(layer);
    ASSERT_TRUE(DLGOPEN(main_dialog_template, d));
    d.help_control = row.help_control;
    int clicks = 0;
    DLGCALLBACK(d, help_button, [&](DialogRecord&, int, int kind) { clicks += kind == DLGCB_CLICKED; });
    DLGPUTLOG(d, help_button, row.enabled);
    ASSERT_TRUE(DLGMODELESS(d));
    native.help_key(d.window);
    EXPECT_EQ(clicks, row.clicks) << row.help_control << row.enabled;
    EXPECT_NE(d.window, 0u) << "F1 never ends the dialog";
    DLGEXIT(d);
  }
  DLGOPEN(main_dialog_template, main);
  EXPECT_EQ(main.help_control, 0) << "a record opened again starts without";
}

// Every control a user can reach has a name for screen readers; icon buttons
// show theirs as a tip, the name fields their whole text when it is cut.
TEST_F(DialogLayerTest, EveryDialogHandsEachOfItsControlsAName) {
  for (int id : {main_dialog_template, about_box_ids::about_dialog_template, recent_dialog_template}) {
    DialogRecord d(layer);
    ASSERT_TRUE(DLGOPEN(id, d));
    ASSERT_TRUE(DLGMODELESS(d));
    const std::vector<ControlName>& names = native.windows.at(d.window).names;
    std::vector<int> named;
    for (const ControlName& n : names) {
      EXPECT_FALSE(n.name.empty()) << n.id;
      named.push_back(n.id);
    }
    std::vector<int> addressable;
    for (const ControlTemplate& t : d.layout->controls) {
      if (t.id == -1 || t.control_class == ControlClass::static_text || !id_is_unique(*d.layout, t.id)) continue;
      addressable.push_back(t.id);
      const auto name = std::ranges::find(names, t.id, &ControlName::id);
      if (name == names.end()) continue;
      const bool icon_button = t.control_class == ControlClass::button && (t.style & style::bs_icon) != 0;
      const ControlTip tip = icon_button                             ? ControlTip::name
                             : t.control_class == ControlClass::edit ? ControlTip::whole_text_when_cut
                                                                     : ControlTip::none;
      EXPECT_EQ(name->tip, tip) << t.id;
    }
    std::ranges::sort(named);
    std::ranges::sort(addressable);
    EXPECT_EQ(named, addressable) << "template " << id << ": each control once, none it lacks";
    DLGEXIT(d);
  }
  DialogRecord main_again(layer);
  ASSERT_TRUE(DLGOPEN(main_dialog_template, main_again));
  ASSERT_TRUE(DLGMODELESS(main_again));
  const std::vector<ControlName>& names = native.windows.at(main_again.window).names;
  const auto name_of = [&](int id) { return std::ranges::find(names, id, &ControlName::id)->name; };
  EXPECT_EQ(name_of(help_button), "Help") << "its window text is \"Button1\"";
  EXPECT_EQ(name_of(loading_edit), "Loading File");
  EXPECT_EQ(name_of(exit_button), "Exit");
  DLGEXIT(main_again);
}

TEST_F(DialogLayerTest, CancelButtonStateDrivesTheCloseCommand) {
  show();
  DLGPUTLOG(main, dialog_ids::cancel, false);
  EXPECT_FALSE(native.windows.at(main.window).close_command_enabled);
  native.close_box(main.window);
  EXPECT_NE(main.window, 0u);
  DLGPUTLOG(main, dialog_ids::cancel, true);
  EXPECT_TRUE(native.windows.at(main.window).close_command_enabled);
}

TEST_F(DialogLayerTest, InitSeesPushedValuesAndCommandsDuringPushesAreDropped) {
  int changes = 0;
  DLGCALLBACK(main, geometry_edit, [&](DialogRecord&, int, int) { ++changes; });
  DLGPUTCHAR(main, geometry_edit, ".dat");
  std::string at_init;
  DLGCALLBACK(main, main_dialog_template, [&](DialogRecord& d, int, int kind) {
    if (kind == DLGCB_INIT) at_init = native.control(d.window, geometry_edit).text;
  });
  show();
  EXPECT_EQ(at_init, ".dat");
  EXPECT_EQ(changes, 0) << "the fake's edits report programmatic changes; pushes must swallow them";
}

TEST_F(DialogLayerTest, RegistrationFollowsTheKindsOfEachType) {
  const DialogRoutine nothing = [](DialogRecord&, int, int) {};
  EXPECT_TRUE(DLGCALLBACK(main, geometry_edit, nothing, DLGCB_LOSTFOCUS));
  EXPECT_FALSE(DLGCALLBACK(main, geometry_edit, nothing, DLGCB_DBLCLICK));
  EXPECT_TRUE(DLGCALLBACK(main, file_list, nothing, DLGCB_DBLCLICK));
  EXPECT_FALSE(DLGCALLBACK(main, file_list, nothing, DLGCB_CLICKED));
  EXPECT_FALSE(DLGCALLBACK(main, solver_button, nothing, DLGCB_CHANGE));
  EXPECT_TRUE(DLGCALLBACK(main, main_dialog_template, nothing, DLGCB_SIZE));
  EXPECT_TRUE(main.size_routine != nullptr);
  EXPECT_TRUE(main.find(file_list)->routines.count(DLGCB_DBLCLICK));
  EXPECT_TRUE(DLGCALLBACK(main, file_list, nothing));
  EXPECT_TRUE(main.find(file_list)->routines.count(DLGCB_SELCHANGE)) << "the omitted kind is a list's selection change";
}

TEST_F(DialogLayerTest, ModalDialogsNestAndKeepTheirValues) {
  show();
  std::vector<NativeWindow> owners;
  int picked = 0;
  int result = 0;
  DLGCALLBACK(main, select_recent_button, [&](DialogRecord& outer, int, int) {
    DialogRecord recent(outer.layer);
    DLGOPEN(recent_dialog_template, recent);
    DLGPUTINT(recent, recent_list, 2);
    DLGPUTCHAR(recent, recent_list, "C:\\a.dat", 1);
    DLGPUTCHAR(recent, recent_list, "C:\\b.dat", 2);
    DLGCALLBACK(recent, recent_list, [&](DialogRecord& inner, int, int) {
      DialogRecord nested(inner.layer);
      DLGOPEN(recent_dialog_template, nested);
      DLGMODAL(nested);
    }, DLGCB_DBLCLICK);
    result = DLGMODAL(recent);
    DLGREADINT(recent, recent_list, picked, 1);
    DLGFREE(recent);
  });
  native.modal_scripts.push_back([&](NativeWindow recent) {
    owners.push_back(native.windows.at(recent).owner);
    native.double_click(recent, recent_list, 1);
  });
  native.modal_scripts.push_back([&](NativeWindow nested) {
    owners.push_back(native.windows.at(nested).owner);
    native.click(nested, dialog_ids::cancel);
  });
  // After the nested one, the user presses DONE in the Recent Dialog: the first script ran out.
  native.click(main.window, select_recent_button);
  ASSERT_EQ(owners.size(), 2u);
  EXPECT_EQ(owners[0], main.window) << "the dialog whose routine runs owns the modal one";
  EXPECT_NE(owners[1], main.window) << "a modal dialog owns the one opened inside it";
  EXPECT_EQ(picked, 2) << "the selection made before the dialog ended";
  EXPECT_EQ(result, dialog_ids::cancel) << "ended by Escape after the script";
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
