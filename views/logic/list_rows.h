#pragma once
// The rows the data views show, taken from the store. Call these while holding a store Reader;
// the rows point into the store, which keeps every record in place while the window lives.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/patient_store.h"

namespace wd {

// The data overview: one row per person with monitoring records, and the ward-round total.
struct OverviewRow {
  const PatientId* key;
  std::size_t monitoringCount;
};
struct StoreOverview {
  std::vector<OverviewRow> persons;
  std::size_t wardRoundTotal = 0;
};
StoreOverview SummariseStore(const PatientStore::Entries& entries);

// One person's monitoring records, sorted by record time (invalid times last).
std::vector<const VitalRecord*> MonitoringRows(const RecordList* list);

// Every ward-round record of every person, sorted by identity number (rows of one person keep
// their list order).
struct WardRoundRow {
  const PatientId* key;
  const VitalRecord* record;
};
std::vector<WardRoundRow> WardRoundRows(const PatientStore::Entries& entries);

// The units label: the text with its first "$" replaced by "℃"; empty when it has no "$".
std::u16string UnitsLabelText(std::u16string_view text);

}  // namespace wd
