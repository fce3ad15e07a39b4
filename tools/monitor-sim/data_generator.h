#pragma once
// A deterministic, plausible data set: the same options always give the same records.

#include <cstdint>

#include "tools/monitor-sim/data_set.h"

namespace wd::sim {

struct GeneratorOptions {
  int patients = 5;    // people with monitoring records
  int minutes = 600;   // monitoring minutes per person, in sessions over several days
  int wardRound = 40;  // ward-round records, shared among the people and one more person
                       // who has ward-round records only
  std::uint64_t seed = 1;
};

DataSet GenerateDataSet(const GeneratorOptions& options);

// An 18-character identity number: region, birth date, sequence, and the ISO 7064 MOD 11-2
// check character ('0'..'9' or 'X').
PatientId MakeIdentityNumber(int region, int year, int month, int day, int sequence);

}  // namespace wd::sim
