#include "tools/wardcli/download_progress.h"

namespace wd::cli {

void DownloadProgress::OnProgress(ProgressPhase phase, int value) {
  if (phase == ProgressPhase::Finished) {
    result_ = value;
    if (barDrawn_) std::fputc('\n', stream_);
    return;
  }
  if (!style_.show) return;
  if (phase == ProgressPhase::Counted) {
    std::fprintf(stream_, "wardcli: the monitor holds %d monitoring and %d ward-round records\n",
                 state_.monitoringTotal.load(), state_.wardRoundTotal.load());
  } else if (phase == ProgressPhase::Receiving && style_.terminal) {
    constexpr int kWidth = 40;
    const int filled = value * kWidth / 100;
    std::fprintf(stream_, "\r[%.*s%.*s] %3d%%", filled, "########################################",
                 kWidth - filled, "----------------------------------------", value);
    std::fflush(stream_);
    barDrawn_ = true;
  } else if (phase == ProgressPhase::Receiving && value / 10 > tenthsShown_) {
    tenthsShown_ = value / 10;
    std::fprintf(stream_, "wardcli: %d%% received\n", value);
    std::fflush(stream_);
  }
}

}  // namespace wd::cli
