#include "project/file_choice.h"

#include <algorithm>

namespace korvel {

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
int ask_open_file_name(FileDialogs& dialogs, FileChoiceBuffers& b, std::size_t filter_size) {
  OpenFileRequest request;
  request.filter = std::string_view(b.filter.data(), filter_size);
  request.filter_index = 1;
  request.file_name = b.file_name.data();
  request.file_name_size = static_cast<unsigned>(b.file_name.size());
  request.initial_directory = b.initial_directory.data();
  request.title = b.title.data();
  request.default_extension = b.default_extension.data();
  request.flags = ofn_path_must_exist;  // without the keep-directory flag: the programs rely on the move
  return dialogs.get_open_file_name(request);
}

}  // namespace

void on_select_file(Platform& platform, const Directories& dirs, ProjectState& s, LanguageFileTrail& trail,
                    DialogRecord& d, int control_id) {
  FileChoiceBuffers& b = s.file_choice;
  std::string_view filter;
  if (control_id == select_geometry_button) {
    fill(b.initial_directory, dirs.data_directory.trimmed());
    filter = geometry_filter;
    fill(b.default_extension, "dat");
    fill(b.title, "Select Input File \".dat\"");
  } else if (control_id == select_loading_button) {
    filter = loading_filter;
    fill(b.default_extension, "inc");
    fill(b.title, "Select Loading File \".inc\"");
  } else {
    return;
  }
  std::copy(filter.begin(), filter.end(), b.filter.begin());
  if (ask_open_file_name(platform.file_dialogs, b, filter.size()) == 0) return;

  if (control_id == select_geometry_button) {
    s.geometry_file = chosen_path(b.file_name);
    DLGPUTCHAR(d, geometry_edit, s.geometry_file.trimmed());
    s.output_file = solver_output_name(platform.files, s.geometry_file);
    s.loading_file = derive_name(s.geometry_file, ".inc");
    DLGPUTCHAR(d, output_edit, s.output_file.trimmed());
    DLGPUTCHAR(d, loading_edit, s.loading_file.trimmed());
    DLGPUTLOG(d, geometry_viewer_button, true, DLGIDX_ENABLED);
  } else {
    s.loading_file = chosen_path(b.file_name);
    DLGPUTCHAR(d, loading_edit, s.loading_file.trimmed());
    s.output_file = output_name_for_loading(platform.files, s.geometry_file, s.loading_file);
    DLGPUTCHAR(d, output_edit, s.output_file.trimmed());
  }

  DLGPUTLOG(d, solver_button, true, DLGIDX_ENABLED);
  DLGPUTLOG(d, view_edit_button, false, DLGIDX_ENABLED);
  DLGPUTLOG(d, print_button, false, DLGIDX_ENABLED);
  set_file_list_entry(d, 1, "Geometry File");
  set_file_list_entry(d, 2, file_is_found(platform.files, s.loading_file) ? "Loading File" : "");
  set_file_list_entry(d, 3, file_is_found(platform.files, s.output_file) ? "Output File (old)" : "");

  // The dialog moved the current directory to the chosen file's folder, where
  // the programs started next look for language.dat: it is written there too.
  LanguageText language;
  DLGREADCHAR(d, language_list, language, DLGIDX_STATE);
  write_language_file(platform.files, language, trail);
}

}  // namespace korvel
