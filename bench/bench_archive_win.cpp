// The archive view in the real main frame, under Wine: opening it (list the archive, fill and
// paint the view) at 100 and 1,000 downloads, the first time straight after start-up and again, and
// a patient's history of 65,536 records across them: the search, bringing the history into memory
// and the monitoring list that shows it. Run by hand on a display (Xvfb will do):
//
//   scripts/wine-run.sh build/win/wineprefix build/win/bench/bench_archive_win.exe
//
// The archives are made in a scratch folder, which "ArchiveFolder" names while the benchmark
// runs (the value is removed afterwards).

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "bench/bench_archive_data.h"
#include "bench/win_bench_support.h"
#include "res/resource.h"
#include "views/archive_view.h"
#include "views/monitor_list_view.h"

namespace {

constexpr int kRuns = 5;
constexpr const wchar_t* kSetupKey = L"SOFTWARE\\pulsora pro\\setup";

void SetArchiveFolder(const std::filesystem::path* folder) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSetupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (folder != nullptr) {
    const std::wstring text = folder->wstring();
    ::RegSetValueExW(key, L"ArchiveFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  } else {
    ::RegDeleteValueW(key, L"ArchiveFolder");
  }
  ::RegCloseKey(key);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MillisSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

struct HistoryTiming {
  double searchMs;
  double openMs;       // bringing it into memory and showing the monitoring list
  double firstOpenMs;  // the first time, when every record is new to memory
  std::size_t rows;
};

// From the archive view: type the id, find, open the history; the monitoring list painted.
HistoryTiming OpenHistory(wd::CMainFrame& frame) {
  std::vector<double> search, open;
  std::size_t rows = 0;
  for (int run = 0; run < kRuns; ++run) {
    frame.ShowView(wd::ViewCode::Archive, nullptr);
    wd::bench::PumpPending();
    const HWND view = frame.CurrentViewWindow()->hwnd();
    const std::wstring id(wd::bench::kPerson, wd::bench::kPerson + 18);
    ::SetDlgItemTextW(view, IDC_ARCHIVE_SEARCH, id.c_str());
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ARCHIVE_FIND, 0), 0);
    ::UpdateWindow(frame.hwnd());
    search.push_back(MillisSince(start));
    const auto opening = std::chrono::steady_clock::now();
    ::SendMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ARCHIVE_OPEN_HISTORY, 0), 0);
    wd::bench::PumpPending();
    ::UpdateWindow(frame.hwnd());
    wd::bench::PumpPending();
    open.push_back(MillisSince(opening));
    auto* list = dynamic_cast<wd::CMonitorListView*>(frame.CurrentViewWindow());
    rows = list != nullptr ? list->Rows().size() : 0;
  }
  return {Median(search), Median(open), open.front(), rows};
}

bool Measure(const std::filesystem::path& root, int downloads) {
  for (int i = 0; i < downloads; ++i) wd::bench::WriteDownload(root, i, downloads);
  SetArchiveFolder(&root);
  wd::CwardDeskApp app;
  if (!app.InitInstance()) {
    std::fprintf(stderr, "bench_archive_win: the main frame could not be created\n");
    return false;
  }
  wd::CMainFrame& frame = *app.MainFrame();
  wd::bench::PumpPending();
  // Straight after start-up, while the frame may still be reading the archive's list.
  const auto first = std::chrono::steady_clock::now();
  frame.ShowView(wd::ViewCode::Archive, nullptr);
  ::UpdateWindow(frame.hwnd());
  wd::bench::PumpPending();
  const double firstMs = MillisSince(first);
  const wd::bench::Opening opening =
      wd::bench::MeasureOpening(frame, wd::ViewCode::Archive, nullptr, kRuns);
  auto* view = dynamic_cast<wd::CArchiveView*>(frame.CurrentViewWindow());
  const std::size_t listed = view != nullptr ? view->Downloads().size() : 0;
  const HistoryTiming history = OpenHistory(frame);
  const double total = history.searchMs + history.openMs;
  std::printf(
      "%5d downloads: archive view %7.1f ms (cpu %6.1f ms, first after start-up %6.1f ms, %zu "
      "listed); history of %zu records %7.1f ms "
      "(search %6.1f, open %6.1f, first open %6.1f)%s\n",
      downloads, opening.wallMs, opening.cpuMs, firstMs, listed, history.rows, total,
      history.searchMs, history.openMs, history.firstOpenMs,
      downloads == 1000 && (opening.wallMs >= 300 || firstMs >= 300 || total >= 1000)
          ? "  OVER THE LIMIT"
          : "");
  frame.CloseMainWindow();
  wd::bench::PumpPending();
  return listed == static_cast<std::size_t>(downloads) && history.rows == wd::bench::kPersonRecords;
}

}  // namespace

int main() {
  const auto scratch = std::filesystem::temp_directory_path() /
                       (L"bench_archive_win-" + std::to_wstring(::GetCurrentProcessId()));
  std::printf(
      "bench_archive_win: medians of %d (limits at 1,000 downloads: view 300 ms, history 1 s)\n",
      kRuns);
  bool ok = true;
  for (int downloads : {100, 1000})
    ok = Measure(scratch / std::to_wstring(downloads), downloads) && ok;
  SetArchiveFolder(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  if (!ok) std::fprintf(stderr, "bench_archive_win: a view did not show what was archived\n");
  return ok ? 0 : 1;
}
