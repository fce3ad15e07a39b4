#include <gtest/gtest.h>

#include <set>

#include <thread>
#include <vector>

#include "data/download_state.h"
#include "data/minute_set.h"
#include "data/patient_store.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

WireRecord WireWithDate(std::uint8_t b0, std::uint8_t b1) {
  WireRecord wire;
  wire.bytes[0] = b0;
  wire.bytes[1] = b1;
  return wire;
}

TEST(UnpackWireRecord, DateBitsSplitAcrossBothBytes) {
  VitalRecord january = UnpackWireRecord(WireWithDate(0x2E, 0x2A), RecordKind::Monitoring);
  EXPECT_EQ(january.year, 23);
  EXPECT_EQ(january.month, 1);
  EXPECT_EQ(january.day, 10);
  // The month's top bit lives in byte 0.
  VitalRecord september = UnpackWireRecord(WireWithDate(0x2F, 0x2A), RecordKind::WardRound);
  EXPECT_EQ(september.year, 23);
  EXPECT_EQ(september.month, 9);
  EXPECT_EQ(september.day, 10);
  EXPECT_EQ(september.kind, 1);
}

TEST(UnpackWireRecord, FieldsMoveToTheirStoredOffsets) {
  WireRecord wire;
  const std::uint8_t raw[18] = {0x2E, 0x2A, 9,    5,    98,   72,   15,   38,   2,
                                16,   0x78, 0x00, 0x50, 0x00, 0x5D, 0x00, 0x72, 0x01};
  std::copy(std::begin(raw), std::end(raw), wire.bytes.begin());
  const VitalRecord r = UnpackWireRecord(wire, RecordKind::Monitoring);
  EXPECT_EQ(r.hour, 9);
  EXPECT_EQ(r.minute, 5);
  EXPECT_EQ(r.spo2, 98);
  EXPECT_EQ(r.pulse, 72);
  EXPECT_EQ(r.pi, 15);
  EXPECT_EQ(r.etco2, 38);
  EXPECT_EQ(r.fico2, 2);
  EXPECT_EQ(r.respiration, 16);
  EXPECT_EQ(r.systolic, 120);
  EXPECT_EQ(r.diastolic, 80);
  EXPECT_EQ(r.mean, 93);
  EXPECT_EQ(r.temperature, 370);  // shown as 37.0; PI 15 as 1.5

  const auto bytes = r.ToBytes();
  EXPECT_EQ(bytes[16], 98);  // SpO2 moved from wire offset 4 to 16
  EXPECT_EQ(bytes[17], 72);
  EXPECT_EQ(bytes[18], 0x72);  // temperature moved from 16 to 18, little-endian
  EXPECT_EQ(bytes[19], 0x01);
  EXPECT_EQ(PackWireRecord(r).bytes, wire.bytes);
}

TEST(UnpackWireRecord, ImpossibleValuesAreKeptAsReceived) {
  WireRecord wire;
  wire.bytes = {0xFF, 0xFF, 24, 61};
  const VitalRecord r = UnpackWireRecord(wire, RecordKind::Monitoring);
  EXPECT_EQ(r.year, 127);
  EXPECT_EQ(r.month, 15);
  EXPECT_EQ(r.day, 31);
  EXPECT_EQ(r.hour, 24);
  EXPECT_EQ(r.minute, 61);
}

TEST(VitalRecord, BytesRoundTripLittleEndian) {
  VitalRecord r = Record(RecordKind::WardRound, 10, 23, 59);
  r.systolic = 0x1234;
  const auto bytes = r.ToBytes();
  EXPECT_EQ(bytes[10], 0x34);
  EXPECT_EQ(bytes[11], 0x12);
  EXPECT_TRUE(test::SameBytes(VitalRecord::FromBytes(bytes), r));
}

