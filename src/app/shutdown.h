// The end of a run: the recent list saved, the programs still running offered
// for termination, the farewell sound, language.dat removed.
#pragma once

#include <string>

#include "app/launcher_state.h"

namespace korvel {

// The exit prompt for that many running programs: "1 Program Is Still
// Running!..." or the count in two columns, left-adjusted ("3  Programs",
// "12 Programs"), "**" when it has more than two digits.
std::string exit_prompt_text(std::size_t running_count);
std::string_view exit_prompt_sound(std::size_t running_count);

// Runs the shutdown and returns the exit code the message loop ended with.
int shut_down(LauncherState& state, int exit_code);

}  // namespace korvel
