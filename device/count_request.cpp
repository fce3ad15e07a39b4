#include "device/count_request.h"

#include "device/replies.h"

namespace wd {

CountOutcome RequestCounts(DeviceChannel& channel, DownloadState& state,
                           const std::function<void(const FailedAttempt&)>& onFailure) {
  const CommandPacket packet = CommandPacket::Make(Command::Count, 0);
  for (int attempt = 1; attempt <= kAttemptsPerRequest; ++attempt) {
    if (state.stopRequested) return CountOutcome::Stopped;
    // The first request goes out on the queues emptied when the port was opened. A repeat
    // must not read the rest of a misframed or late reply as the start of its own.
    if (attempt > 1) channel.Purge();
    if (!channel.Send(packet)) return CountOutcome::WriteFailed;
    const ReplyStatus status = ReadCountReply(channel, state);
    if (status == ReplyStatus::Ok) return CountOutcome::Counted;
    if (onFailure) onFailure({Command::Count, 0, attempt, status});
  }
  return CountOutcome::NoAnswer;
}

std::optional<DeviceTotals> AskDeviceTotals(ByteLink& link, Clock& clock, ReceiveTiming timing) {
  DeviceChannel channel(link, clock, timing);
  DownloadState state;
  if (RequestCounts(channel, state, {}) != CountOutcome::Counted) return std::nullopt;
  return DeviceTotals{static_cast<std::uint32_t>(state.monitoringTotal.load()),
                      static_cast<std::uint32_t>(state.wardRoundTotal.load())};
}

}  // namespace wd
