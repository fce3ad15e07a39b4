// What the engine tells its listeners of each accepted reply: the records as sent, after the
// store took them, before the reply's progress.

#include <gtest/gtest.h>

#include "device/acquisition.h"
#include "device/download_listeners.h"
#include "tests/unit/device_test_support.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Bytes;
using test::CountReply;
using test::Id;
using test::MonitoringPage;
using test::WardRoundPage;
using test::WireAt;

// What listeners were told of each accepted reply, with what the store held at that moment.
class AcceptedLog final : public DownloadEvents {
 public:
  struct Reply {
    RecordKind kind;
    std::size_t stored;
    std::vector<PatientId> ids;
    std::vector<WireRecord> records;
    std::size_t inStore;  // records in the store when told
    int receivingBefore;  // Receiving progress events before this one
  };
  explicit AcceptedLog(const PatientStore& store) : store_(store) {}
  void OnProgress(ProgressPhase phase, int) override {
    if (phase == ProgressPhase::Receiving) ++receiving_;
  }
  void OnMessage(DeviceMessage) override {}
  void OnRecordsAccepted(const AcceptedRecords& records) override {
    Reply reply{records.kind(), records.stored(), {}, {}, 0, receiving_};
    for (std::size_t i = 0; i < records.size(); ++i) {
      reply.ids.push_back(records.IdAt(i));
      reply.records.push_back(records.RecordAt(i));
    }
    // The store holds the reply's records already, and its lock is free again.
    auto reader = store_.Read();
    for (const auto& entry : reader.entries()) reply.inStore += entry.records.size();
    replies.push_back(reply);
  }
  std::vector<Reply> replies;

 private:
  const PatientStore& store_;
  int receiving_ = 0;
};

TEST(Acquisition, ListenersAreToldEachAcceptedReplyAfterTheStoreTookIt) {
  test::Download d;
  d.script[0] = CountReply(2, 5);
  const PatientId a = Id("A");
  Bytes payload(a.bytes.begin(), a.bytes.end());
  for (int minute : {0, 1, 1}) {
    const auto wire = WireAt(minute).bytes;
    payload.insert(payload.end(), wire.begin(), wire.end());
  }
  d.script[1] = data_reply::Build(0, payload);
  d.script[2] = MonitoringPage(3, Id("B"), 2, 100);
  ++d.script[2].back();                              // rejected, then asked again
  d.script[3] = MonitoringPage(3, Id("B"), 5, 100);  // more than the total: 2 are taken
  d.script[4] = WardRoundPage(0, {{a, 1}, {Id("C"), 7}});
  AcceptedLog log(d.store);
  DownloadListeners listeners{&d.events, &log};
  d.state.PrepareStart(true, true);
  d.state.portOpen = true;
  EXPECT_EQ(RunAcquisition(d.state, d.store, d.link, d.clock, listeners), 1);

  ASSERT_EQ(log.replies.size(), 3u);
  const auto& first = log.replies[0];
  EXPECT_EQ(first.kind, RecordKind::Monitoring);
  EXPECT_EQ(first.ids, std::vector<PatientId>(3, a));
  ASSERT_EQ(first.records.size(), 3u);
  EXPECT_EQ(first.records[2].bytes, WireAt(1).bytes);  // as sent, the repeated minute too
  EXPECT_EQ(first.stored, 2u);
  EXPECT_EQ(first.inStore, 2u);
  EXPECT_EQ(first.receivingBefore, 0);
  EXPECT_EQ(log.replies[1].records.size(), 2u);
  EXPECT_EQ(log.replies[1].records[1].bytes, WireAt(101).bytes);
  EXPECT_EQ(log.replies[1].inStore, 4u);
  EXPECT_EQ(log.replies[1].receivingBefore, 1);
  const auto& wardRound = log.replies[2];
  EXPECT_EQ(wardRound.kind, RecordKind::WardRound);
  EXPECT_EQ(wardRound.ids, (std::vector<PatientId>{a, Id("C")}));
  EXPECT_EQ(wardRound.records[1].bytes, WireAt(7).bytes);
  EXPECT_EQ(wardRound.stored, 1u);  // A's spot check repeats a monitored minute
  EXPECT_EQ(wardRound.inStore, 5u);
}

}  // namespace
}  // namespace wd
