// The programs the Launcher started during this run, looked at again at exit,
// and the tools module's state for the run.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "common/fixed_text.h"
#include "platform/platform.h"

namespace korvel {

enum class LaunchState : std::int32_t { prepared = -2, started = 1, start_failed = -1 };

struct LaunchRecord {
  ProcessHandle process_handle = 0;
  std::uint32_t process_id = 0;
  LaunchState launch_state = LaunchState::prepared;
  PathText program_path;
  ArgumentText arguments;
};

// The table starts with room for a hundred programs and grows past that, so that
// every program started is offered for termination at exit.
inline constexpr std::size_t launch_table_size = 100;

struct LaunchTable {
  std::vector<LaunchRecord> records = std::vector<LaunchRecord>(launch_table_size);
  std::size_t launch_count = 0;  // entries in use; entry launch_count is the newest

  LaunchRecord& newest() { return records[launch_count - 1]; }
};

struct ToolsState {
  LaunchTable launch_table;
  std::set<int> commands_in_progress;  // buttons whose command is running (its box may be open)
};

// Empties the table: every entry prepared, with no handle and a blank path.
void prepare_launch_table(LaunchTable& table);
// Adds the newest entry, prepared, for a program about to be started.
LaunchRecord& add_launch_record(LaunchTable& table, std::string_view program_path, std::string_view arguments);

}  // namespace korvel
