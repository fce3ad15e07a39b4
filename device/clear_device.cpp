#include "device/clear_device.h"

#include "device/acquisition.h"
#include "device/replies.h"

namespace wd {
namespace {

enum class EraseResult { Erased, Failed, WriteFailed };

EraseResult EraseStore(DeviceChannel& channel, ClearTarget target) {
  const std::uint16_t index =
      target == ClearTarget::Monitoring ? kMonitoringStoreEcho : kWardRoundStoreEcho;
  const CommandPacket packet = CommandPacket::Make(Command::Clear, index);
  for (int attempt = 1; attempt <= kAttemptsPerRequest; ++attempt) {
    channel.Purge();
    if (!channel.Send(packet)) return EraseResult::WriteFailed;
    if (ReadClearReply(channel, target) == ReplyStatus::Ok) return EraseResult::Erased;
  }
  return EraseResult::Failed;
}

// Erases one store if selected; false when the transaction must end here.
bool EraseIfSelected(DeviceChannel& channel, bool selected, ClearTarget target, bool& ok,
                     ClearOutcome& outcome) {
  if (!selected) return true;
  ok = false;
  switch (EraseStore(channel, target)) {
    case EraseResult::Erased: ok = true; return true;
    case EraseResult::Failed: return false;
    case EraseResult::WriteFailed:
      outcome.messages.push_back(DeviceMessage::CommunicationError);
      return false;
  }
  return false;
}

}  // namespace

ClearOutcome ClearDeviceData(ByteLink& link, Clock& clock, ClearSelection selection,
                             ReceiveTiming timing) {
  ClearOutcome outcome;
  if (!selection.monitoring && !selection.wardRound) {
    link.Close();
    outcome.messages.push_back(DeviceMessage::SelectDataToClear);
    return outcome;
  }
  DeviceChannel channel(link, clock, timing);
  if (EraseIfSelected(channel, selection.monitoring, ClearTarget::Monitoring, outcome.monitoringOk,
                      outcome)) {
    EraseIfSelected(channel, selection.wardRound, ClearTarget::WardRound, outcome.wardRoundOk,
                    outcome);
  }
  link.Close();
  outcome.messages.push_back(outcome.monitoringOk && outcome.wardRoundOk
                                 ? DeviceMessage::ClearSucceeded
                                 : DeviceMessage::ClearFailed);
  return outcome;
}

}  // namespace wd
