// In-memory windows and dialogs. A dialog made from a template holds its
// controls' texts, states and lists as a native dialog would, and the test acts
// on it as a user does: clicks, types, selects, presses Escape, closes it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <string>
#include <vector>

#include "live_objects.h"
#include "platform/native_ui.h"
#include "platform/platform.h"

namespace korvel::fake {

struct FakeControl {
  ControlClass control_class = ControlClass::static_text;
  std::uint32_t style = 0;
  std::string text;
  bool enabled = true;
  bool checked = false;
  std::pair<int, int> caret{0, 0};
  std::vector<std::string> items;
  std::vector<bool> selected;
  int current = -1;  // drop-down list: the current selection
  IconHandle image = 0;
  int repaints = 0;  // texts set and lists emptied: what makes the control paint again
};

struct FakeDialogWindow {
  const DialogTemplate* layout = nullptr;
  NativeWindow owner = 0;
  bool modal = false;
  bool open = true;
  bool close_command_enabled = true;
  int show_command = 0;
  std::optional<int> modal_result;
  DialogEvents* events = nullptr;
  void* dialog = nullptr;
  std::map<int, FakeControl> controls;  // addressable ids only
  bool field_brush = false;             // made by colour_fields, released with the window
  bool accepts_files = false;

  std::vector<ControlName> names;  // as name_controls last gave them
};

class FakeNativeDialogs final : public NativeDialogs {
 public:
  std::map<NativeWindow, FakeDialogWindow> windows;
  bool fail_create = false;
  LiveObjects* live = nullptr;
  // What the user does inside each modal dialog, in the order they open.
  std::deque<std::function<void(NativeWindow)>> modal_scripts;

  // The newest open dialog made from the template, or 0.
  NativeWindow find(int template_id) const;
  FakeControl& control(NativeWindow window, int id) { return windows.at(window).controls.at(id); }

  // The user's actions. They do nothing on a control the user could not reach.
  void click(NativeWindow window, int id);
  void type(NativeWindow window, int id, std::string_view text);  // replaces the whole text, key by key
  void select(NativeWindow window, int id, int index);              // a list item, counted from 0
  void double_click(NativeWindow window, int id, int index);
  void escape(NativeWindow window);
  void close_box(NativeWindow window);
  // Files dragged from the shell and dropped on the edit box `id` (0: elsewhere on the dialog).
  void drop_files(NativeWindow window, int id, const std::vector<std::string>& paths);
  void help_key(NativeWindow window);  // F1
  // A command as the window would receive it, whatever the control's state.
  void send_command(NativeWindow window, int id, int code);
  // The dialog is shown at another DPI now (moved to another monitor).
  void dpi_changed(NativeWindow window, int dpi);

  NativeWindow create_modeless(const DialogTemplate& layout, NativeWindow owner, int show_command,
                               DialogEvents& events, void* dialog) override;
  int run_modal(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events, void* dialog) override;
  void end_modal(NativeWindow window, int result) override;
  void destroy(NativeWindow window) override;
  bool is_dialog_message(NativeWindow, const NativeMessage&) override { return false; }
  void accept_dropped_files(NativeWindow window) override { windows.at(window).accepts_files = true; }

  void set_text(NativeWindow window, int id, std::string_view text) override;
  std::string text(NativeWindow window, int id) override { return control(window, id).text; }
  void set_enabled(NativeWindow window, int id, bool enabled) override { control(window, id).enabled = enabled; }
  bool enabled(NativeWindow window, int id) override { return control(window, id).enabled; }
  void enable_close_command(NativeWindow window, bool enabled) override {
    windows.at(window).close_command_enabled = enabled;
  }
  void set_checked(NativeWindow window, int id, bool checked) override { control(window, id).checked = checked; }
  bool checked(NativeWindow window, int id) override { return control(window, id).checked; }
  void set_caret(NativeWindow window, int id, std::pair<int, int> caret) override;
  std::pair<int, int> caret(NativeWindow window, int id) override { return control(window, id).caret; }

