// Reading and writing the settings files through the platform.
//
// Sound.dat and recent.dat lie in start_directory. language.dat and
// work_dir.dat are addressed by their bare names, so they lie in the current
// directory (the started programs read language.dat there). Every file is
// replaced whole: written to a temporary file beside it, then moved over it, so
// a crash or a full disk never leaves half a file. A failed write leaves the old
// file as it was and is not reported. Sound.dat and recent.dat hold the user's
// settings and reach the disk before the write returns; language.dat is a
// scratch file for the package's programs, rewritten at every name change and
// deleted at exit, and is left to the system's cache. Files are read only as far as their
// records are used (record_read_limit; for recent.dat's list record_look_limit),
// however large they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "platform/platform.h"
#include "settings/settings_formats.h"
#include "common/directories.h"

namespace korvel {

inline constexpr std::string_view language_file_name = "language.dat";
inline constexpr std::string_view work_dir_file_name = "work_dir.dat";

// Replaces the file with `content` through a temporary file in the same folder.
bool replace_file_contents(FileSystem& files, std::string_view path, std::string_view content,
                           Durability durability);

// The sound switch at start-up: read from Sound.dat when it exists, else true
// and the file is created. A file that holds no readable value gives true. A
// file that exists but can't be read gives true too, and is to be left as it
// is (not rewritten by the start-up) until the user changes the switch.
struct StartUpSoundSwitch {
  bool sound_on = true;
  bool keep_file = false;
};
StartUpSoundSwitch read_sound_switch_at_startup(FileSystem& files, const Directories& dirs);
void write_sound_file(FileSystem& files, const Directories& dirs, bool sound_on);

// The recent list at start-up: loaded when recent.dat exists, else blank and the
// file is created with five blank records. True when the file exists but can't
// be read: the list in it is the user's, and the run must not write over it.
bool read_recent_list_at_startup(FileSystem& files, const Directories& dirs, RecentFiles& recent_files);
// False when the file can't be read (the list is then blank).
bool load_recent_list(FileSystem& files, const Directories& dirs, RecentFiles& recent_files);
// Writes the entries worth keeping; a list with none is five blank records.
void save_recent_list(FileSystem& files, const Directories& dirs, const RecentFiles& recent_files);

// The folders language.dat was written in during the run. The current directory
// moves when the user chooses a file, and each copy is removed at exit.
struct LanguageFileTrail {
  std::vector<std::string> folders;
};

// The settings the run holds and writes back.
struct SettingsState {
  bool sound_on = true;
  bool keep_sound_file = false;   // Sound.dat could not be read at start-up: not rewritten then
  RecentFiles recent_files;       // most recent Geometry File first
  bool keep_recent_file = false;  // recent.dat could not be read at start-up: never written over
  LanguageFileTrail language_files;
};

// Writes language.dat in the current directory and notes the folder.
void write_language_file(FileSystem& files, const LanguageText& language, LanguageFileTrail& trail);
// Deletes language.dat from the current directory and from every folder it was
// written in; read-only, hidden and system files stay, a missing one is no error.
void delete_language_files(FileSystem& files, const LanguageFileTrail& trail);

// The start-up output language: the last record of ComVek.dat in the working
// directory that work_dir.dat names; "English" when either file is missing,
// unreadable or empty.
LanguageText language_from_work_dir(FileSystem& files);

}  // namespace korvel
