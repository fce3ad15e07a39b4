#pragma once
// The cell texts of the monitoring list and the ward-round list, computed when a row is shown
// (the lists are virtual: they hold no texts of their own).

#include <cstddef>
#include <string>
#include <vector>

#include "data/patient_register.h"
#include "data/patient_store.h"
#include "views/logic/list_rows.h"

namespace wd {

inline constexpr int kMonitoringColumnCount = 13;
inline constexpr int kWardRoundColumnCount = 19;

// A ward-round row with its person's register entry, or null when the person is not in it.
struct WardRoundListRow {
  const PatientId* key;
  const VitalRecord* record;
  const PatientInfo* info;
};
// WardRoundRows joined with the register; the rows point into the store and the snapshot.
std::vector<WardRoundListRow> WardRoundListRows(const PatientStore::Entries& entries,
                                                const RegisterSnapshot& people);

// Row number (display index + 1), date, time, then the ten measurements.
std::u16string MonitoringCell(const VitalRecord& record, std::size_t displayIndex, int column);

// The sex column's texts (strings 160 and 161 of the current language).
struct SexTexts {
  std::u16string male;
  std::u16string female;
};
// Row number, id, date, time, the register's name, sex, age, height and weight (empty when the
// person is not registered; sex empty unless 0 or 1), then the ten measurements.
std::u16string WardRoundCell(const WardRoundListRow& row, std::size_t displayIndex, int column,
                             const SexTexts& sexTexts);

}  // namespace wd
