#include <gtest/gtest.h>

#include <map>

#include "device/acquisition.h"
#include "tests/unit/device_test_support.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Bytes;
using test::CountReply;
using test::Download;
using test::Id;
using test::IndexOf;
using test::MonitoringPage;
using test::WardRoundPage;
using test::WireAt;
using namespace std::chrono_literals;

using Progress = std::vector<std::pair<int, int>>;

TEST(Acquisition, ZeroTotalsEndWithNoDataAndCloseThePort) {
  Download d;
  d.script[0] = CountReply(0, 0);
  EXPECT_EQ(d.Run(true, true), 0);
  EXPECT_EQ(d.events.progress, (Progress{{0, 0}, {10, 0}, {100, 0}}));
  EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::NoData});
  EXPECT_TRUE(d.link.closed);
  EXPECT_FALSE(d.state.portOpen);
}

TEST(Acquisition, OnlyTheWantedTotalsCount) {
  // A monitoring-only download of a monitor holding only ward-round records finds no data.
  Download d;
  d.script[0] = CountReply(500, 0);
  EXPECT_EQ(d.Run(true, false), 0);
  EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::NoData});
  EXPECT_EQ(d.link.requests.size(), 1u);
  EXPECT_EQ(d.state.wardRoundTotal, 500);

  // And a ward-round-only download never asks for monitoring records.
  Download w;
  w.script[0] = CountReply(2, 40);
  w.script[1] = WardRoundPage(0, {{Id("A"), 1}, {Id("B"), 2}});
  EXPECT_EQ(w.Run(false, true), 1);
  ASSERT_EQ(w.link.requests.size(), 2u);
  EXPECT_EQ(w.link.requests[1][2], 0xEA);
  EXPECT_EQ(w.state.monitoringReceived, 0);
}

TEST(Acquisition, PagesFollowTheRunningCountAndProgressIsTheShareDone) {
  // 200 monitoring records in pages of 50 (two people), then 100 ward-round records.
  Download d;
  d.answer = [](const Bytes& request, int) -> Bytes {
    const std::uint16_t index = IndexOf(request);
    switch (request[2]) {
      case 0xEE: return CountReply(100, 200);
      case 0xEB: return MonitoringPage(index, Id(index < 100 ? "A" : "B"), 50, index);
      default: {
        std::vector<std::pair<PatientId, int>> entries;
        for (int i = 0; i < 50; ++i) entries.emplace_back(Id("C"), 5000 + index + i);
        return WardRoundPage(index, entries);
      }
    }
  };
  EXPECT_EQ(d.Run(true, true), 1);
  EXPECT_EQ(d.events.Percentages(), (std::vector<int>{25, 40, 55, 70, 85, 100}));
  EXPECT_EQ(d.events.progress.front(), std::make_pair(0, 0));
  EXPECT_EQ(d.events.progress[1], std::make_pair(10, 0));
  EXPECT_EQ(d.events.progress.back(), std::make_pair(100, 1));
  std::vector<std::uint16_t> indices;
  for (const Bytes& request : d.link.requests) indices.push_back(IndexOf(request));
  EXPECT_EQ(indices, (std::vector<std::uint16_t>{0, 0, 50, 100, 150, 0, 50}));
  EXPECT_EQ(d.RecordCount(Id("A")), 100u);
  EXPECT_EQ(d.RecordCount(Id("B")), 100u);
  EXPECT_EQ(d.RecordCount(Id("C")), 100u);
  EXPECT_TRUE(d.events.messages.empty());
  EXPECT_TRUE(d.link.closed);
  // Every data attempt starts from empty queues; the count request does not.
  EXPECT_EQ(d.link.purges, 6);
}

TEST(Acquisition, AReplyLargerThanTheTotalAddsOnlyUpToTheTotal) {
  Download d;
  d.script[0] = CountReply(0, 3);
  d.script[1] = MonitoringPage(0, Id("A"), 5, 0);
  EXPECT_EQ(d.Run(true, true), 1);
  EXPECT_EQ(d.RecordCount(Id("A")), 3u);
  EXPECT_EQ(d.state.monitoringReceived, 3);
  EXPECT_EQ(d.link.requests.size(), 2u);

  // Ward-round entries stop at the total too.
  Download w;
  w.script[0] = CountReply(2, 0);
  w.script[1] = WardRoundPage(0, {{Id("A"), 1}, {Id("B"), 2}, {Id("C"), 3}});
  EXPECT_EQ(w.Run(false, true), 1);
  EXPECT_EQ(w.state.wardRoundReceived, 2);
  EXPECT_EQ(w.RecordCount(Id("C")), 0u);
  EXPECT_EQ(w.store.Read().PatientCount(), 2u);
}

