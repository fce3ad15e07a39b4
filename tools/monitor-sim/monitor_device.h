#pragma once
// The monitor's side of the protocol over a byte stream: frames requests, answers them from
// its data set, erases its stores, and misbehaves where the fault plan says. No I/O here, so
// tests can drive it directly.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/frames.h"
#include "tools/monitor-sim/data_set.h"
#include "tools/monitor-sim/fault_plan.h"

namespace wd::sim {

struct DeviceOptions {
  std::size_t perReply = 100;      // monitoring records of one person per reply
  std::size_t wardPerReply = 100;  // ward-round entries per reply
};

struct DeviceStats {
  std::uint64_t requests = 0;  // valid requests received
  std::uint64_t replies = 0;   // replies sent, whole or not
  std::uint64_t bytesIn = 0;
  std::uint64_t bytesOut = 0;
};

// One reply as it goes out on the line.
struct Reply {
  std::vector<std::uint8_t> bytes;
  // A monitor that stalls mid-reply: the bytes from `heldFrom` on leave `heldFor` after the
  // request arrived. With no hold everything goes at once.
  std::size_t heldFrom = 0;
  std::chrono::milliseconds heldFor{0};

  bool empty() const { return bytes.empty(); }
};

class MonitorDevice {
 public:
  MonitorDevice(DataSet data, DeviceOptions options, FaultPlan faults);

  // Takes bytes as they come off the line and returns the replies to the whole requests among
  // them. Bytes that do not start a valid request are skipped.
  std::vector<Reply> Feed(std::span<const std::uint8_t> bytes);
  // The reply to one request, faults applied; empty for none.
  Reply Answer(const CommandPacket& request);

  // True once as many replies went out as the plan allows before a disconnect.
  bool ShouldDisconnect() const;
  const DeviceStats& stats() const { return stats_; }
  const DataSet& data() const { return data_; }

 private:
  using Frame = std::vector<std::uint8_t>;
  Frame CleanReply(const CommandPacket& request, bool oversized);
  Frame MonitoringPage(std::uint16_t index, bool oversized) const;
  Frame WardRoundPage(std::uint16_t index, bool oversized) const;
  Frame Erase(std::uint16_t store);
  void IndexMonitoring();

  DataSet data_;
  DeviceOptions options_;
  FaultPlan faults_;
  DeviceStats stats_;
  std::vector<std::uint8_t> pending_;
  std::vector<std::size_t> patientStarts_;  // index of each person's first monitoring record
};

}  // namespace wd::sim