// Every byte of both layouts belongs to exactly one field: bytes numbered 1..n unpack into a
// record that packs back into the same bytes, in both directions.
TEST(VitalRecord, BothLayoutsCoverEveryByteOnceAndRoundTrip) {
  VitalRecord::Bytes stored{};
  for (std::size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<std::uint8_t>(i + 1);
  EXPECT_EQ(VitalRecord::FromBytes(stored).ToBytes(), stored);

  WireRecord wire;
  for (std::size_t i = 2; i < wire.bytes.size(); ++i)
    wire.bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
  wire.bytes[0] = 0x2F;  // the packed date: every bit of it used
  wire.bytes[1] = 0x2A;
  const VitalRecord unpacked = UnpackWireRecord(wire, RecordKind::WardRound);
  EXPECT_EQ(PackWireRecord(unpacked).bytes, wire.bytes);
  EXPECT_EQ(unpacked.kind, 1);
  // The stored form of it holds each wire byte once, at its stored offset.
  const auto bytes = unpacked.ToBytes();
  std::multiset<std::uint8_t> fromWire(wire.bytes.begin() + 2, wire.bytes.end());
  std::multiset<std::uint8_t> inStored(bytes.begin() + 4, bytes.end());  // after kind and date
  EXPECT_EQ(fromWire, inStored);
}

TEST(PatientId, DisplayStopsAtFirstZeroAndEveryByteCounts) {
  PatientId a = Id("11010519491231002X");
  EXPECT_EQ(a.DisplayText(), "11010519491231002X");
  PatientId shortId = Id("12345");
  EXPECT_EQ(shortId.DisplayText(), "12345");
  PatientId b = a;
  b.bytes[17] = 'Y';
  EXPECT_NE(a, b);
  EXPECT_NE(PatientIdHash{}(a), PatientIdHash{}(b));
  EXPECT_TRUE(PatientId{}.IsEmpty());
}

TEST(PatientStore, DuplicateMinuteIsDroppedWhateverTheKind) {
  PatientStore store;
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(Id("A"));
  const VitalRecord monitoring = Record(RecordKind::Monitoring, 10, 9, 5, 97);
  EXPECT_TRUE(writer.AddRecordUnique(list, PackWireRecord(monitoring), RecordKind::Monitoring));
  // Same minute, other values, other kind: still a duplicate.
  const VitalRecord ward = Record(RecordKind::WardRound, 10, 9, 5, 88);
  EXPECT_FALSE(writer.AddRecordUnique(list, PackWireRecord(ward), RecordKind::WardRound));
  EXPECT_TRUE(writer.AddRecordUnique(list, PackWireRecord(Record(RecordKind::WardRound, 10, 9, 6)),
                                     RecordKind::WardRound));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].spo2, 97);
  EXPECT_EQ(list.MonitoringCount(), 1u);
  EXPECT_EQ(list.WardRoundCount(), 1u);
}

TEST(PatientStore, SecondIdenticalDownloadAddsNothing) {
  PatientStore store;
  auto download = [&store] {
    auto writer = store.Write();
    int stored = 0;
    for (int person = 0; person < 3; ++person) {
      RecordList& list = writer.FindOrCreateRecordList(Id("P" + std::to_string(person)));
      for (int minute = 0; minute < 50; ++minute) {
        stored += writer.AddRecordUnique(
            list, PackWireRecord(Record(RecordKind::Monitoring, 1, minute / 60, minute % 60)),
            RecordKind::Monitoring);
      }
    }
    return stored;
  };
  EXPECT_EQ(download(), 150);
  EXPECT_EQ(download(), 0);
  EXPECT_EQ(store.Read().PatientCount(), 3u);
}

TEST(PatientStore, AppendRecordSkipsTheDuplicateTestButFeedsIt) {
  PatientStore store;
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(Id("A"));
  const VitalRecord r = Record(RecordKind::Monitoring, 1, 8, 0);
  writer.AppendRecord(list, r);
  writer.AppendRecord(list, r);
  EXPECT_EQ(list.size(), 2u);
  // A download after an import still drops the imported minutes.
  EXPECT_FALSE(writer.AddRecordUnique(list, PackWireRecord(r), RecordKind::Monitoring));
}

TEST(PatientStore, IdsDifferingInTheLastByteAreTwoPersonsInFirstSeenOrder) {
  PatientStore store;
  PatientId first = Id("110105194912310021");
  PatientId second = first;
  second.bytes[17] = '2';
  {
    auto writer = store.Write();
    writer.FindOrCreateRecordList(Id("Z"));
    writer.FindOrCreateRecordList(first);
    writer.FindOrCreateRecordList(second);
    writer.FindOrCreateRecordList(first);
  }
  auto reader = store.Read();
  ASSERT_EQ(reader.PatientCount(), 3u);
  EXPECT_EQ(reader.entries()[0].key, Id("Z"));
  EXPECT_EQ(reader.entries()[1].key, first);
  EXPECT_EQ(reader.entries()[2].key, second);
  EXPECT_EQ(reader.FindStoreKey(second), &reader.entries()[2].key);
  EXPECT_EQ(reader.FindRecordList(Id("nobody")), nullptr);
  EXPECT_EQ(reader.FindStoreKey(Id("nobody")), nullptr);
}

