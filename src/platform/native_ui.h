// Windows, dialogs and native controls, as the core reaches them.
//
// The dialog binding layer owns every value shown in a dialog; the native side
// only shows them. It reports what the user does through DialogEvents and
// copies values to and from its controls when the layer asks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"

namespace korvel {

using NativeWindow = std::uintptr_t;  // 0: no window
using IconHandle = std::uintptr_t;    // 0: no icon

// An icon file to load: size 0 x 0 takes the file's own.
struct IconRequest {
  std::string path;
  int width = 0, height = 0;
  bool vga_colour = false;
  bool operator==(const IconRequest&) const = default;
};

// A queued message, opaque to the core: the adapter keeps its own record in it.
struct NativeMessage {
  std::uintptr_t words[8] = {};
};

// Notification codes of WM_COMMAND that the layer tells apart, with Windows' values.
namespace notify {
inline constexpr int button_clicked = 0;   // BN_CLICKED
inline constexpr int list_selchange = 1;   // LBN_SELCHANGE, CBN_SELCHANGE
inline constexpr int list_dblclick = 2;    // LBN_DBLCLK, CBN_DBLCLK
inline constexpr int edit_setfocus = 0x100;
inline constexpr int edit_killfocus = 0x200;
inline constexpr int edit_change = 0x300;
inline constexpr int edit_update = 0x400;
}  // namespace notify

// What a screen reader says of a control, apart from its window text, and
// whether a tooltip shows that name (icon buttons) or the control's whole text
// when the control shows only part of it (the name fields).
enum class ControlTip { none, name, whole_text_when_cut };
struct ControlName {
  int id;
  std::string_view name;
  ControlTip tip = ControlTip::none;
};

// What happens to a dialog, reported by the native side to the binding layer.
// `dialog` is the value the layer gave when the window was made.
class DialogEvents {
 public:
  virtual ~DialogEvents() = default;
  // The window exists (WM_INITDIALOG).
  virtual void dialog_created(void* dialog, NativeWindow window) = 0;
  virtual void dialog_command(void* dialog, int control_id, int code) = 0;  // WM_COMMAND
  // Escape or the close box, unless a Cancel control sent it as its click.
  virtual void dialog_cancel_requested(void* dialog) = 0;
  virtual void dialog_activated(void* dialog, bool active) = 0;
  // Restored, minimised or maximised.
  virtual void dialog_resized(void* dialog) = 0;
  virtual void dialog_destroyed(void* dialog) = 0;
  // Files dropped on a dialog that accepts them, in the process's code page,
  // in the order given; `control_id` is the edit box under the drop, else 0.
  virtual void dialog_files_dropped(void* dialog, int control_id, const std::vector<std::string>& paths) = 0;

  // High DPI.
  // Shown at another DPI now (WM_DPICHANGED: moved to another monitor, or the
  // scale changed). The system lays the dialog out again itself; what it draws
  // from images is left to the listener.
  virtual void dialog_dpi_changed(void* /*dialog*/, int /*dpi*/) {}

  // F1 (or WM_HELP) in the dialog.
  virtual void dialog_help_requested(void* dialog) = 0;
};

inline constexpr int end_of_text = 0x7FFFFFFF;

// The two kinds of list control.
enum class ListKind { list_box, drop_down };

class NativeDialogs {
 public:
  virtual ~NativeDialogs() = default;

  // Makes and shows a modeless dialog; 0 when it can't be made.
  virtual NativeWindow create_modeless(const DialogTemplate& layout, NativeWindow owner, int show_command,
                                       DialogEvents& events, void* dialog) = 0;
  // Runs a modal dialog and returns what end_modal was given; -1 when it can't be made.
  virtual int run_modal(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events, void* dialog) = 0;
  virtual void end_modal(NativeWindow window, int result) = 0;
  virtual void destroy(NativeWindow window) = 0;
  // Files dragged from the system's shell may be dropped on the dialog.
  virtual void accept_dropped_files(NativeWindow window) = 0;
  // Keyboard navigation of a modeless dialog (IsDialogMessage); true when consumed.
  virtual bool is_dialog_message(NativeWindow window, const NativeMessage& message) = 0;

