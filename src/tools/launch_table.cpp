#include "tools/launch_table.h"

namespace korvel {

void prepare_launch_table(LaunchTable& table) {
  table.records.assign(launch_table_size, LaunchRecord());
  table.launch_count = 0;
}

LaunchRecord& add_launch_record(LaunchTable& table, std::string_view program_path, std::string_view arguments) {
  if (table.launch_count == table.records.size()) table.records.emplace_back();
  LaunchRecord& record = table.records[table.launch_count++];
  record = LaunchRecord();
  record.program_path = program_path;
  record.arguments = arguments;
  return record;
}

}  // namespace korvel
