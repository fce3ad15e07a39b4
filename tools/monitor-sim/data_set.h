#pragma once
// What the simulated monitor holds: monitoring records grouped per person, in the order the
// monitor serves them, and ward-round entries that each name their person.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "data/data_files.h"
#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd::sim {

struct MonitoringPatient {
  PatientId id;
  std::vector<VitalRecord> records;
};

// An id with one record, as in a ".cDat" file.
using WardRoundEntry = CheckFileUnit;

struct DataSet {
  std::vector<MonitoringPatient> monitoring;
  std::vector<WardRoundEntry> wardRound;

  std::size_t MonitoringCount() const;
};

// Adds the records of a ".mDat" (by its extension, case-insensitively) or ".cDat" file.
// False with a reason when the file cannot be read or is neither kind.
bool LoadDataFile(const std::filesystem::path& path, DataSet& into, std::string& error);

}  // namespace wd::sim