TEST(Acquisition, DuplicatesAreDroppedButCounted) {
  // The same minute twice for A, and a ward-round check in a minute A was monitored.
  Download d;
  d.script[0] = CountReply(2, 4);
  const PatientId a = Id("A");
  Bytes payload(a.bytes.begin(), a.bytes.end());
  for (int minute : {0, 1, 1, 2}) {
    const auto wire = WireAt(minute).bytes;
    payload.insert(payload.end(), wire.begin(), wire.end());
  }
  d.script[1] = data_reply::Build(0, payload);
  d.script[2] = WardRoundPage(0, {{Id("A"), 2}, {Id("A"), 9}});
  EXPECT_EQ(d.Run(true, true), 1);
  EXPECT_EQ(d.state.monitoringReceived, 4);
  EXPECT_EQ(d.state.wardRoundReceived, 2);
  auto reader = d.store.Read();
  const RecordList* list = reader.FindRecordList(Id("A"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->MonitoringCount(), 3u);
  EXPECT_EQ(list->WardRoundCount(), 1u);
}

TEST(Acquisition, AnIdOnlyReplyIsAcceptedAndAskedAgainUntilStopped) {
  Download d;
  d.answer = [&d](const Bytes& request, int number) -> Bytes {
    if (number == 0) return CountReply(0, 10);
    if (number == 6) d.state.stopRequested = true;
    return MonitoringPage(IndexOf(request), Id("A"), 0, 0);
  };
  EXPECT_EQ(d.Run(true, false), 0);
  EXPECT_EQ(d.link.requests.size(), 7u);
  for (std::size_t i = 1; i < d.link.requests.size(); ++i)
    EXPECT_EQ(IndexOf(d.link.requests[i]), 0);
  EXPECT_EQ(d.store.Read().PatientCount(), 1u);  // the person exists, without records
  EXPECT_EQ(d.RecordCount(Id("A")), 0u);
  EXPECT_EQ(d.events.Percentages(), std::vector<int>(6, 10));
  EXPECT_TRUE(d.events.messages.empty());
  EXPECT_EQ(d.events.progress.back(), std::make_pair(100, 0));
}

TEST(Acquisition, APayloadTooShortForAnIdFilesNobody) {
  Download d;
  d.answer = [&d](const Bytes& request, int number) -> Bytes {
    if (number == 0) return CountReply(0, 10);
    if (number == 3) d.state.stopRequested = true;
    const Bytes fragment{'1', '2', '3', '4', '5'};
    return data_reply::Build(IndexOf(request), fragment);
  };
  EXPECT_EQ(d.Run(true, false), 0);
  EXPECT_EQ(d.store.Read().PatientCount(), 0u);
  EXPECT_TRUE(d.events.messages.empty());
}

TEST(Acquisition, AWrongEchoIsRetriedAfterAPauseAndThreeEndTheDownloadSilently) {
  Download d;
  d.answer = [](const Bytes& request, int number) -> Bytes {
    if (number == 0) return CountReply(0, 20);
    const std::uint16_t index = IndexOf(request);
    if (index == 0) return MonitoringPage(0, Id("A"), 10, 0);
    return MonitoringPage(static_cast<std::uint16_t>(index + 1), Id("A"), 10, index);
  };
  EXPECT_EQ(d.Run(true, false), 0);
  ASSERT_EQ(d.link.requests.size(), 5u);
  EXPECT_EQ(IndexOf(d.link.requests[2]), 10);
  EXPECT_EQ(IndexOf(d.link.requests[4]), 10);
  // Each rejected reply is followed by the 100 ms pause before the next attempt.
  EXPECT_GE(d.link.requestTimes[3] - d.link.requestTimes[2], 100ms);
  EXPECT_LT(d.link.requestTimes[3] - d.link.requestTimes[2], 150ms);
  ASSERT_EQ(d.events.failures.size(), 3u);
  EXPECT_EQ(d.events.failures[2].status, ReplyStatus::WrongIndex);
  EXPECT_EQ(d.events.failures[2].attempt, 3);
  EXPECT_TRUE(d.events.messages.empty());
  // What arrived before the failure stays.
  EXPECT_EQ(d.RecordCount(Id("A")), 10u);
  EXPECT_EQ(d.state.monitoringReceived, 10);
  EXPECT_TRUE(d.link.closed);
}

TEST(Acquisition, RejectedRepliesOfEveryKindAreRetriedOnTheSameIndex) {
  const Bytes good = MonitoringPage(0, Id("A"), 4, 0);
  Bytes badSum = good;
  ++badSum.back();
  Bytes garbage{0x01, 0x02, 0x03};
  garbage.insert(garbage.end(), good.begin(), good.end());
  const Bytes refused = data_reply::Build(kRefusedIndex, {});
  const Bytes cut(good.begin(), good.begin() + 20);
  for (const Bytes& bad : {badSum, garbage, refused, cut, Bytes{}}) {
    Download d;
    d.script[0] = CountReply(0, 4);
    d.script[1] = bad;
    d.script[2] = good;
    EXPECT_EQ(d.Run(true, false), 1);
    EXPECT_EQ(d.RecordCount(Id("A")), 4u);
    EXPECT_EQ(d.link.requests.size(), 3u);
    EXPECT_EQ(d.link.requests[1], d.link.requests[2]);
    EXPECT_EQ(d.events.failures.size(), 1u);
  }
}

TEST(Acquisition, CountRequestFailures) {
  {  // The write fails.
    Download d;
    d.link.failingWrites = {0};
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::CommunicationError});
    EXPECT_EQ(d.events.progress, (Progress{{0, 0}, {100, 0}}));
  }
  {  // No answer three times: about 1.1 s each.
    Download d;
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.link.requests.size(), 3u);
    EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::CommunicationError});
    EXPECT_EQ(d.clock.Now(), 3 * 1100ms);
    EXPECT_EQ(d.link.purges, 2);  // before each repeat
  }
  {  // A wrong length word keeps the totals but fails the attempt; the retry succeeds.
    Download d;
    d.script[0] = CountReply(0, 7, 31);
    d.script[1] = CountReply(0, 0);
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.link.requests.size(), 2u);
    EXPECT_EQ(d.events.failures.at(0).status, ReplyStatus::BadLength);
    EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::NoData});
  }
  {  // Three wrong length words: the totals of the last are kept, the user sees the error.
    Download d;
    d.answer = [](const Bytes&, int) { return CountReply(12, 34, 29); };
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.state.monitoringTotal, 34);
    EXPECT_EQ(d.state.wardRoundTotal, 12);
    EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::CommunicationError});
  }
}

