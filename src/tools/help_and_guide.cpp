#include "tools/help_and_guide.h"

#include "project/project_files.h"

namespace korvel {
using namespace main_dialog_ids;

std::optional<ToolCommand> help_command(Platform& platform, const Directories& dirs) {
  FileSystem& files = platform.files;
  ToolCommand viewer{ProgramPathText(files.windows_directory() + "\\hh.exe"), ArgumentText()};
  for (std::string_view help : {"\\Korvel Help 20.chm", "\\Korvel Help.chm"}) {
    const std::string path = path_in(dirs.start_directory, help);
    if (files.file_exists(path)) {
      viewer.arguments = path;  // unquoted: the viewer takes the rest of its command line
      return viewer;
    }
  }
  platform.message_boxes.show(
      "Missing files: \"Korvel Help.chm or Korvel Help 20.chm\" in \"KORVEL_Installation_Directory\\Exe\\\"!\n"
      "Can Not Open Help File.",
      "KORVEL Message", mb::ok | mb::icon_error);
  return std::nullopt;
}

std::optional<ToolCommand> users_guide_command(Platform& platform, const Directories& dirs, ProjectState& project,
                                               DialogRecord& d) {
  FileSystem& files = platform.files;
  MessageBoxes& boxes = platform.message_boxes;
  ToolCommand guide;
  bool word_found = false;
  for (std::string_view word : word_program_list) {
    if (file_is_found(files, PathText(word))) {
      guide.program_path = word;
      word_found = true;
      break;
    }
  }
  if (!word_found) {
    boxes.show(
        "WinWord Not Found!\nCan Not Open User's Guide.\nTry yourself to launch Word \nand open "
        "c:\\Brumid\\Doc\\Korvel.doc",
        "KORVEL Message", mb::ok | mb::icon_error);
    return std::nullopt;
  }

  const PathText romanian_guide(path_in(dirs.doc_directory, "\\Korvel-ro.doc"));
  const PathText english_guide(path_in(dirs.doc_directory, "\\Korvel-en.doc"));
  const bool romanian_found = file_is_found(files, romanian_guide);
  const bool english_found = file_is_found(files, english_guide);
  const std::string romanian_quoted = quoted(romanian_guide.trimmed());
  const std::string english_quoted = quoted(english_guide.trimmed());

  const LanguageText language(selected_text(d, language_list));
  project.romanian_output = is_romanian(language.padded());

  if (!romanian_found && !english_found) {
    const int answer = boxes.show(
        "Missing files: \"Korvel-ro.doc & Korvel-en.doc\" in \"KORVEL_Installation_Directory\\Doc\\\"!\n"
        "Can Not Open User's Guide.\nTry to locate yourself the above files.",
        "KORVEL Message", mb::ok_cancel | mb::icon_error);
    if (answer == mb::answer_cancel) return std::nullopt;
    guide.arguments = "";
    return guide;
  }
  if (project.romanian_output && romanian_found) {
    guide.arguments = romanian_quoted;
  } else if (project.romanian_output) {
    if (boxes.show("Romanian Edition not available!\nWould you like to open English Edition?", "KORVEL Message",
                   mb::yes_no | mb::icon_error) != mb::answer_yes)
      return std::nullopt;
    guide.arguments = english_quoted;
  } else if (english_found) {
    guide.arguments = english_quoted;
  } else {
    if (boxes.show("English Edition not available!\nWould you like to open Romanian Edition?", "KORVEL Message",
                   mb::yes_no | mb::icon_error) != mb::answer_yes)
      return std::nullopt;
    guide.arguments = romanian_quoted;
  }
  return guide;
}

}  // namespace korvel
