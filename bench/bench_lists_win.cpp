// Opening the monitoring list and the ward-round list in the real main frame, under Wine:
// the time to create, fill and paint each view at 1,000 and at 65,536 records, their ratio,
// and the program's memory after opening each. Run by hand on a display (Xvfb will do):
//
//   scripts/wine-run.sh build/win/wineprefix build/win/bench/bench_lists_win.exe
//
// The register "UserDA.dat" (2,000 persons) is written beside the program, as the program
// keeps it.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "bench/win_bench_support.h"
#include "data/patient_register.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/check_list_view.h"
#include "views/monitor_list_view.h"

namespace {

using wd::bench::AddMonitoredPerson;
using wd::bench::PumpPending;

constexpr int kPersons = 2000;
constexpr int kLargeCount = 65536;
constexpr int kSmallCount = 1000;
constexpr int kRuns = 5;

// Rows the current view shows, to be sure the view measured is the view wanted.
std::size_t RowsShown(wd::CMainFrame& frame) {
  if (auto* list = dynamic_cast<wd::CMonitorListView*>(frame.CurrentViewWindow()))
    return list->Rows().size();
  if (auto* list = dynamic_cast<wd::CCheckListView*>(frame.CurrentViewWindow()))
    return list->Rows().size();
  return 0;
}

// Opens the view and reports it, after a pause and back to back; the median wall time after a
// pause.
double Open(wd::CMainFrame& frame, const char* what, wd::ViewCode code,
            const wd::PatientId* person) {
  const wd::bench::Opening cold =
      wd::bench::MeasureOpening(frame, code, person, kRuns, wd::bench::Pace::BackToBack);
  const wd::bench::Opening opening = wd::bench::MeasureOpening(frame, code, person, kRuns);
  const wd::bench::ProcessMemory memory = wd::bench::MeasureProcessMemory();
  std::printf("%-34s %7zu rows  %7.1f ms (cpu %6.1f ms)   working set %6.1f MB, commit %6.1f MB\n",
              what, RowsShown(frame), opening.wallMs, opening.cpuMs, memory.workingSetMb,
              memory.commitMb);
  std::printf("%-34s %7s       %7.1f ms (cpu %6.1f ms)   back to back, no spare view\n", "", "",
              cold.wallMs, cold.cpuMs);
  return opening.wallMs;
}

// Appends ward-round entries [first, last) of the data set to the store.
void AddWardRounds(wd::PatientStore& store, const wd::sim::DataSet& data, std::size_t first,
                   std::size_t last) {
  auto writer = store.Write();
  for (std::size_t i = first; i < last && i < data.wardRound.size(); ++i) {
    writer.AppendRecord(writer.FindOrCreateRecordList(data.wardRound[i].id),
                        data.wardRound[i].record);
  }
}

// Every person of the ward rounds in the register, written in one go.
std::size_t WriteRegister(const wd::sim::DataSet& data, const std::filesystem::path& folder) {
  std::unordered_set<wd::PatientId, wd::PatientIdHash> seen;
  std::vector<std::uint8_t> bytes;
  for (const wd::sim::WardRoundEntry& entry : data.wardRound) {
    if (!seen.insert(entry.id).second) continue;
    const auto& id = entry.id.bytes;
    wd::PatientInfo info = wd::PatientInfo::Blank(entry.id);
    info.SetName(std::u16string(u"病人") + static_cast<char16_t>(u'甲' + id[16] % 10));
    info.sex = id[16] % 2;
    info.age = 20 + id[15] % 70;
    info.height = static_cast<std::uint8_t>(150 + id[14] % 40);
    info.weight = static_cast<std::uint8_t>(45 + id[13] % 50);
    const wd::PatientInfo::Bytes record = info.ToBytes();
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  std::ofstream out(wd::RegisterPath(folder), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return seen.size();
}

}  // namespace

int main() {
  wd::CwardDeskApp app;
  if (!app.InitInstance()) {
    std::fprintf(stderr, "bench_lists_win: the main frame could not be created\n");
    return 1;
  }
  wd::CMainFrame& frame = *app.MainFrame();
  PumpPending();
  std::error_code ignored;
  std::filesystem::remove(wd::RegisterPath(frame.RegisterFolder()), ignored);

  std::printf(
      "bench_lists_win: median of %d openings from the home view (create, fill, paint), each "
      "after 0.6 s on the home view\n",
      wd::bench::OpeningRuns(kRuns));
  std::printf("%-34s working set %6.1f MB\n", "home view, empty store",
              wd::bench::MeasureProcessMemory().workingSetMb);

  const wd::PatientId* small = AddMonitoredPerson(frame.Store(), kSmallCount, 7);
  const wd::PatientId* large = AddMonitoredPerson(frame.Store(), kLargeCount, 8);
  const double smallList =
      Open(frame, "monitoring list, 1,000 records", wd::ViewCode::MonitoringList, small);
  const double largeList =
      Open(frame, "monitoring list, 65,536 records", wd::ViewCode::MonitoringList, large);

  // 65,536 ward-round records over 2,000 persons, all in the register; the first 1,000 alone
  // first (they fall on the first 1,000 persons).
  const wd::sim::DataSet rounds = wd::sim::GenerateDataSet({kPersons - 1, 0, kLargeCount, 9});
  const std::size_t registered = WriteRegister(rounds, frame.RegisterFolder());
  AddWardRounds(frame.Store(), rounds, 0, kSmallCount);
  const double smallRounds =
      Open(frame, "ward-round list, 1,000 records", wd::ViewCode::WardRoundList, nullptr);
  AddWardRounds(frame.Store(), rounds, kSmallCount, kLargeCount);
  const double largeRounds =
      Open(frame, "ward-round list, 65,536 records", wd::ViewCode::WardRoundList, nullptr);
  std::printf("register: %zu persons, %ju bytes\n", registered,
              static_cast<std::uintmax_t>(
                  std::filesystem::file_size(wd::RegisterPath(frame.RegisterFolder()))));

  std::printf("ratio 65,536 / 1,000: monitoring list %.2f, ward-round list %.2f\n",
              largeList / smallList, largeRounds / smallRounds);
  frame.CloseMainWindow();
  return 0;
}