  // Controls, by dialog window and control id.
  virtual void set_text(NativeWindow window, int id, std::string_view text) = 0;
  virtual std::string text(NativeWindow window, int id) = 0;
  virtual void set_enabled(NativeWindow window, int id, bool enabled) = 0;
  virtual bool enabled(NativeWindow window, int id) = 0;
  // The Close item of the dialog's system menu.
  virtual void enable_close_command(NativeWindow window, bool enabled) = 0;
  virtual void set_checked(NativeWindow window, int id, bool checked) = 0;
  virtual bool checked(NativeWindow window, int id) = 0;
  // Selects in an edit box and scrolls the caret into view; a position past
  // the text (end_of_text) stands for its end.
  virtual void set_caret(NativeWindow window, int id, std::pair<int, int> selection) = 0;
  virtual std::pair<int, int> caret(NativeWindow window, int id) = 0;

  // List boxes and drop-down lists; item numbers here count from 0.
  virtual void list_clear(ListKind kind, NativeWindow window, int id) = 0;
  virtual void list_add(ListKind kind, NativeWindow window, int id, std::string_view item) = 0;
  virtual int list_count(ListKind kind, NativeWindow window, int id) = 0;
  virtual std::string list_item(ListKind kind, NativeWindow window, int id, int index) = 0;
  // Selects one item (-1: none); for a drop-down list, the current selection.
  virtual void list_select(ListKind kind, NativeWindow window, int id, int index) = 0;
  // Selects the first item that begins with `text` (CB_SELECTSTRING); drop-down lists only.
  virtual void list_select_text(NativeWindow window, int id, std::string_view text) = 0;
  // Sets one item's selected state in a list box that allows several.
  virtual void list_set_selected(NativeWindow window, int id, int index, bool selected) = 0;
  // Whether a list box item is selected.
  virtual bool list_selected(NativeWindow window, int id, int index) = 0;
  // A drop-down list's current selection, -1 for none.
  virtual int list_current(NativeWindow window, int id) = 0;

  // Gives the dialog's controls names for screen readers and their tooltips;
  // window texts stay as they are.
  virtual void name_controls(NativeWindow window, std::span<const ControlName> names) = 0;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// Drawing on a window while it is painted, in device pixels.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int pixels_per_inch_x() = 0;
  virtual int pixels_per_inch_y() = 0;
  // An icon at its own size, image and mask.
  virtual void draw_icon(int x, int y, IconHandle icon) = 0;
  // Makes and selects a font (height in device units, negative for the
  // character height); false when it can't be made and the current font stays.
  // Fonts made here are released when the painting ends.
  virtual bool select_font(int height, int weight, bool italic, std::string_view face) = 0;
  virtual void select_default_font() = 0;
  // Character height plus external leading of the selected font.
  virtual int line_height() = 0;
  virtual int text_width(std::string_view text) = 0;
  virtual void set_text_colour(std::uint32_t rgb) = 0;
  // Text in the default opaque background mode.
  virtual void draw_text(int x, int y, std::string_view text) = 0;
  // A horizontal line of the window's black 1-pixel pen from x1 to x2.
  virtual void draw_rule(int x1, int x2, int y) = 0;
  // Text word-wrapped into the rectangle, not clipped, with external leading, no prefixes.
  virtual void draw_wrapped(const Rect& rect, std::string_view text) = 0;