  void list_clear(ListKind, NativeWindow window, int id) override;
  void list_add(ListKind, NativeWindow window, int id, std::string_view item) override;
  int list_count(ListKind, NativeWindow window, int id) override {
    return static_cast<int>(control(window, id).items.size());
  }
  std::string list_item(ListKind, NativeWindow window, int id, int index) override {
    return control(window, id).items.at(static_cast<std::size_t>(index));
  }
  void list_select(ListKind kind, NativeWindow window, int id, int index) override;
  void list_select_text(NativeWindow window, int id, std::string_view text) override;
  void list_set_selected(NativeWindow window, int id, int index, bool selected) override;
  bool list_selected(NativeWindow window, int id, int index) override {
    return control(window, id).selected.at(static_cast<std::size_t>(index));
  }
  int list_current(NativeWindow window, int id) override { return control(window, id).current; }

  void name_controls(NativeWindow window, std::span<const ControlName> names) override {
    windows.at(window).names.assign(names.begin(), names.end());
  }

 private:
  NativeWindow make(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events, void* dialog);
  NativeWindow next_window_ = 0x100;
};

// A canvas with fixed metrics: at 96 pixels per inch the default font's lines
// are 16 pixels high and every character 7 wide; a made font's line is its
// character height plus a fifth.
class FakeCanvas final : public Canvas {
 public:
  explicit FakeCanvas(int ppi_x = 96, int ppi_y = 96) : ppi_x_(ppi_x), ppi_y_(ppi_y) {}
  struct Text {
    int x, y;
    std::string text;
    std::uint32_t colour;
    std::string font;  // "" for the default font
  };
  struct Font {
    int height, weight;
    bool italic;
    std::string face;
  };
  std::vector<Text> texts;
  std::vector<Font> fonts_made;
  std::vector<std::tuple<int, int, int>> rules;  // x1, x2, y
  std::vector<std::pair<Rect, std::string>> wrapped;
  std::optional<std::pair<int, int>> icon_at;
  bool fail_fonts = false;
  LiveObjects* live = nullptr;
  // The painting is over: the fonts made for it go.
  void end_painting();

  int pixels_per_inch_x() override { return ppi_x_; }
  int pixels_per_inch_y() override { return ppi_y_; }
  void draw_icon(int x, int y, IconHandle) override { icon_at = {x, y}; }
  bool select_font(int height, int weight, bool italic, std::string_view face) override;
  void select_default_font() override { current_ = {}; }
  int line_height() override;
  int text_width(std::string_view text) override { return static_cast<int>(text.size()) * 7; }
  void set_text_colour(std::uint32_t rgb) override { colour_ = rgb; }
  void draw_text(int x, int y, std::string_view text) override {
    texts.push_back({x, y, std::string(text), colour_, current_ ? current_->face : ""});
  }
  void draw_rule(int x1, int x2, int y) override { rules.emplace_back(x1, x2, y); }
  void draw_wrapped(const Rect& rect, std::string_view text) override { wrapped.emplace_back(rect, std::string(text)); }

  // High DPI and high contrast: the client area's width, and texts drawn after
  // set_system_colours carry `system_colour`.
  static constexpr std::uint32_t system_colour = 0xFF000000;  // no RGB value
  int area_width = 1 << 16;
  bool system_colours = false;
  int client_width() override { return area_width; }
  void set_system_colours() override {
    system_colours = true;
    colour_ = system_colour;
  }

 private:
  int ppi_x_, ppi_y_;
  std::uint32_t colour_ = 0;
  std::optional<Font> current_;
};

class FakeWindows final : public Windows {
 public:
  FakeWindows(FileSystem& files, FakeNativeDialogs& dialogs) : files_(files), dialogs_(dialogs) {}

  struct IconLoad {
    std::string path;
    int width, height;
    bool vga_colour;
    IconHandle handle;
  };
  std::vector<IconLoad> icon_loads;
  std::vector<IconRequest> icons_ahead;  // the last batch asked for
  std::map<NativeWindow, IconHandle> small_icons;
  std::map<NativeWindow, std::pair<int, int>> positions;
  struct Colouring {
    std::vector<int> edits, lists;
    std::uint32_t rgb;
  };
  std::map<NativeWindow, Colouring> coloured;
  Rect desktop{0, 0, 1280, 1024};
  std::optional<int> quit_posted;
  bool quit_pending = false;  // posted and not yet taken by the loop; it ends message boxes too

