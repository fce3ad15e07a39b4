#pragma once
// What a download of a simulated monitor must give, worked out from its data set with the
// record model alone: monitoring records first, then ward-round entries, each dropped when the
// person already has a record in that minute.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/patient_store.h"
#include "tools/monitor-sim/data_set.h"

namespace wd::test {

inline void FillExpected(const sim::DataSet& data, bool monitoring, bool wardRound,
                         PatientStore& store) {
  auto writer = store.Write();
  if (monitoring) {
    for (const sim::MonitoringPatient& patient : data.monitoring) {
      RecordList& list = writer.FindOrCreateRecordList(patient.id);
      for (const VitalRecord& record : patient.records) {
        writer.AddRecordUnique(list, PackWireRecord(record), RecordKind::Monitoring);
      }
    }
  }
  if (wardRound) {
    for (const sim::WardRoundEntry& entry : data.wardRound) {
      writer.AddRecordUnique(writer.FindOrCreateRecordList(entry.id), PackWireRecord(entry.record),
                             RecordKind::WardRound);
    }
  }
}

// Every person's records, byte for byte and in order.
inline void ExpectSameRecords(const PatientStore& expected, const PatientStore& actual) {
  auto want = expected.Read();
  auto got = actual.Read();
  for (const PatientStore::Entry& entry : want.entries()) {
    const RecordList* list = got.FindRecordList(entry.key);
    if (entry.records.empty() && list == nullptr) continue;
    ASSERT_NE(list, nullptr) << entry.key.DisplayText();
    ASSERT_EQ(list->size(), entry.records.size()) << entry.key.DisplayText();
    for (std::size_t i = 0; i < list->size(); ++i) {
      ASSERT_EQ((*list)[i].ToBytes(), entry.records[i].ToBytes())
          << entry.key.DisplayText() << " record " << i;
    }
  }
  for (const PatientStore::Entry& entry : got.entries()) {
    EXPECT_TRUE(entry.records.empty() || want.FindRecordList(entry.key) != nullptr)
        << "unexpected person " << entry.key.DisplayText();
  }
}

}  // namespace wd::test
