// The trend view in the real main frame, under Wine: the time to create the view, draw the
// three charts' pictures and paint, at 1,000 and at 65,536 monitoring records; the time to
// move the time bar from one end to the other a step at a time; and the program's memory after
// opening each. Run by hand on a display (Xvfb will do):
//
//   scripts/wine-run.sh build/win/wineprefix build/win/bench/bench_trend_win.exe
//
// A message box (a picture that could not be made, say) is answered and counted, not waited on.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "bench/win_bench_support.h"
#include "tests/ui_support/message_box_watcher.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/trend_view.h"

namespace {

using wd::bench::AddMonitoredPerson;
using wd::bench::PumpPending;
using Clock = std::chrono::steady_clock;

constexpr int kSmallCount = 1000;
constexpr int kLargeCount = 65536;
constexpr int kRuns = 5;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

wd::CTrendView* TrendView(wd::CMainFrame& frame) {
  return dynamic_cast<wd::CTrendView*>(frame.CurrentViewWindow());
}

struct ScrollRun {
  int steps = 0;
  double milliseconds = 0;
};

// From position 0 to the bar's end, one SB_LINERIGHT at a time, each step painted.
ScrollRun ScrollEndToEnd(wd::CTrendView& view) {
  const HWND bar = view.Charts().TimeBar();
  int minimum = 0;
  int maximum = 0;
  ::GetScrollRange(bar, SB_CTL, &minimum, &maximum);
  ScrollRun run;
  const auto start = Clock::now();
  while (::GetScrollPos(bar, SB_CTL) < maximum) {
    ::SendMessageW(view.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                   reinterpret_cast<LPARAM>(bar));
    ++run.steps;
  }
  PumpPending();
  run.milliseconds = MillisecondsSince(start);
  return run;
}

bool AllPictures(wd::CTrendView& view) {
  bool all = true;
  for (wd::CTrendChart* chart : view.Charts().Charts()) all = all && chart->HasPicture();
  return all;
}

void Report(const char* what, wd::CTrendView& view, const wd::bench::Opening& open,
            const ScrollRun& scroll) {
  std::printf(
      "%-20s %6d records, charts %d px wide: open %7.1f ms (cpu %6.1f ms), pictures %s, working "
      "set %6.1f MB\n",
      what, view.RecordCount(), static_cast<int>(view.ClientRect().right - 40), open.wallMs,
      open.cpuMs, AllPictures(view) ? "yes" : "NO", wd::bench::MeasureProcessMemory().workingSetMb);
  if (scroll.steps == 0) {
    std::printf("%-20s all columns fit: no time bar to scroll\n", "");
  } else {
    std::printf(
        "%-20s scrolled end to end: %d steps in %.1f ms, %.2f ms a step (three charts repainted)\n",
        "", scroll.steps, scroll.milliseconds, scroll.milliseconds / scroll.steps);
  }
}

}  // namespace

int main() {
  ui_support::MessageBoxWatcher boxes;
  wd::CwardDeskApp app;
  if (!app.InitInstance()) {
    std::fprintf(stderr, "bench_trend_win: the main frame could not be created\n");
    return 1;
  }
  wd::CMainFrame& frame = *app.MainFrame();
  PumpPending();
  std::printf(
      "bench_trend_win: median of %d openings from the home view (create, draw the pictures, "
      "paint), each after 0.6 s on the home view\n",
      wd::bench::OpeningRuns(kRuns));
  std::printf("%-24s working set %6.1f MB\n", "home view, empty store",
              wd::bench::MeasureProcessMemory().workingSetMb);

  const wd::PatientId* small = AddMonitoredPerson(frame.Store(), kSmallCount, 7);
  const wd::PatientId* large = AddMonitoredPerson(frame.Store(), kLargeCount, 8);

  const wd::bench::Opening smallOpen =
      wd::bench::MeasureOpening(frame, wd::ViewCode::Trend, small, kRuns);
  wd::CTrendView* view = TrendView(frame);
  if (view == nullptr) return 1;
  const ScrollRun smallScroll = ScrollEndToEnd(*view);
  Report("trend view, 1,000", *view, smallOpen, smallScroll);

  const wd::bench::Opening largeOpen =
      wd::bench::MeasureOpening(frame, wd::ViewCode::Trend, large, kRuns);
  view = TrendView(frame);
  if (view == nullptr) return 1;
  const ScrollRun largeScroll = ScrollEndToEnd(*view);
  Report("trend view, 65,536", *view, largeOpen, largeScroll);

  std::printf("ratio 65,536 / 1,000: open %.2f\n", largeOpen.wallMs / smallOpen.wallMs);
  // The same switches one right after another: no spare view is ready, the form is made then.
  for (const auto& [what, person] :
       {std::pair{"trend view, 1,000", small}, {"trend view, 65,536", large}}) {
    const wd::bench::Opening cold = wd::bench::MeasureOpening(frame, wd::ViewCode::Trend, person,
                                                              kRuns, wd::bench::Pace::BackToBack);
    std::printf("%-20s back to back (no spare view): open %7.1f ms (cpu %6.1f ms)\n", what,
                cold.wallMs, cold.cpuMs);
  }
  const int boxCount = static_cast<int>(boxes.Seen().size());
  std::printf("message boxes: %d\n", boxCount);
  for (const ui_support::SeenMessageBox& box : boxes.Seen())
    std::printf("  box: %ls\n", box.text.c_str());
  std::fflush(stdout);
  frame.CloseMainWindow();
  return boxes.Seen().empty() ? 0 : 1;
}