  // The user's actions, one per turn of the message loop. When none is left the
  // loop ends as if the program had been stopped from outside. An action that
  // throws ends the loop with its exception, as the adapter's dispatch throws
  // again what a window's procedure parked.
  std::deque<std::function<void()>> user_actions;
  bool ran_dry = false;

  // The welcome class's windows. Each turn of the splash loop delivers, in this
  // order: a paint when the window was shown or asked to repaint, the next of
  // `splash_actions`, then the window's timer.
  struct WelcomeWindow {
    std::string title;
    int width = 0, height = 0;
    int show_command = -1;
    bool alive = true;
    bool needs_paint = false;
    std::optional<unsigned> timer_ms;
    int paints = 0;
  };
  std::map<NativeWindow, WelcomeWindow> welcome;
  WelcomeEvents* welcome_events = nullptr;
  bool fail_register = false;
  bool fail_welcome_window = false;
  std::deque<std::function<void()>> splash_actions;
  std::optional<FakeCanvas> last_canvas;
  LiveObjects* live = nullptr;
  // Paints a welcome window now, as WM_PAINT would.
  void paint(NativeWindow window);
  // The user clicks a welcome window, or its close box (the class's close
  // handler, then default processing destroys it).
  void click(NativeWindow window) { welcome_events->welcome_clicked(window); }
  void close_box(NativeWindow window);

  bool register_welcome_class(IconHandle icon, WelcomeEvents& events) override;
  NativeWindow create_welcome_window(std::string_view title, const Rect& bounds) override;
  void show(NativeWindow window, int show_command) override;
  void set_timer(NativeWindow window, unsigned id, unsigned milliseconds) override;
  void destroy_window(NativeWindow window) override;
  bool next_message_for(NativeWindow window, NativeMessage& message) override;

  IconHandle load_icon(const IconRequest& request) override;
  void destroy_icon(IconHandle icon) override;
  std::vector<IconHandle> icons_destroyed;  // in order
  // Of an icon never loaded, released already, or still shown.
  int wrong_icon_releases = 0;
  IconHandle class_icon = 0;  // the welcome class's
  void load_icons_ahead(std::vector<IconRequest> requests) override { icons_ahead = std::move(requests); }
  Rect desktop_rect() override { return desktop; }
  void set_small_icon(NativeWindow window, IconHandle icon) override { small_icons[window] = icon; }
  void set_button_image(NativeWindow dialog, int id, IconHandle icon) override {
    dialogs_.control(dialog, id).image = icon;
  }
  void colour_fields(NativeWindow dialog, std::span<const int> edit_ids, std::span<const int> list_ids,
                     std::uint32_t rgb) override;
  NativeWindow control(NativeWindow dialog, int id) override { return dialog * 0x10000 + static_cast<unsigned>(id); }

  bool next_message(NativeMessage& message) override;
  int quit_code(const NativeMessage&) override { return quit_posted.value_or(0); }
  void translate_and_dispatch(const NativeMessage& message) override;
  void post_quit(int exit_code) override {
    quit_posted = exit_code;
    quit_pending = true;
  }

  // High DPI and high contrast. A welcome window paints at its DPI, on a
  // client area as wide as the window.
  int system_dpi = 96;
  std::map<NativeWindow, int> window_dpis;  // those not at the system's
  std::map<NativeWindow, IconHandle> big_icons;
  bool high_contrast_on = false;
  int high_contrast_asks = 0;
  int dpi(NativeWindow window) override {
    const auto it = window_dpis.find(window);
    return it != window_dpis.end() ? it->second : system_dpi;
  }
  void set_big_icon(NativeWindow window, IconHandle icon) override { big_icons[window] = icon; }
  bool high_contrast() override {
    ++high_contrast_asks;
    return high_contrast_on;
  }

 private:
  FileSystem& files_;
  FakeNativeDialogs& dialogs_;
  std::map<std::uintptr_t, std::function<void()>> pending_;
  std::uintptr_t next_message_ = 1;
  IconHandle next_icon_ = 0x5000;
};

}  // namespace korvel::fake
