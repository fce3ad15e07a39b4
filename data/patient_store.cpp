#include "data/patient_store.h"

#include <algorithm>

namespace wd {

std::size_t RecordList::MonitoringCount() const {
  return static_cast<std::size_t>(std::count_if(
      records_.begin(), records_.end(), [](const VitalRecord& r) { return r.IsMonitoring(); }));
}

const RecordList* PatientStore::FindList(const PatientId& id) const {
  auto found = index_.find(id);
  return found == index_.end() ? nullptr : &found->second->records;
}

const PatientId* PatientStore::FindKey(const PatientId& id) const {
  auto found = index_.find(id);
  return found == index_.end() ? nullptr : &found->second->key;
}

RecordList& PatientStore::FindOrCreate(const PatientId& id) {
  auto found = index_.find(id);
  if (found != index_.end()) return found->second->records;
  Entry& entry = entries_.emplace_back();
  entry.key = id;
  index_.emplace(id, &entry);
  return entry.records;
}

bool PatientStore::Writer::AddRecordUnique(RecordList& list, const WireRecord& wire,
                                           RecordKind kind) {
  return AppendRecordUnique(list, UnpackWireRecord(wire, kind));
}

bool PatientStore::Writer::AppendRecordUnique(RecordList& list, const VitalRecord& record) {
  if (list.HasMinute(record)) return false;
  list.Append(record);
  return true;
}

void PatientStore::Writer::RemoveAll() {
  store_->index_.clear();
  store_->entries_.clear();
}

}  // namespace wd
