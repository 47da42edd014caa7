// The programs the Launcher started during this run, looked at again at exit.
#pragma once

#include <array>
#include <cstdint>

#include "common/fixed_text.h"
#include "platform/platform.h"

namespace korvel {

enum class LaunchState : std::int32_t { prepared = -2, started = 1, start_failed = -1 };

struct LaunchRecord {
  ProcessHandle process_handle = 0;
  std::uint32_t process_id = 0;
  LaunchState launch_state = LaunchState::prepared;
  PathText program_path;
  PathText arguments;
};

inline constexpr std::size_t launch_table_size = 100;

struct LaunchTable {
  std::array<LaunchRecord, launch_table_size> records{};
  std::size_t launch_count = 0;  // entries in use; entry launch_count is the newest
};

// Empties the table: every entry prepared, with no handle and a blank path.
void prepare_launch_table(LaunchTable& table);

}  // namespace korvel
