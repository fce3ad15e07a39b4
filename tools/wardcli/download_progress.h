#pragma once
// What wardcli download shows while the engine runs: the totals, then progress, as a bar that
// redraws itself on a terminal and as one line per 10 % anywhere else (a log, a pipe).

#include <cstdio>
#include <optional>

#include "data/download_state.h"
#include "device/acquisition.h"

namespace wd::cli {

struct ProgressStyle {
  bool show = true;       // false: nothing until the end
  bool terminal = false;  // redraw one line instead of adding lines
};

// Called on the download thread. What it keeps is read by the main thread only after that
// thread has been joined.
class DownloadProgress final : public DownloadEvents {
 public:
  DownloadProgress(const DownloadState& state, std::FILE* stream, ProgressStyle style)
      : state_(state), stream_(stream), style_(style) {}

  void OnProgress(ProgressPhase phase, int value) override;
  void OnMessage(DeviceMessage message) override { message_ = message; }
  void OnAttemptFailed(const FailedAttempt& attempt) override { lastFailure_ = attempt; }

  // The Finished event's value: 1 when every wanted record arrived.
  int result() const { return result_; }
  std::optional<DeviceMessage> message() const { return message_; }
  std::optional<FailedAttempt> lastFailure() const { return lastFailure_; }

 private:
  const DownloadState& state_;
  std::FILE* stream_;
  ProgressStyle style_;
  int tenthsShown_ = 0;
  bool barDrawn_ = false;
  int result_ = 0;
  std::optional<DeviceMessage> message_;
  std::optional<FailedAttempt> lastFailure_;
};

}  // namespace wd::cli
