#include "tools/program_names.h"

namespace korvel {

std::string unreadable_name_text(std::string_view name) {
  return "\"" + std::string(name) +
         "\": the package's programs can't read this name.\n\nRename the file or its folder.";
}

std::optional<std::string> readable_name_or_report(Platform& platform, std::string_view name) {
  std::optional<std::string> readable = readable_name(platform.files, name);
  if (!readable) platform.message_boxes.show(unreadable_name_text(name), "KORVEL Message", mb::ok | mb::icon_error);
  return readable;
}

}  // namespace korvel
