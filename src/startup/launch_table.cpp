#include "startup/launch_table.h"

namespace korvel {

void prepare_launch_table(LaunchTable& table) {
  for (LaunchRecord& record : table.records) record = LaunchRecord();
  table.launch_count = 0;
}

}  // namespace korvel
