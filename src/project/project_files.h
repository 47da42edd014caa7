// The three files of an analysis: Geometry (.dat), Loading (.inc) and Output
// (.rez), the names derived from one another, and the checks made on them.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "project/project_state.h"
#include "project/readable_names.h"
#include "settings/settings_store.h"
#include "ui/control_ids.h"
#include "ui/dialog_calls.h"

namespace korvel {

// The name with everything from its FIRST full stop replaced by `extension`
// (the package's programs derive names the same way): C:\Work.2020\frame.dat
// gives C:\Work.rez. No full stop, or one in first place, leaves just the extension.
PathText derive_name(const PathText& name, std::string_view extension);

// The Output File the solver writes for this Geometry File. The solver cuts the
// name it is given at its first full stop, and a name the system's code page
// can't hold reaches it as short names (readable_names.h): C:\Work\ștefan.dat
// goes as C:\Work\TEFAN~1.DAT and gives C:\Work\TEFAN~1.rez. The folders
// before the cut keep the user's names, which name the same folders. Any other
// name gives derive_name's Output name.
PathText solver_output_name(FileSystem& files, const PathText& geometry_file);

// The Output name derived from a Loading name: the one the solver writes when
// the Loading name is the one derived from the Geometry name (the same
// analysis), else derive_name's, from the Loading name.
PathText output_name_for_loading(FileSystem& files, const PathText& geometry_file, const PathText& loading_file);

// True for the values that mean "no name": blank, the bare extension, or a
// backslash and the extension.
bool is_empty_form(const PathText& name, std::string_view extension);

// The platform's file search for the name (trailing blanks dropped, ended at a NUL).
bool file_is_found(FileSystem& files, const PathText& name);

// Whether the name, cut at its NUL and without its trailing blanks, holds a
// blank: such a name is quoted on a command line.
bool has_blank(std::string_view field);

// False for a name no file can have that would also break a command line: one
// holding a double quote (it would end the quoting) or a control character
// such as a TAB (it would split the argument).
bool can_name_a_file(std::string_view name);

// The name between double quotes, as command lines and messages show it.
std::string quoted(std::string_view name);
// The name as a command line carries it: quoted when it holds a blank.
std::string quoted_if_blank(std::string_view name);
// The message for a name whose file is missing: the name in double quotes.
std::string file_not_found_text(std::string_view name);

// True when the language text names Romanian.
bool is_romanian(std::string_view language_text);

// Sets a File-list entry's text; no entry changes nothing.
void set_file_list_entry(DialogRecord& dialog, main_dialog_ids::FileListEntry entry, std::string_view text);

// The three name edits and the language drop-down: the names derived, the
// commands enabled, language.dat written and the output language taken.
void on_name_changed(FileSystem& files, ProjectState& project, LanguageFileTrail& trail, DialogRecord& dialog,
                     int control_id);

}  // namespace korvel