// A monitor of 30 monitoring records of A, in pages of 10.
Bytes ThirtyRecords(const Bytes& request, int) {
  if (request[2] == 0xEE) return CountReply(0, 30);
  return MonitoringPage(IndexOf(request), Id("A"), 10, IndexOf(request));
}

TEST(Acquisition, ARepeatedCountRequestDoesNotReadTheRestOfAnEarlierReply) {
  {  // Stray bytes before the first count reply: the repeat reads a clean reply.
    Download d;
    d.answer = ThirtyRecords;
    d.script[0] = Bytes{0x13, 0x37, 0x00, 0xAA, 0x55};
    const Bytes counts = CountReply(0, 30);
    d.script[0].insert(d.script[0].end(), counts.begin(), counts.end());
    EXPECT_EQ(d.Run(true, true), 1);
    EXPECT_EQ(d.RecordCount(Id("A")), 30u);
    EXPECT_EQ(d.events.failures.size(), 1u);
    EXPECT_TRUE(d.events.messages.empty());
  }
  {  // A count reply completed 1.3 s after its request, past the 1.1 s wait: its tail spoils
     // the second attempt, the third reads a clean reply.
    Download d;
    d.answer = ThirtyRecords;
    d.completedAfter[0] = 1300ms;
    EXPECT_EQ(d.Run(true, true), 1);
    EXPECT_EQ(d.RecordCount(Id("A")), 30u);
    ASSERT_EQ(d.events.failures.size(), 2u);
    EXPECT_EQ(d.events.failures[0].status, ReplyStatus::NoReply);
    EXPECT_EQ(d.events.failures[1].command, Command::Count);
    EXPECT_TRUE(d.events.messages.empty());
    EXPECT_EQ(d.events.progress.back(), std::make_pair(100, 1));
  }
}

