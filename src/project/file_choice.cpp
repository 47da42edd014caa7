#include "project/file_choice.h"

#include <algorithm>

namespace korvel {
using namespace main_dialog_ids;

namespace {

// Copies text into a buffer, NUL-terminated and blank-padded after the NUL,
// as a fixed-width field holding a platform string.
void fill(FileBuffer& buffer, std::string_view text) {
  buffer.fill(' ');
  const std::size_t n = std::min(text.size(), buffer.size() - 1);
  std::copy_n(text.begin(), n, buffer.begin());
  buffer[n] = '\0';
}

std::string_view chosen_path(const FileBuffer& buffer) {
  return cut_at_nul(std::string_view(buffer.data(), buffer.size()));
}

using namespace std::string_view_literals;
constexpr std::string_view geometry_filter = "Data files (*.dat)\0*.dat\0\0"sv;
constexpr std::string_view loading_filter = "Incarc files (*.inc)\0*.inc\0\0"sv;

// Runs the open-file dialog over the run's buffers; non-zero when a name was confirmed.
int ask_open_file_name(FileDialogs& dialogs, FileChoiceBuffers& buffers, std::size_t filter_size) {
  OpenFileRequest request;
  request.filter = std::string_view(buffers.filter.data(), filter_size);
  request.filter_index = 1;
  request.file_name = buffers.file_name.data();
  request.file_name_size = static_cast<unsigned>(buffers.file_name.size());
  request.initial_directory = buffers.initial_directory.data();
  request.title = buffers.title.data();
  request.default_extension = buffers.default_extension.data();
  request.flags = ofn_path_must_exist;  // without the keep-directory flag: the programs rely on the move
  return dialogs.get_open_file_name(request);
}

// What a confirmed choice does: the names, the enabled states, the File list,
// and language.dat in the chosen file's folder.
void take_chosen_file(FileSystem& files, ProjectState& project, LanguageFileTrail& trail, DialogRecord& d,
                      int control_id) {
  const FileChoiceBuffers& buffers = project.file_choice;
  if (control_id == select_geometry_button) {
    project.geometry_file = chosen_path(buffers.file_name);
    show_name(d, geometry_edit, project.geometry_file.trimmed());
    project.output_file = solver_output_name(files, project.geometry_file);
    project.loading_file = derive_name(project.geometry_file, ".inc");
    show_name(d, output_edit, project.output_file.trimmed());
    show_name(d, loading_edit, project.loading_file.trimmed());
    set_enabled(d, geometry_viewer_button, true);
  } else {
    project.loading_file = chosen_path(buffers.file_name);
    show_name(d, loading_edit, project.loading_file.trimmed());
    project.output_file = output_name_for_loading(files, project.geometry_file, project.loading_file);
    show_name(d, output_edit, project.output_file.trimmed());
  }

  set_enabled(d, solver_button, true);
  set_enabled(d, view_edit_button, false);
  set_enabled(d, print_button, false);
  set_file_list_entry(d, geometry_entry, "Geometry File");
  set_file_list_entry(d, loading_entry, file_is_found(files, project.loading_file) ? "Loading File" : "");
  set_file_list_entry(d, output_entry, file_is_found(files, project.output_file) ? "Output File (old)" : "");

  // The choice moved the current directory to the chosen file's folder, where
  // the programs started next look for language.dat: it is written there too.
  const LanguageText language(selected_text(d, language_list));
  write_language_file(files, language, trail);
}

// Whether the name ends in the extension, letter case aside, as the dialogs' filters match.
bool has_extension(std::string_view name, std::string_view extension) {
  return name.size() > extension.size() && same_any_case(name.substr(name.size() - extension.size()), extension);
}

}  // namespace

void on_select_file(Platform& platform, const Directories& dirs, ProjectState& project, LanguageFileTrail& trail,
                    DialogRecord& d, int control_id) {
  FileChoiceBuffers& buffers = project.file_choice;
  std::string_view filter;
  if (control_id == select_geometry_button) {
    fill(buffers.initial_directory, dirs.data_directory.trimmed());
    filter = geometry_filter;
    fill(buffers.default_extension, "dat");
    fill(buffers.title, "Select Input File \".dat\"");
  } else if (control_id == select_loading_button) {
    filter = loading_filter;
    fill(buffers.default_extension, "inc");
    fill(buffers.title, "Select Loading File \".inc\"");
  } else {
    return;
  }
  std::copy(filter.begin(), filter.end(), buffers.filter.begin());
  if (ask_open_file_name(platform.file_dialogs, buffers, filter.size()) == 0) return;
  take_chosen_file(platform.files, project, trail, d, control_id);
}

void on_file_dropped(FileSystem& files, ProjectState& project, LanguageFileTrail& trail, DialogRecord& d,
                     int control_id, std::string_view path) {
  // On a name field: the name, as if typed there.
  if (control_id == geometry_edit || control_id == loading_edit || control_id == output_edit) {
    type_name(d, control_id, path);
    return;
  }
  // Elsewhere: a Geometry or Loading File, as if chosen with its Select button.
  // Anything else, a folder among them, is not taken; nor is a path longer
  // than the open-file dialog's buffer, which would refuse it too.
  const int select_button = has_extension(path, ".dat")   ? select_geometry_button
                            : has_extension(path, ".inc") ? select_loading_button
                                                          : 0;
  const std::size_t folder_end = path.rfind('\\');
  if (!select_button || folder_end == std::string_view::npos || path.size() >= file_buffer_size ||
      !files.file_exists(path))
    return;
  // The open-file dialog would have moved the current directory to the file's
  // folder, where the programs look for their files: so does a drop.
  const std::string_view folder = path.substr(0, folder_end == 2 ? 3 : folder_end);
  if (!files.set_current_directory(folder)) return;
  fill(project.file_choice.file_name, path);
  take_chosen_file(files, project, trail, d, select_button);
}

}  // namespace korvel
