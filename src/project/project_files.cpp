#include "project/project_files.h"

#include <algorithm>

namespace korvel {
using namespace main_dialog_ids;

PathText derive_name(const PathText& name, std::string_view extension) {
  const std::string& field = name.padded();
  const std::size_t stop = field.find('.');
  const std::string_view base =
      stop == std::string::npos ? std::string_view() : std::string_view(field).substr(0, stop);
  std::string derived(base);
  derived.append(extension);
  return PathText(derived);
}

namespace {
bool is_separator(char c) { return part_separators.find(c) != std::string_view::npos; }
}  // namespace

PathText solver_output_name(FileSystem& files, const PathText& geometry_file) {
  const std::string_view name = geometry_file.name();
  const std::optional<std::string> readable = readable_name(files, name);
  if (!readable || *readable == name) return derive_name(geometry_file, ".rez");
  const std::size_t stop = readable->find('.');
  std::size_t cut_part = 0;  // where the part holding the first full stop begins
  if (stop != std::string::npos) {
    const std::size_t folder_end = readable->find_last_of(part_separators, stop);
    if (folder_end != std::string::npos) cut_part = folder_end + 1;
  }
  // Short names stand one for one in place of the user's names, between the
  // same separators: the user's folders before that part are found by counting them.
  auto separators = std::count_if(readable->begin(), readable->begin() + cut_part, is_separator);
  std::size_t own_cut_part = 0;
  while (separators > 0 && own_cut_part < name.size()) separators -= is_separator(name[own_cut_part++]);
  std::string output(name.substr(0, own_cut_part));
  if (stop != std::string::npos) output.append(*readable, cut_part, stop - cut_part);
  return PathText(output.append(".rez"));
}

PathText output_name_for_loading(FileSystem& files, const PathText& geometry_file, const PathText& loading_file) {
  if (derive_name(geometry_file, ".inc") == loading_file) return solver_output_name(files, geometry_file);
  return derive_name(loading_file, ".rez");
}

bool is_empty_form(const PathText& name, std::string_view extension) {
  std::string rooted = "\\";
  rooted.append(extension);
  return name.is_blank() || name == extension || name == std::string_view(rooted);
}

bool file_is_found(FileSystem& files, const PathText& name) {
  const std::string_view wanted = cut_at_nul(name.trimmed());
  return !wanted.empty() && files.search_path(wanted).has_value();
}

bool has_blank(std::string_view field) {
  return trim_blanks(cut_at_nul(field)).find(' ') != std::string_view::npos;
}

bool can_name_a_file(std::string_view name) {
  for (const char c : name)
    if (c == '"' || static_cast<unsigned char>(c) < 32) return false;
  return true;
}

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string quoted_if_blank(std::string_view name) { return has_blank(name) ? quoted(name) : std::string(name); }

std::string file_not_found_text(std::string_view name) {
  return quoted(name) + ": File NOT found.\n\nCheck for File Name !";
}

bool is_romanian(std::string_view language_text) {
  return !language_text.empty() && (language_text.front() == 'r' || language_text.front() == 'R');
}

void set_file_list_entry(DialogRecord& dialog, FileListEntry entry, std::string_view text) {
  if (entry != no_entry) set_item(dialog, file_list, entry, text);
}

void on_name_changed(FileSystem& files, ProjectState& project, LanguageFileTrail& trail, DialogRecord& d,
                     int control_id) {
  set_enabled(d, view_edit_button, false);
  set_enabled(d, print_button, false);

  switch (control_id) {
    case geometry_edit: {
      project.geometry_file = text_of(d, geometry_edit);
      // The other two follow the Geometry name whatever it is, so clearing it
      // leaves ".rez" and ".inc".
      project.output_file = solver_output_name(files, project.geometry_file);
      project.loading_file = derive_name(project.geometry_file, ".inc");
      show_name(d, output_edit, project.output_file.trimmed());
      show_name(d, loading_edit, project.loading_file.trimmed());
      const bool named = !is_empty_form(project.geometry_file, ".dat");
      set_enabled(d, solver_button, named);
      set_enabled(d, geometry_viewer_button, named);
      if (named) set_file_list_entry(d, geometry_entry, "Geometry File");
      break;
    }
    case output_edit: {
      project.output_file = text_of(d, output_edit);
      const bool named = !is_empty_form(project.output_file, ".rez");
      set_enabled(d, solver_button, named);
      if (named) set_file_list_entry(d, output_entry, "Output File");
      break;
    }
    case loading_edit: {
      project.loading_file = text_of(d, loading_edit);
      const bool named = !is_empty_form(project.loading_file, ".inc");
      set_enabled(d, solver_button, named);
      if (named) {
        set_file_list_entry(d, loading_entry, "Loading File");
        project.output_file = output_name_for_loading(files, project.geometry_file, project.loading_file);
        show_name(d, output_edit, project.output_file.trimmed());
      }
      break;
    }
    default:
      break;
  }

  const LanguageText language(selected_text(d, language_list));
  write_language_file(files, language, trail);
  project.romanian_output = is_romanian(language.padded());
}

}  // namespace korvel
