#pragma once
// A person's records across the whole archive: every download's records of that person,
// merged in time order, each minute once (the store's duplicate rule: the first record of a
// minute, of either kind, wins; downloads count from the oldest).

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "data/file_result.h"
#include "data/minute_set.h"
#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd {

struct PersonHistory {
  PatientId id;
  std::vector<VitalRecord> records;  // by time; records of one minute in the order met
  std::size_t downloads = 0;         // how many downloads hold records of the person
};

// Every person whose id begins with `prefix` (its bytes, at most 18; empty matches everyone),
// by id. Fails only when the archive cannot be listed.
FileResult HistoryByIdPrefix(const std::filesystem::path& root, std::string_view prefix,
                             std::vector<PersonHistory>& out);

// The persons of these ids (found by the program in its register, by name), by id; a person
// without archived records is left out.
FileResult HistoryOf(const std::filesystem::path& root, std::span<const PatientId> ids,
                     std::vector<PersonHistory>& out);

// The merge itself, for a caller that gathers records its own way: records added oldest
// download first, each kept only when its minute is new; taken in time order.
class HistoryMerge {
 public:
  void Add(std::span<const VitalRecord> records);
  std::vector<VitalRecord> Take();

 private:
  std::vector<VitalRecord> records_;
  MinuteSet minutes_;
};

}  // namespace wd
