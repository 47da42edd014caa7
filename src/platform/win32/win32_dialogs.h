// Dialogs and their controls on Win32: the core's templates made into dialog
// windows, one dialog procedure reporting to the binding layer, and the
// control messages that copy values in and out. Texts are ANSI.
#pragma once

#include "platform/native_ui.h"

namespace korvel::win32 {

class Win32NativeDialogs final : public NativeDialogs {
 public:
  NativeWindow create_modeless(const DialogTemplate& layout, NativeWindow owner, int show_command,
                               DialogEvents& events, void* dialog) override;
  int run_modal(const DialogTemplate& layout, NativeWindow owner, DialogEvents& events, void* dialog) override;
  void end_modal(NativeWindow window, int result) override;
  void destroy(NativeWindow window) override;
  void accept_dropped_files(NativeWindow window) override;
  bool is_dialog_message(NativeWindow window, const NativeMessage& message) override;

  void set_text(NativeWindow window, int id, std::string_view text) override;
  std::string text(NativeWindow window, int id) override;
  void set_enabled(NativeWindow window, int id, bool enabled) override;
  bool enabled(NativeWindow window, int id) override;
  void enable_close_command(NativeWindow window, bool enabled) override;
  void set_checked(NativeWindow window, int id, bool checked) override;
  bool checked(NativeWindow window, int id) override;
  void set_caret(NativeWindow window, int id, std::pair<int, int> selection) override;
  std::pair<int, int> caret(NativeWindow window, int id) override;

  void list_clear(ListKind kind, NativeWindow window, int id) override;
  void list_add(ListKind kind, NativeWindow window, int id, std::string_view item) override;
  int list_count(ListKind kind, NativeWindow window, int id) override;
  std::string list_item(ListKind kind, NativeWindow window, int id, int index) override;
  void list_select(ListKind kind, NativeWindow window, int id, int index) override;
  void list_select_text(NativeWindow window, int id, std::string_view text) override;
  void list_set_selected(NativeWindow window, int id, int index, bool selected) override;
  bool list_selected(NativeWindow window, int id, int index) override;
  int list_current(NativeWindow window, int id) override;

  void name_controls(NativeWindow window, std::span<const ControlName> names) override;
};

}  // namespace korvel::win32
