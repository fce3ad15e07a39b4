#pragma once
// The bookkeeping of one download, shared by the window thread (starters, stop, progress
// display) and the acquisition thread. Every field is atomic: the two threads meet only here,
// in the store's lock and in posted window messages.

#include <atomic>
#include <cstdint>

namespace wd {

struct DownloadState {
  std::atomic<bool> wantMonitoring{false};
  std::atomic<bool> wantWardRound{false};
  // Totals the monitor reports holding.
  std::atomic<std::int32_t> monitoringTotal{0};
  std::atomic<std::int32_t> wardRoundTotal{0};
  // Records received in this download, duplicates included; also the next request's index.
  std::atomic<std::int32_t> monitoringReceived{0};
  std::atomic<std::int32_t> wardRoundReceived{0};
  std::atomic<bool> stopRequested{false};
  // True exactly while an acquisition thread runs (its handle is set).
  std::atomic<bool> threadRunning{false};
  // True while a download or the device erase holds the serial port open.
  std::atomic<bool> portOpen{false};

  bool Busy() const { return threadRunning.load() || portOpen.load(); }

  // What every starter does before it opens the port: the selection, a clear stop flag and
  // zero counts.
  void PrepareStart(bool monitoring, bool wardRound) {
    wantMonitoring = monitoring;
    wantWardRound = wardRound;
    stopRequested = false;
    monitoringTotal = 0;
    wardRoundTotal = 0;
    monitoringReceived = 0;
    wardRoundReceived = 0;
  }
};

}  // namespace wd