TEST(Acquisition, WriteFailuresOfDataRequestsNameTheirOwnMessages) {
  Download monitoring;
  monitoring.script[0] = CountReply(5, 5);
  monitoring.link.failingWrites = {1};
  EXPECT_EQ(monitoring.Run(true, true), 0);
  EXPECT_EQ(monitoring.events.messages, std::vector{DeviceMessage::CommunicationError});

  Download wardRound;
  wardRound.script[0] = CountReply(5, 5);
  wardRound.script[1] = MonitoringPage(0, Id("A"), 5, 0);
  wardRound.link.failingWrites = {2};
  EXPECT_EQ(wardRound.Run(true, true), 0);
  EXPECT_EQ(wardRound.events.messages, std::vector{DeviceMessage::FailedToCommunicate});
  EXPECT_EQ(wardRound.RecordCount(Id("A")), 5u);
  EXPECT_EQ(wardRound.events.progress.back(), std::make_pair(100, 0));
}

TEST(Acquisition, TheStopFlagEndsSilentlyAtTheNextCheck) {
  {  // Set while the count reply is awaited: no progress 10.
    Download d;
    d.answer = [&d](const Bytes&, int) {
      d.state.stopRequested = true;
      return CountReply(0, 5);
    };
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.events.progress, (Progress{{0, 0}, {100, 0}}));
    EXPECT_TRUE(d.events.messages.empty());
  }
  {  // Set during a data reply that then fails: no further attempt.
    Download d;
    d.answer = [&d](const Bytes&, int number) -> Bytes {
      if (number == 0) return CountReply(0, 5);
      d.state.stopRequested = true;
      return {};
    };
    EXPECT_EQ(d.Run(true, true), 0);
    EXPECT_EQ(d.link.requests.size(), 2u);
    EXPECT_TRUE(d.events.messages.empty());
  }
  {  // Not opened: ends at once.
    Download d;
    d.state.PrepareStart(true, true);
    EXPECT_EQ(RunAcquisition(d.state, d.store, d.link, d.clock, d.events), 0);
    EXPECT_TRUE(d.link.requests.empty());
    EXPECT_EQ(d.events.progress, (Progress{{0, 0}, {100, 0}}));
  }
}

TEST(Acquisition, LengthsBeyondTheOldFixedBufferAreReadWhole) {
  // 65535 bytes of payload: an id, 3639 records and a 17-byte remainder that is ignored.
  Download d;
  d.script[0] = CountReply(0, 3639);
  const PatientId a = Id("A");
  Bytes payload(a.bytes.begin(), a.bytes.end());
  for (int i = 0; i < 3639; ++i) {
    const auto wire = WireAt(i).bytes;
    payload.insert(payload.end(), wire.begin(), wire.end());
  }
  payload.resize(0xFFFF, 0xEE);
  d.script[1] = data_reply::Build(0, payload);
  EXPECT_EQ(d.Run(true, false), 1);
  EXPECT_EQ(d.RecordCount(Id("A")), 3639u);

  // A length field that promises more than arrives times out and is retried.
  Download lying;
  lying.script[0] = CountReply(0, 2);
  Bytes header{0x55, 0xAA, 0x00, 0x00, 0x00, 0x17, 0x70};  // L = 6000
  lying.script[1] = header;
  lying.script[2] = MonitoringPage(0, Id("A"), 2, 0);
  EXPECT_EQ(lying.Run(true, false), 1);
  EXPECT_EQ(lying.events.failures.at(0).status, ReplyStatus::NoReply);
  EXPECT_EQ(lying.RecordCount(Id("A")), 2u);
}

TEST(Acquisition, RepliesAreNoticedWithinOnePollInterval) {
  // The monitor answers 35 ms after each request.
  auto slowPeer = [](test::VirtualClock& clock, ReceiveTiming timing) {
    test::RecordingEvents events;
    test::ScriptedLink link(clock, [](const Bytes& request, int, test::ScriptedLink& l) {
      l.Deliver(request[2] == 0xEE ? CountReply(0, 2)
                                   : MonitoringPage(IndexOf(request), Id("A"), 1, IndexOf(request)),
                35ms);
    });
    DownloadState state;
    PatientStore store;
    state.PrepareStart(true, false);
    state.portOpen = true;
    EXPECT_EQ(RunAcquisition(state, store, link, clock, events, timing), 1);
    return link.requestTimes;
  };
  test::VirtualClock fine;
  EXPECT_EQ(slowPeer(fine, {}), (std::vector<std::chrono::milliseconds>{0ms, 40ms, 80ms}));
  test::VirtualClock coarse;
  EXPECT_EQ(slowPeer(coarse, ReceiveTiming::Coarse()),
            (std::vector<std::chrono::milliseconds>{0ms, 100ms, 200ms}));
}

}  // namespace
}  // namespace wd
