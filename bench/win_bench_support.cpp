#include "bench/win_bench_support.h"

#include <windows.h>
#include <psapi.h>

#include "tools/monitor-sim/data_generator.h"

namespace wd::bench {

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
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
  const SIZE_T privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
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
