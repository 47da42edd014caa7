// Windows, icons and the thread's message loop on Win32.
#pragma once

#include <memory>

#include "platform/native_ui.h"
#include "platform/win32/icons_ahead.h"

namespace korvel::win32 {

class Win32Windows final : public Windows {
 public:
  // The class is registered once per process; a second registration fails
  // and the first one's events stay in charge.
  bool register_welcome_class(IconHandle icon, WelcomeEvents& events) override;
  NativeWindow create_welcome_window(std::string_view title, const Rect& bounds) override;
  void show(NativeWindow window, int show_command) override;
  void set_timer(NativeWindow window, unsigned id, unsigned milliseconds) override;
  void destroy_window(NativeWindow window) override;
  bool next_message_for(NativeWindow window, NativeMessage& message) override;

  IconHandle load_icon(const IconRequest& request) override;
  void destroy_icon(IconHandle icon) override;
  void load_icons_ahead(std::vector<IconRequest> requests) override;

  Rect desktop_rect() override;

  void set_small_icon(NativeWindow window, IconHandle icon) override;
  void set_button_image(NativeWindow dialog, int id, IconHandle icon) override;
  void colour_fields(NativeWindow dialog, std::span<const int> edit_ids, std::span<const int> list_ids,
                     std::uint32_t rgb) override;
  NativeWindow control(NativeWindow dialog, int id) override;

  bool next_message(NativeMessage& message) override;
  int quit_code(const NativeMessage& message) override;
  void translate_and_dispatch(const NativeMessage& message) override;
  void post_quit(int exit_code) override;

  int dpi(NativeWindow window) override;
  void set_big_icon(NativeWindow window, IconHandle icon) override;
  bool high_contrast() override;

 private:
  std::unique_ptr<IconsAhead> icons_ahead_;
};

}  // namespace korvel::win32
