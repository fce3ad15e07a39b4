// The report view in the real main frame, under Wine: the time to open it (build the report's
// pages and paint the first) at 1,000 and at 65,536 monitoring records, and the time to print
// the 65,536-record report on the default printer (StartDoc to EndDoc: every page drawn and
// handed to the spooler). Run by hand on a display, with a printer (scripts/print-queue.sh
// makes a PDF queue the default):
//
//   scripts/wine-run.sh build/win/wineprefix build/win/bench/bench_report_win.exe

#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "bench/win_bench_support.h"
#include "tests/ui_support/message_box_watcher.h"
#include "views/report/report_printing.h"
#include "views/report/report_view.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSmallCount = 1000;
constexpr int kLargeCount = 65536;
constexpr int kRuns = 5;

wd::CReportView* ReportView(wd::CMainFrame& frame) {
  return dynamic_cast<wd::CReportView*>(frame.CurrentViewWindow());
}

std::wstring DefaultPrinter() {
  DWORD size = 0;
  ::GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!::GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(size - 1);
  return name;
}

void Print(wd::CReportView& view) {
  const std::wstring printer = DefaultPrinter();
  if (printer.empty()) {
    std::printf("print: no default printer (scripts/print-queue.sh makes one)\n");
    return;
  }
  const wd::PrinterDc dc(::CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
  if (!dc) {
    std::printf("print: the printer %ls cannot be opened\n", printer.c_str());
    return;
  }
  const auto start = Clock::now();
  const wd::PrintOutcome outcome = wd::PrintPages(dc.get(), view.Document(), L"Arial");
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::printf("print 65,536 on %ls: %d pages in %.0f ms (%s)\n", printer.c_str(), outcome.pages, ms,
              outcome.result == wd::PrintOutcome::Result::Printed ? "printed" : "FAILED");
}

}  // namespace

int main() {
  ui_support::MessageBoxWatcher boxes;
  wd::CwardDeskApp app;
  if (!app.InitInstance()) {
    std::fprintf(stderr, "bench_report_win: the main frame could not be created\n");
    return 1;
  }
  wd::CMainFrame& frame = *app.MainFrame();
  wd::bench::PumpPending();
  std::printf(
      "bench_report_win: median of %d openings from the home view (plan the pages, paint the "
      "first)\n",
      wd::bench::OpeningRuns(kRuns));
  const wd::PatientId* small = wd::bench::AddMonitoredPerson(frame.Store(), kSmallCount, 7);
  const wd::PatientId* large = wd::bench::AddMonitoredPerson(frame.Store(), kLargeCount, 8);

  const wd::bench::Opening smallOpen =
      wd::bench::MeasureOpening(frame, wd::ViewCode::Report, small, kRuns);
  std::printf("report view, 1,000:  open %7.1f ms (cpu %6.1f ms)\n", smallOpen.wallMs,
              smallOpen.cpuMs);
  const wd::bench::Opening largeOpen =
      wd::bench::MeasureOpening(frame, wd::ViewCode::Report, large, kRuns);
  wd::CReportView* view = ReportView(frame);
  if (view == nullptr) return 1;
  std::printf("report view, 65,536: open %7.1f ms (cpu %6.1f ms), %zu pages\n", largeOpen.wallMs,
              largeOpen.cpuMs, view->Plan().pages.size());
  std::printf("ratio 65,536 / 1,000: open %.2f (cpu %.2f)\n", largeOpen.wallMs / smallOpen.wallMs,
              largeOpen.cpuMs / smallOpen.cpuMs);
  Print(*view);

  for (const ui_support::SeenMessageBox& box : boxes.Seen())
    std::printf("  box: %ls\n", box.text.c_str());
  std::fflush(stdout);
  frame.CloseMainWindow();
  return boxes.Seen().empty() ? 0 : 1;
}
