#include "bench/win_bench_support.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "framework/message_loop.h"
#include "tools/monitor-sim/data_generator.h"

namespace wd::bench {
namespace {

double ThreadCpuMs() {
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto value = [](const FILETIME& time) {
    return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime);
  };
  return (value(kernel) + value(user)) / 1e4;  // 100 ns units
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int OpeningRuns(int runs) {
  const char* wanted = std::getenv("WD_BENCH_RUNS");
  return wanted != nullptr && std::atoi(wanted) > 0 ? std::atoi(wanted) : runs;
}

Opening MeasureOpening(CMainFrame& frame, ViewCode code, const PatientId* person, int runs,
                       Pace pace) {
  std::vector<double> wall, cpu;
  runs = OpeningRuns(runs);
  for (int run = 0; run < runs; ++run) {
    frame.ShowView(ViewCode::Home, nullptr);
    if (pace == Pace::AfterPause) {
      fw::RunMessageLoopUntil([] { return false; }, 600);  // handled messages and timers
    } else {
      frame.DiscardSpareViews();
      PumpPending();
    }
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuMs();
    frame.ShowView(code, person);
    ::UpdateWindow(frame.hwnd());
    PumpPending();
    cpu.push_back(ThreadCpuMs() - cpuStart);
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  return {Median(wall), Median(cpu)};
}

void PumpPending() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

ProcessMemory MeasureProcessMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  const SIZE_T privateBytes =
      counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
  return {static_cast<double>(counters.WorkingSetSize) / 1048576.0,
          static_cast<double>(privateBytes) / 1048576.0};
}

const PatientId* AddMonitoredPerson(PatientStore& store, int count, std::uint64_t seed) {
  const sim::DataSet data = sim::GenerateDataSet({1, count, 0, seed});
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(data.monitoring[0].id);
  for (const VitalRecord& record : data.monitoring[0].records) writer.AppendRecord(list, record);
  return writer.FindStoreKey(data.monitoring[0].id);
}

}  // namespace wd::bench
