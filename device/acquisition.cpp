#include "device/acquisition.h"

#include <exception>

#include <algorithm>

#include "device/count_request.h"

namespace wd {
namespace {

// Closes the link and clears portOpen when a download ends, however it ends: an exception from
// the link, the store or an events callback included.
class PortRelease {
 public:
  PortRelease(ByteLink& link, DownloadState& state) : link_(link), state_(state) {}
  PortRelease(const PortRelease&) = delete;
  PortRelease& operator=(const PortRelease&) = delete;
  ~PortRelease() {
    try {
      link_.Close();
    } catch (...) {
      // The port is given up either way; portOpen must not stay set.
    }
    state_.portOpen = false;
  }

 private:
  ByteLink& link_;
  DownloadState& state_;
};

// Tells the user a download ended by an exception. The sink that threw may throw again; the
// Finished event is still attempted, and nothing leaves the thread.
void ReportAbandoned(DownloadEvents& events, const char* what) noexcept {
  try {
    events.OnUnexpectedError(what);
  } catch (...) {
  }
  try {
    events.OnMessage(DeviceMessage::CommunicationError);
  } catch (...) {
  }
  try {
    events.OnProgress(ProgressPhase::Finished, 0);
  } catch (...) {
  }
}

struct Phase {
  Command command;
  std::atomic<std::int32_t>& received;
  std::int32_t total;
  std::int32_t alreadyCounted;  // records of earlier phases, for the percentage
  DeviceMessage writeFailure;
};

class Acquisition {
 public:
  Acquisition(DownloadState& state, PatientStore& store, ByteLink& link, Clock& clock,
              DownloadEvents& events, ReceiveTiming timing)
      : state_(state), store_(store), link_(link), events_(events), channel_(link, clock, timing) {}

  int Run() {
    const PortRelease release(link_, state_);
    events_.OnProgress(ProgressPhase::Started, 0);
    const int result = Download() ? 1 : 0;
    events_.OnProgress(ProgressPhase::Finished, result);
    return result;
  }

 private:
  bool Stopped() const { return state_.stopRequested.load(); }

  bool Download() {
    if (!state_.portOpen) return false;
    if (!RequestCounts()) return false;
    if (Stopped()) return false;
    events_.OnProgress(ProgressPhase::Counted, 0);

    const bool wantMonitoring = state_.wantMonitoring;
    const bool wantWardRound = state_.wantWardRound;
    const std::int32_t monitoringTotal = state_.monitoringTotal;
    const std::int32_t wardRoundTotal = state_.wardRoundTotal;
    total_ = (wantWardRound ? std::int64_t{wardRoundTotal} : 0) +
             (wantMonitoring ? std::int64_t{monitoringTotal} : 0);
    // Totals arrive unsigned; a count beyond 2^31 reads as negative and is no data either.
    if (total_ <= 0) {
      events_.OnMessage(DeviceMessage::NoData);
      return false;
    }
    if (wantMonitoring && monitoringTotal > 0) {
      Phase monitoring{Command::Monitoring, state_.monitoringReceived, monitoringTotal, 0,
                       DeviceMessage::CommunicationError};
      if (!ReceiveAll(monitoring)) return false;
    }
    const std::int32_t monitoringReceived = state_.monitoringReceived;
    if (Stopped()) return false;
    if (wantWardRound && wardRoundTotal > 0) {
      Phase wardRound{Command::WardRound, state_.wardRoundReceived, wardRoundTotal,
                      monitoringReceived, DeviceMessage::FailedToCommunicate};
      if (!ReceiveAll(wardRound)) return false;
    }
    return true;
  }

  bool RequestCounts() {
    switch (wd::RequestCounts(channel_, state_,
                              [this](const FailedAttempt& f) { events_.OnAttemptFailed(f); })) {
      case CountOutcome::Counted: return true;
      case CountOutcome::Stopped: return false;
      case CountOutcome::WriteFailed:
      case CountOutcome::NoAnswer: break;
    }
    events_.OnMessage(DeviceMessage::CommunicationError);
    return false;
  }

  ReplyStatus ReadPage(Command command, std::uint16_t index) {
    return command == Command::Monitoring
               ? ReadMonitoringReply(channel_, state_, store_, index, &accepted_)
               : ReadWardRoundReply(channel_, state_, store_, index, &accepted_);
  }

  bool ReceiveAll(Phase& phase) {
    while (phase.received.load() < phase.total) {
      if (Stopped()) return false;
      const std::uint16_t index = WireIndex(phase.received.load());
      const CommandPacket packet = CommandPacket::Make(phase.command, index);
      bool accepted = false;
      for (int attempt = 1; attempt <= kAttemptsPerRequest && !accepted; ++attempt) {
        if (Stopped()) return false;
        // Whatever is left of an earlier, rejected reply must not be read as this one.
        channel_.Purge();
        if (!channel_.Send(packet)) {
          events_.OnMessage(phase.writeFailure);
          return false;
        }
        const ReplyStatus status = ReadPage(phase.command, index);
        accepted = status == ReplyStatus::Ok;
        if (!accepted) events_.OnAttemptFailed({phase.command, index, attempt, status});
      }
      if (!accepted) return false;
      events_.OnRecordsAccepted(accepted_);
      const std::int64_t done = std::int64_t{phase.received.load()} + phase.alreadyCounted;
      events_.OnProgress(ProgressPhase::Receiving, static_cast<int>(std::clamp<std::int64_t>(
                                                       done * 90 / total_ + 10, 10, 100)));
    }
    return true;
  }

  DownloadState& state_;
  PatientStore& store_;
  ByteLink& link_;
  DownloadEvents& events_;
  DeviceChannel channel_;
  AcceptedRecords accepted_;
  std::int64_t total_ = 0;
};

}  // namespace

int RunAcquisition(DownloadState& state, PatientStore& store, ByteLink& link, Clock& clock,
                   DownloadEvents& events, ReceiveTiming timing) {
  return Acquisition(state, store, link, clock, events, timing).Run();
}

int AcquisitionThread(AcquisitionJob& job) noexcept {
  try {
    RunAcquisition(job.state, job.store, job.link, job.clock, job.events, job.timing);
  } catch (const std::exception& error) {
    ReportAbandoned(job.events, error.what());
  } catch (...) {
    ReportAbandoned(job.events, "unknown exception");
  }
  return 0;
}

}  // namespace wd
