#include "archive/download_journal.h"

#include <exception>

#include "device/device_message.h"

namespace wd {

DownloadJournal::DownloadJournal(const DownloadState& state, JournalSettings settings)
    : state_(state), settings_(std::move(settings)), files_(settings_.onError) {}

std::int64_t DownloadJournal::Now() const {
  return settings_.now ? settings_.now() : static_cast<std::int64_t>(std::time(nullptr));
}

// Nothing the journal does may end the download: an exception (no memory for a name) ends the
// archiving instead, reported like a failed write.
template <typename Step>
void DownloadJournal::Guarded(Step&& step) {
  try {
    step();
  } catch (const std::exception& failure) {
    files_.Abandon(files_.folder().empty() ? settings_.root : files_.folder(), failure.what());
  } catch (...) {
    files_.Abandon(settings_.root, "unexpected failure");
  }
}

void DownloadJournal::OnProgress(ProgressPhase phase, int value) {
  switch (phase) {
    case ProgressPhase::Started:
      Guarded([this] {
        index_.startUtc = Now();
        index_.computer = settings_.computer.empty() ? ComputerName() : settings_.computer;
        index_.port = settings_.port;
        index_.process = CurrentProcess();
        index_.wantMonitoring = state_.wantMonitoring;
        index_.wantWardRound = state_.wantWardRound;
        folder_ = files_.Create(settings_.root, index_.startUtc, index_.computer).value_or("");
        files_.WriteIndex(IndexText(index_));
      });
      break;
    case ProgressPhase::Counted:
      Guarded([this] {
        index_.totals = DeviceTotals{static_cast<std::uint32_t>(state_.monitoringTotal.load()),
                                     static_cast<std::uint32_t>(state_.wardRoundTotal.load())};
        files_.WriteIndex(IndexText(index_));
      });
      break;
    case ProgressPhase::Receiving: break;
    case ProgressPhase::Finished:
      Guarded([this, value] {
        index_.endUtc = Now();
        index_.result = value == 1             ? DownloadResult::Complete
                        : state_.stopRequested ? DownloadResult::Stopped
                                               : DownloadResult::Failed;
        index_.persons = persons_.size();
        files_.WriteIndex(IndexText(index_));
        files_.Finish(settings_.finishLimit);
      });
      break;
  }
}

void DownloadJournal::OnMessage(DeviceMessage message) {
  Guarded([this, message] {
    index_.message = std::string(MessageText(message, MessageLanguage::English));
  });
}

void DownloadJournal::OnRecordsAccepted(const AcceptedRecords& records) {
  Guarded([this, &records] {
    KindCounts& counts =
        records.kind() == RecordKind::Monitoring ? index_.monitoring : index_.wardRound;
    counts.received += records.size();
    counts.stored += records.stored();
    if (records.kind() == RecordKind::Monitoring) {
      if (!records.empty()) persons_.insert(records.IdAt(0));
    } else {
      for (std::size_t i = 0; i < records.size(); ++i) persons_.insert(records.IdAt(i));
    }
    files_.Append(records);
  });
}

}  // namespace wd
