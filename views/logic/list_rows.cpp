#include "views/logic/list_rows.h"

#include <algorithm>

#include "views/logic/record_order.h"

namespace wd {

StoreOverview SummariseStore(const PatientStore::Entries& entries) {
  StoreOverview overview;
  for (const PatientStore::Entry& entry : entries) {
    const std::size_t monitoring = entry.records.MonitoringCount();
    overview.wardRoundTotal += entry.records.size() - monitoring;
    if (monitoring > 0) overview.persons.push_back({&entry.key, monitoring});
  }
  return overview;
}

std::vector<const VitalRecord*> MonitoringRows(const RecordList* list) {
  std::vector<const VitalRecord*> rows;
  if (list == nullptr) return rows;
  rows.reserve(list->size());
  for (const VitalRecord& record : *list) {
    if (record.IsMonitoring()) rows.push_back(&record);
  }
  SortByRecordTime(rows);
  return rows;
}

std::vector<WardRoundRow> WardRoundRows(const PatientStore::Entries& entries) {
  std::vector<std::pair<std::int64_t, WardRoundRow>> keyed;
  for (const PatientStore::Entry& entry : entries) {
    const std::int64_t key = IdSortKey(entry.key);
    for (const VitalRecord& record : entry.records) {
      if (!record.IsMonitoring()) keyed.push_back({key, {&entry.key, &record}});
    }
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<WardRoundRow> rows;
  rows.reserve(keyed.size());
  for (const auto& [key, row] : keyed) rows.push_back(row);
  return rows;
}

std::u16string UnitsLabelText(std::u16string_view text) {
  const std::size_t dollar = text.find(u'$');
  if (dollar == std::u16string_view::npos) return {};
  std::u16string label(text.substr(0, dollar));
  label += u'\u2103';
  label += text.substr(dollar + 1);
  return label;
}

}  // namespace wd
