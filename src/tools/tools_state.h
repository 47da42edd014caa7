// What the tools module holds for the run: the programs it started and the
// commands whose routine is running.
#pragma once

#include <set>

#include "tools/launch_table.h"

namespace korvel {

struct ToolsState {
  LaunchTable launch_table;
  std::set<int> commands_in_progress;  // buttons whose command is running (its box may be open)
};

}  // namespace korvel
