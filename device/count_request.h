#pragma once
// The count request (0xEE): what the monitor holds now. The download starts with it, and the
// erase guard asks it alone to compare with what the archive holds.

#include <cstdint>
#include <functional>
#include <optional>

#include "data/download_state.h"
#include "device/acquisition.h"
#include "device/byte_link.h"
#include "device/clock.h"
#include "device/device_channel.h"

namespace wd {

// The numbers of records the monitor reports holding, as sent (32 bits unsigned).
struct DeviceTotals {
  std::uint32_t monitoring = 0;
  std::uint32_t wardRound = 0;

  friend bool operator==(const DeviceTotals&, const DeviceTotals&) = default;
};

enum class CountOutcome { Counted, Stopped, WriteFailed, NoAnswer };

// Up to three attempts, the stop flag looked at before each, the queues emptied before a
// repeat. The totals go into `state`; each rejected attempt is told to `onFailure`.
CountOutcome RequestCounts(DeviceChannel& channel, DownloadState& state,
                           const std::function<void(const FailedAttempt&)>& onFailure);

// Asks the totals on a link of its own; the link stays open. Nullopt when the monitor did not
// answer or the request could not be written.
std::optional<DeviceTotals> AskDeviceTotals(ByteLink& link, Clock& clock,
                                            ReceiveTiming timing = {});

}  // namespace wd