  // High DPI and high contrast.
  // The width of the window's client area.
  virtual int client_width() = 0;
  // From now on text in the system's window text colour on the window colour,
  // and rules in that text colour too.
  virtual void set_system_colours() = 0;
};

// What happens to the windows of the "Welcome" class: the welcome (splash)
// window and the About windows.
class WelcomeEvents {
 public:
  virtual ~WelcomeEvents() = default;
  virtual void welcome_paint(NativeWindow window, Canvas& canvas) = 0;  // inside the painting
  virtual void welcome_painted(NativeWindow window) = 0;                // after it
  virtual void welcome_timer(NativeWindow window) = 0;
  virtual void welcome_clicked(NativeWindow window) = 0;  // left button down
  virtual void welcome_closing(NativeWindow window) = 0;  // then the window is destroyed
};

inline constexpr int show_normally = 1;  // SW_SHOWNORMAL
inline constexpr int show_window = 5;    // SW_SHOW

// Whether a window shown so is hidden or minimised, where nothing paints or
// clicks it: SW_HIDE, SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE.
constexpr bool hides_or_minimises(int show_command) {
  return show_command == 0 || show_command == 2 || show_command == 6 || show_command == 7 || show_command == 11;
}

class Windows {
 public:
  virtual ~Windows() = default;

  // The "Welcome" window class: the icon, the arrow cursor, the window colour.
  virtual bool register_welcome_class(IconHandle icon, WelcomeEvents& events) = 0;
  // A pop-up window of that class with caption and system menu, its outer
  // edges at `bounds`; 0 when it can't be made. Made in its place: moving a
  // top-level window afterwards costs a round trip to the window server.
  virtual NativeWindow create_welcome_window(std::string_view title, const Rect& bounds) = 0;
  virtual void show(NativeWindow window, int show_command) = 0;
  virtual void set_timer(NativeWindow window, unsigned id, unsigned milliseconds) = 0;
  virtual void destroy_window(NativeWindow window) = 0;
  // The next message for that window only; false when there is none to wait for.
  virtual bool next_message_for(NativeWindow window, NativeMessage& message) = 0;

  // An icon from a file; 0 when it can't be loaded.
  virtual IconHandle load_icon(const IconRequest& request) = 0;
  // Releases an icon load_icon gave; nothing may show or draw it any more. 0 is left alone.
  virtual void destroy_icon(IconHandle icon) = 0;
  // Starts loading these icons beside the caller; a later load_icon of the
  // same request gets its icon from them, once. Nothing else changes: it only
  // lets the files' reading overlap the making of the welcome window.
  virtual void load_icons_ahead(std::vector<IconRequest> requests) = 0;

  virtual Rect desktop_rect() = 0;

  virtual void set_small_icon(NativeWindow window, IconHandle icon) = 0;
  virtual void set_button_image(NativeWindow dialog, int id, IconHandle icon) = 0;
  // Paints the background of the given edits and list boxes in `rgb` (0x00BBGGRR)
  // by putting a procedure of its own in front of the dialog's.
  virtual void colour_fields(NativeWindow dialog, std::span<const int> edit_ids, std::span<const int> list_ids,
                             std::uint32_t rgb) = 0;
  virtual NativeWindow control(NativeWindow dialog, int id) = 0;

  // The thread's message loop.
  virtual bool next_message(NativeMessage& message) = 0;  // false on the quit message
  virtual int quit_code(const NativeMessage& message) = 0;
  virtual void translate_and_dispatch(const NativeMessage& message) = 0;
  virtual void post_quit(int exit_code) = 0;

  // High DPI and high contrast.
  // The dots per inch of the window's monitor where the system tells them
  // (Windows 10 1607 and later), else the system's; window 0: the system's.
  virtual int dpi(NativeWindow window) = 0;
  // The large icon: Alt+Tab and the taskbar.
  virtual void set_big_icon(NativeWindow window, IconHandle icon) = 0;
  // Whether the user's high-contrast setting is on.
  virtual bool high_contrast() = 0;
};

// A size in pixels at 96 dpi, at another DPI, rounded as Windows' MulDiv rounds.
constexpr int scaled_to_dpi(int size, int dpi) { return (size * dpi + 48) / 96; }

}  // namespace korvel
