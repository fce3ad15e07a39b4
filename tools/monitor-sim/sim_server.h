#pragma once
// Serves the simulated monitor on a port until stopped or told to disconnect.

#include <atomic>

#include "tools/monitor-sim/monitor_device.h"
#include "tools/monitor-sim/pty_port.h"

namespace wd::sim {

struct ServeOptions {
  unsigned pace = 0;  // baud of the simulated line; 0 for no pacing
  bool verbose = false;
};

// Returns when `stop` is set, or after the planned disconnect (the port is closed then).
void Serve(SimPort& port, MonitorDevice& device, ServeOptions options,
           const std::atomic<bool>& stop);

}  // namespace wd::sim
