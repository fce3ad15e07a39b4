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
enum class Pace {
  // The home view is looked at for a moment (0.6 s of handled messages and timers) before each
  // opening, as between a user's clicks: time in which the frame makes its spare views.
  AfterPause,
  // Each opening follows the last at once, with no spare view ready: every form is made during
  // the switch (as at the first switch after start-up or a language change).
  BackToBack,
};
// `runs`, or the number WD_BENCH_RUNS asks for.
int OpeningRuns(int runs);
Opening MeasureOpening(CMainFrame& frame, ViewCode code, const PatientId* person, int runs,
                       Pace pace = Pace::AfterPause);

// One monitored person with `count` records, one a minute; the store's key of that person.
const PatientId* AddMonitoredPerson(PatientStore& store, int count, std::uint64_t seed);

}  // namespace wd::bench
