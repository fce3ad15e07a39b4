#pragma once
// Several sinks for one download: the window (progress, messages) and the archive's journal,
// each told every event in the order given.

#include <initializer_list>
#include <vector>

#include "device/acquisition.h"

namespace wd {

class DownloadListeners final : public DownloadEvents {
 public:
  DownloadListeners(std::initializer_list<DownloadEvents*> listeners) : listeners_(listeners) {}

  void OnProgress(ProgressPhase phase, int value) override {
    for (DownloadEvents* listener : listeners_) listener->OnProgress(phase, value);
  }
  void OnMessage(DeviceMessage message) override {
    for (DownloadEvents* listener : listeners_) listener->OnMessage(message);
  }
  void OnAttemptFailed(const FailedAttempt& attempt) override {
    for (DownloadEvents* listener : listeners_) listener->OnAttemptFailed(attempt);
  }
  void OnUnexpectedError(const char* what) override {
    for (DownloadEvents* listener : listeners_) listener->OnUnexpectedError(what);
  }
  void OnRecordsAccepted(const AcceptedRecords& records) override {
    for (DownloadEvents* listener : listeners_) listener->OnRecordsAccepted(records);
  }

 private:
  std::vector<DownloadEvents*> listeners_;
};

}  // namespace wd
