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

  if (control_id == select_geometry_button) {
    project.geometry_file = chosen_path(buffers.file_name);
    set_text(d, geometry_edit, project.geometry_file.trimmed());
    project.output_file = solver_output_name(platform.files, project.geometry_file);
    project.loading_file = derive_name(project.geometry_file, ".inc");
    set_text(d, output_edit, project.output_file.trimmed());
    set_text(d, loading_edit, project.loading_file.trimmed());
    set_enabled(d, geometry_viewer_button, true);
  } else {
    project.loading_file = chosen_path(buffers.file_name);
    set_text(d, loading_edit, project.loading_file.trimmed());
    project.output_file = output_name_for_loading(platform.files, project.geometry_file, project.loading_file);
    set_text(d, output_edit, project.output_file.trimmed());
  }

  set_enabled(d, solver_button, true);
  set_enabled(d, view_edit_button, false);
  set_enabled(d, print_button, false);
  set_file_list_entry(d, geometry_entry, "Geometry File");
  set_file_list_entry(d, loading_entry, file_is_found(platform.files, project.loading_file) ? "Loading File" : "");
  set_file_list_entry(d, output_entry, file_is_found(platform.files, project.output_file) ? "Output File (old)" : "");

  // The dialog moved the current directory to the chosen file's folder, where
  // the programs started next look for language.dat: it is written there too.
  const LanguageText language(selected_text(d, language_list));
  write_language_file(platform.files, language, trail);
}

}  // namespace korvel
