#include "settings/settings_store.h"

#include <algorithm>
#include <string>

#include "settings/records.h"

namespace korvel {

bool replace_file_contents(FileSystem& files, std::string_view path, std::string_view content,
                           Durability durability) {
  const std::string temporary = std::string(path) + ".tmp";
  if (!files.write_file(temporary, content, durability)) {
    files.delete_file(temporary);
    return false;
  }
  if (!files.move_file_replacing(temporary, path, durability)) {
    files.delete_file(temporary);
    return false;
  }
  return true;
}

namespace {
std::string sound_path(const Directories& dirs) { return path_in(dirs.start_directory, "\\Sound.dat"); }
std::string recent_path(const Directories& dirs) { return path_in(dirs.start_directory, "\\recent.dat"); }

FromSystemCodePage from_system(FileSystem& files) {
  return [&files](std::string_view text) { return files.from_system_code_page(text); };
}

SystemCodePage system_code_page(FileSystem& files) {
  return {from_system(files), [&files](std::string_view text) { return files.to_system_code_page(text); }};
}

// The part of a file that holds the first records the Launcher reads.
std::optional<std::string> read_head(FileSystem& files, std::string_view path) {
  return files.read_file_range(path, 0, record_read_limit);
}
}  // namespace

StartUpSoundSwitch read_sound_switch_at_startup(FileSystem& files, const Directories& dirs) {
  const std::string path = sound_path(dirs);
  if (!files.file_exists(path)) {
    write_sound_file(files, dirs, true);
    return {};
  }
  const std::optional<std::string> text = read_head(files, path);
  // Most likely another program holds it: the setting in it is the user's.
  if (!text) return {.sound_on = true, .keep_file = true};
  return {.sound_on = parse_logical_record(*text).value_or(true)};
}

void write_sound_file(FileSystem& files, const Directories& dirs, bool sound_on) {
  replace_file_contents(files, sound_path(dirs), format_logical_record(sound_on), Durability::durable);
}

bool read_recent_list_at_startup(FileSystem& files, const Directories& dirs, RecentFiles& recent_files) {
  const std::string path = recent_path(dirs);
  if (files.file_exists(path)) return !load_recent_list(files, dirs, recent_files);
  recent_files = RecentFiles();
  replace_file_contents(files, path, format_blank_recent_list(), Durability::durable);
  return false;
}

bool load_recent_list(FileSystem& files, const Directories& dirs, RecentFiles& recent_files) {
  const std::string path = recent_path(dirs);
  const std::optional<FirstRecords> file = first_records(
      [&](std::uint64_t offset, std::size_t count) { return files.read_file_range(path, offset, count); },
      recent_file_count);
  recent_files = file ? recent_list_from_records(*file, system_code_page(files)) : RecentFiles();
  return file.has_value();
}

void save_recent_list(FileSystem& files, const Directories& dirs, const RecentFiles& recent_files) {
  replace_file_contents(files, recent_path(dirs), format_recent_list(recent_files, system_code_page(files)),
                        Durability::durable);
}

void write_language_file(FileSystem& files, const LanguageText& language, LanguageFileTrail& trail) {
  replace_file_contents(files, language_file_name, format_language_record(language), Durability::scratch);
  const std::optional<std::string> folder = files.current_directory();
  if (!folder) return;
  const auto same_folder = [&](const std::string& known) { return same_any_case(known, *folder); };
  if (std::none_of(trail.folders.begin(), trail.folders.end(), same_folder)) trail.folders.push_back(*folder);
}

void delete_language_files(FileSystem& files, const LanguageFileTrail& trail) {
  files.delete_file(language_file_name);
  for (const std::string& folder : trail.folders) {
    const bool ends_in_backslash = !folder.empty() && folder.back() == '\\';
    files.delete_file(folder + (ends_in_backslash ? "" : "\\") + std::string(language_file_name));
  }
}

LanguageText language_from_work_dir(FileSystem& files) {
  const LanguageText english(default_language);
  const std::optional<std::string> work_dir_text = read_head(files, work_dir_file_name);
  if (!work_dir_text) return english;
  const std::optional<PathText> work_dir = parse_work_dir(*work_dir_text, from_system(files));
  if (!work_dir) return english;
  const std::string comvek = path_in(*work_dir, "\\ComVek.dat");
  const std::optional<std::uint64_t> size = files.file_size(comvek);
  if (!size) return english;
  const std::optional<std::string> record = last_record(
      *size, [&](std::uint64_t offset, std::size_t count) { return files.read_file_range(comvek, offset, count); });
  if (!record) return english;
  return language_from_record(*record, system_code_page(files));
}

}  // namespace korvel
