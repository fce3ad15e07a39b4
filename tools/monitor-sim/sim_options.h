#pragma once
// monitor-sim's command line.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/monitor-sim/data_generator.h"
#include "tools/monitor-sim/fault_plan.h"
#include "tools/monitor-sim/monitor_device.h"

namespace wd::sim {

struct SimOptions {
  GeneratorOptions generator;
  std::vector<std::filesystem::path> loadFiles;  // when given, these replace the generated data
  DeviceOptions device;
  FaultPlan faults;
  std::optional<std::filesystem::path> link;      // symlink to the pty
  std::optional<std::filesystem::path> tty;       // serve this tty instead of a new pty
  std::optional<std::filesystem::path> exportTo;  // write the data set as files and quit
  std::optional<std::filesystem::path> statsFile;
  unsigned pace = 0;  // baud; 0 sends as fast as the pty takes it
  bool verbose = false;
};

// False with a message (usage or a bad value) in `error`.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

extern const char* const kSimUsage;

}  // namespace wd::sim
