#pragma once
// What the Windows view benchmarks share: the message queue, the process's memory and a
// monitored person as the monitor would give them.

#include "app/main_frame.h"
#include "data/patient_store.h"

#include <cstdint>

namespace wd::bench {

// Handles every message waiting in this thread's queue.
void PumpPending();

struct ProcessMemory {
  double workingSetMb;
  double commitMb;  // private usage, or the page-file usage where Wine leaves that at zero
};
ProcessMemory MeasureProcessMemory();

// Opening a view from the home view: the switch, the initial update and the first paint, with
// every message that follows handled. The medians of several openings: wall time, and the
// window thread's own CPU time, which other programs on a busy machine hardly change (the
// wall time also holds Wine's server and the X server working for the thread).
// WD_BENCH_RUNS=N in the environment asks for N openings instead (more, on a noisy machine).
struct Opening {
  double wallMs;
  double cpuMs;
};
Opening MeasureOpening(CMainFrame& frame, ViewCode code, const PatientId* person, int runs);

// One monitored person with `count` records, one a minute; the store's key of that person.
const PatientId* AddMonitoredPerson(PatientStore& store, int count, std::uint64_t seed);

}  // namespace wd::bench
