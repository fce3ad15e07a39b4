#include <gtest/gtest.h>

#include <set>

#include "device/acquisition.h"
#include "device/clear_device.h"
#include "tests/unit/device_test_support.h"
#include "tests/unit/monitor_test_support.h"
#include "tests/unit/test_support.h"
#include "tools/monitor-sim/data_generator.h"
#include "tools/monitor-sim/monitor_device.h"

namespace wd {
namespace {

using test::Bytes;
using namespace std::chrono_literals;

TEST(DataGenerator, IdentityNumbersCarryTheirCheckCharacter) {
  // The standard's worked example ends in X.
  EXPECT_EQ(sim::MakeIdentityNumber(110105, 1949, 12, 31, 2).DisplayText(), "11010519491231002X");
  EXPECT_EQ(sim::MakeIdentityNumber(440305, 1990, 1, 1, 123).DisplayText().size(), 18u);
}

TEST(DataGenerator, SameSeedSameDataAndPlausibleVitals) {
  const sim::GeneratorOptions options{4, 900, 30, 42};
  const sim::DataSet a = sim::GenerateDataSet(options);
  const sim::DataSet b = sim::GenerateDataSet(options);
  ASSERT_EQ(a.monitoring.size(), 4u);
  EXPECT_EQ(a.MonitoringCount(), 3600u);
  ASSERT_EQ(a.wardRound.size(), 30u);
  for (std::size_t p = 0; p < a.monitoring.size(); ++p) {
    EXPECT_EQ(a.monitoring[p].id, b.monitoring[p].id);
    for (std::size_t i = 0; i < a.monitoring[p].records.size(); ++i) {
      ASSERT_EQ(a.monitoring[p].records[i].ToBytes(), b.monitoring[p].records[i].ToBytes());
    }
  }
  EXPECT_NE(sim::GenerateDataSet({4, 900, 30, 43}).monitoring[0].id, a.monitoring[0].id);

  std::set<int> days;
  for (const sim::MonitoringPatient& patient : a.monitoring) {
    for (const VitalRecord& r : patient.records) {
      ASSERT_EQ(r.kind, 0);
      ASSERT_TRUE(r.spo2 >= 92 && r.spo2 <= 100) << int{r.spo2};
      ASSERT_TRUE(r.pulse >= 55 && r.pulse <= 110);
      ASSERT_TRUE(r.temperature >= 360 && r.temperature <= 385);
      ASSERT_TRUE(r.pi >= 5 && r.pi <= 100);
      ASSERT_TRUE(r.respiration >= 12 && r.respiration <= 24);
      ASSERT_TRUE(r.etco2 >= 30 && r.etco2 <= 45);
      ASSERT_LE(r.fico2, 3);
      ASSERT_GT(r.systolic, r.mean);
      ASSERT_GT(r.mean, r.diastolic);
      ASSERT_TRUE(r.month >= 1 && r.month <= 12 && r.day >= 1 && r.day <= 31 && r.hour < 24 &&
                  r.minute < 60);
      days.insert(r.month * 100 + r.day);
    }
  }
  EXPECT_GE(days.size(), 3u);

  // One person is seen on ward rounds only.
  std::set<PatientId, bool (*)(const PatientId&, const PatientId&)> monitored(
      [](const PatientId& x, const PatientId& y) { return x.bytes < y.bytes; });
  for (const auto& patient : a.monitoring) monitored.insert(patient.id);
  int roundsOnly = 0;
  for (const auto& entry : a.wardRound) roundsOnly += monitored.contains(entry.id) ? 0 : 1;
  EXPECT_GT(roundsOnly, 0);
}

TEST(FaultPlan, ParsesNamesListsAndDisconnect) {
  sim::FaultPlan plan;
  std::string error;
  ASSERT_TRUE(sim::AddFault("no-reply@3", plan, error));
  ASSERT_TRUE(sim::AddFault("bad-checksum@0,5", plan, error));
  ASSERT_TRUE(sim::AddFault("disconnect-after=12", plan, error));
  EXPECT_EQ(plan.At(3), sim::Fault::NoReply);
  EXPECT_EQ(plan.At(0), sim::Fault::BadChecksum);
  EXPECT_EQ(plan.At(5), sim::Fault::BadChecksum);
  EXPECT_FALSE(plan.At(4));
  EXPECT_EQ(plan.disconnectAfterReplies, 12u);
  for (const char* bad : {"no-reply", "no-reply@", "no-reply@x", "nope@1", "cut@1,", "cut@1,,2",
                          "disconnect-after=", "disconnect-after=-1"}) {
    EXPECT_FALSE(sim::AddFault(bad, plan, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

Bytes Request(Command command, std::uint16_t index) {
  const auto packet = CommandPacket::Make(command, index);
  return Bytes(packet.bytes.begin(), packet.bytes.end());
}

TEST(MonitorDevice, RepliesKeepToOnePersonAndTheRequestedIndex) {
  sim::DataSet data = sim::GenerateDataSet({2, 150, 5, 9});
  sim::MonitorDevice device(data, {100, 3}, {});
  // A stray byte before the request is skipped.
  Bytes stream{0x00};
  const Bytes count = Request(Command::Count, 0);
  stream.insert(stream.end(), count.begin(), count.end());
  auto replies = device.Feed(stream);
  ASSERT_EQ(replies.size(), 1u);
  short_reply::Bytes shortReply;
  std::copy(replies[0].bytes.begin(), replies[0].bytes.end(), shortReply.begin());
  EXPECT_EQ(short_reply::MonitoringTotal(shortReply), 300u);
  EXPECT_EQ(short_reply::WardRoundTotal(shortReply), 5u);

  // Index 100: the last 50 records of the first person only.
  replies = device.Feed(Request(Command::Monitoring, 100));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].bytes.size(), 7u + 18u + 50u * 18u + 1u);
  EXPECT_TRUE(data_reply::ChecksumMatches(replies[0].bytes));
  EXPECT_TRUE(std::equal(data.monitoring[0].id.bytes.begin(), data.monitoring[0].id.bytes.end(),
                         replies[0].bytes.begin() + 7));
  // Ward-round pages hold the configured number of entries.
  replies = device.Feed(Request(Command::WardRound, 3));
  EXPECT_EQ(replies.at(0).bytes.size(), 7u + 2u * 36u + 1u);
  // Past the end the device refuses.
  replies = device.Feed(Request(Command::Monitoring, 300));
  EXPECT_EQ(replies.at(0).bytes[3], 0xFF);
  EXPECT_EQ(replies.at(0).bytes[4], 0xFC);
  EXPECT_EQ(device.stats().requests, 4u);
}

// A whole download against the simulated monitor, in virtual time.
struct SimulatedDownload {
  test::VirtualClock clock;
  sim::MonitorDevice device;
  test::ScriptedLink link{
      clock, [this](const Bytes& request, int, test::ScriptedLink& l) {
        for (const sim::Reply& reply : device.Feed(request)) {
          const auto held = reply.bytes.begin() + static_cast<std::ptrdiff_t>(reply.heldFrom);
          l.Deliver(Bytes(reply.bytes.begin(), held), 5ms);
          l.Deliver(Bytes(held, reply.bytes.end()), std::max(5ms, reply.heldFor));
        }
      }};
  test::RecordingEvents events;
  DownloadState state;
  PatientStore store;

  SimulatedDownload(const sim::DataSet& data, sim::DeviceOptions options,
                    sim::FaultPlan faults = {})
      : device(data, options, std::move(faults)) {}
  int Run(bool monitoring = true, bool wardRound = true) {
    state.PrepareStart(monitoring, wardRound);
    state.portOpen = true;
    return RunAcquisition(state, store, link, clock, events);
  }
};

TEST(SimulatedMonitor, AWholeDownloadGivesEveryRecordOnceWhateverThePageSize) {
  const sim::DataSet data = sim::GenerateDataSet({3, 420, 25, 5});
  PatientStore expected;
  test::FillExpected(data, true, true, expected);
  for (std::size_t perReply : {1u, 7u, 100u, 500u}) {
    SimulatedDownload d(data, {perReply, perReply});
    ASSERT_EQ(d.Run(), 1) << perReply;
    test::ExpectSameRecords(expected, d.store);
    EXPECT_EQ(d.state.monitoringReceived, 1260);
    EXPECT_EQ(d.state.wardRoundReceived, 25);
  }
  // The planted spot check in a monitored minute was dropped.
  auto reader = expected.Read();
  EXPECT_EQ(reader.FindRecordList(data.monitoring[0].id)->WardRoundCount(),
            static_cast<std::size_t>(
                std::count_if(data.wardRound.begin(), data.wardRound.end(),
                              [&](const auto& e) { return e.id == data.monitoring[0].id; })) -
                1);
}

TEST(SimulatedMonitor, ASecondDownloadAddsNothingButCountsEverything) {
  const sim::DataSet data = sim::GenerateDataSet({2, 100, 10, 3});
  SimulatedDownload d(data, {30, 4});
  ASSERT_EQ(d.Run(), 1);
  const std::size_t people = d.store.Read().PatientCount();
  d.link.closed = false;
  ASSERT_EQ(d.Run(), 1);
  EXPECT_EQ(d.state.monitoringReceived, 200);
  EXPECT_EQ(d.state.wardRoundReceived, 10);
  PatientStore expected;
  test::FillExpected(data, true, true, expected);
  test::ExpectSameRecords(expected, d.store);
  EXPECT_EQ(d.store.Read().PatientCount(), people);
}

TEST(SimulatedMonitor, EveryNamedFaultIsSurvivedByARetry) {
  const sim::DataSet data = sim::GenerateDataSet({2, 700, 300, 11});
  PatientStore expected;
  test::FillExpected(data, true, true, expected);
  for (const char* fault :
       {"no-reply@2", "bad-checksum@2", "wrong-index@2", "refuse@2", "bad-length@2", "garbage@2",
        "cut@2", "oversized@2", "bad-length@0", "oversized@12", "garbage@0", "late@0", "late@3"}) {
    sim::FaultPlan plan;
    std::string error;
    ASSERT_TRUE(sim::AddFault(fault, plan, error));
    SimulatedDownload d(data, {100, 100}, plan);
    ASSERT_EQ(d.Run(), 1) << fault;
    test::ExpectSameRecords(expected, d.store);
    // A reply completed after the wait fails its attempt, and its tail spoils the next one.
    const std::string name(fault);
    const std::size_t spoiled = name.starts_with("oversized") ? 0
                                : name.starts_with("late")    ? 2
                                                              : 1;
    EXPECT_EQ(d.events.failures.size(), spoiled) << fault;
    EXPECT_TRUE(d.events.messages.empty()) << fault;
  }
}

TEST(SimulatedMonitor, ALateReplyHoldsBackItsSecondHalf) {
  const sim::DataSet data = sim::GenerateDataSet({1, 10, 0, 4});
  sim::FaultPlan plan;
  std::string error;
  ASSERT_TRUE(sim::AddFault("late@0", plan, error));
  sim::MonitorDevice device(data, {}, plan);
  const auto replies = device.Feed(Request(Command::Count, 0));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].bytes.size(), short_reply::kSize);
  EXPECT_EQ(replies[0].heldFrom, short_reply::kSize / 2);
  EXPECT_EQ(replies[0].heldFor, 1300ms);
}

TEST(SimulatedMonitor, EraseEmptiesTheChosenStore) {
  const sim::DataSet data = sim::GenerateDataSet({1, 10, 4, 1});
  SimulatedDownload d(data, {});
  ClearOutcome outcome = ClearDeviceData(d.link, d.clock, {true, false});
  EXPECT_TRUE(outcome.Succeeded());
  EXPECT_EQ(d.device.data().MonitoringCount(), 0u);
  EXPECT_EQ(d.device.data().wardRound.size(), 4u);
}

}  // namespace
}  // namespace wd