TEST(PatientStore, KeyAndRecordAddressesSurviveGrowth) {
  PatientStore store;
  const PatientId* key = nullptr;
  const VitalRecord* firstRecord = nullptr;
  {
    auto writer = store.Write();
    RecordList& list = writer.FindOrCreateRecordList(Id("first"));
    writer.AppendRecord(list, Record(RecordKind::Monitoring, 1, 0, 0));
    key = writer.FindStoreKey(Id("first"));
    firstRecord = &list[0];
    for (int i = 0; i < 5000; ++i) {
      writer.FindOrCreateRecordList(Id("p" + std::to_string(i)));
      writer.AppendRecord(list, Record(RecordKind::Monitoring, 2, i / 60 % 24, i % 60));
    }
  }
  auto reader = store.Read();
  EXPECT_EQ(reader.FindStoreKey(Id("first")), key);
  EXPECT_EQ(&(*reader.FindRecordList(Id("first")))[0], firstRecord);
}

TEST(PatientStore, RemoveAllEmptiesEverything) {
  PatientStore store;
  {
    auto writer = store.Write();
    writer.AppendRecord(writer.FindOrCreateRecordList(Id("A")),
                        Record(RecordKind::WardRound, 1, 1, 1));
    writer.RemoveAll();
  }
  EXPECT_EQ(store.Read().PatientCount(), 0u);
  EXPECT_EQ(store.Read().FindRecordList(Id("A")), nullptr);
}

// One writer (the download thread) and readers (views being rebuilt) at once; the sanitizer
// build turns any unlocked access into a failure.
TEST(PatientStore, ConcurrentWriterAndReadersSeeConsistentLists) {
  PatientStore store;
  DownloadState state;
  constexpr int kPersons = 8;
  constexpr int kMinutes = 1500;
  state.threadRunning = true;  // before the writer starts, which clears it when done
  std::thread writer([&] {
    for (int minute = 0; minute < kMinutes; ++minute) {
      auto access = store.Write();
      for (int person = 0; person < kPersons; ++person) {
        RecordList& list = access.FindOrCreateRecordList(Id("person" + std::to_string(person)));
        access.AddRecordUnique(list,
                               PackWireRecord(Record(RecordKind::Monitoring, 1 + minute / 1440,
                                                     minute / 60 % 24, minute % 60)),
                               RecordKind::Monitoring);
      }
      state.monitoringReceived += kPersons;
    }
    state.threadRunning = false;
  });
  auto readLoop = [&] {
    std::size_t lastTotal = 0;
    while (state.threadRunning) {
      auto reader = store.Read();
      std::size_t total = 0;
      for (const auto& entry : reader.entries()) {
        for (const VitalRecord& r : entry.records) total += r.IsMonitoring();
      }
      EXPECT_GE(total, lastTotal);
      lastTotal = total;
      // The window thread, too, reads now and then, not in a tight loop.
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  };
  std::thread reader1(readLoop);
  std::thread reader2(readLoop);
  writer.join();
  reader1.join();
  reader2.join();
  auto reader = store.Read();
  ASSERT_EQ(reader.PatientCount(), static_cast<std::size_t>(kPersons));
  for (const auto& entry : reader.entries()) EXPECT_EQ(entry.records.size(), std::size_t{kMinutes});
  EXPECT_EQ(state.monitoringReceived.load(), kPersons * kMinutes);
}

TEST(DownloadState, PrepareStartClearsCountsAndStopFlag) {
  DownloadState state;
  state.monitoringTotal = 5;
  state.wardRoundReceived = 3;
  state.stopRequested = true;
  state.PrepareStart(true, false);
  EXPECT_TRUE(state.wantMonitoring);
  EXPECT_FALSE(state.wantWardRound);
  EXPECT_FALSE(state.stopRequested);
  EXPECT_EQ(state.monitoringTotal, 0);
  EXPECT_EQ(state.wardRoundReceived, 0);
  EXPECT_FALSE(state.Busy());
}

}  // namespace
}  // namespace wd

namespace wd {
namespace {

TEST(MinuteSet, KeepsEveryKeyThroughGrowthIncludingZero) {
  MinuteSet set;
  EXPECT_FALSE(set.contains(0));
  set.insert(0);
  EXPECT_TRUE(set.contains(0));
  // Keys one hour apart share their low bits: they must not crowd one another out.
  for (std::uint64_t key = 1; key <= 5000; ++key) set.insert(key << 8);
  set.insert(3 << 8);
  EXPECT_EQ(set.size(), 5001u);
  for (std::uint64_t key = 1; key <= 5000; ++key) ASSERT_TRUE(set.contains(key << 8)) << key;
  EXPECT_FALSE(set.contains(1));
  EXPECT_FALSE(set.contains(5001 << 8));
  EXPECT_FALSE(set.contains(0xFFFFFFFFFFull));
}

}  // namespace
}  // namespace wd
