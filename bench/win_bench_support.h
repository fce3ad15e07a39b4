#pragma once
// What the Windows view benchmarks share: the message queue, the process's memory and a
// monitored person as the monitor would give them.

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

// One monitored person with `count` records, one a minute; the store's key of that person.
const PatientId* AddMonitoredPerson(PatientStore& store, int count, std::uint64_t seed);

}  // namespace wd::bench
