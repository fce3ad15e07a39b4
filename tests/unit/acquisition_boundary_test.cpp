// Exceptions inside a download: from the link, from the events sink. None may end the program,
// leave the port marked open, or lose what was stored before.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "device/acquisition.h"
#include "tests/unit/device_test_support.h"

namespace wd {
namespace {

using test::Bytes;
using test::Download;
using test::Id;
using test::IndexOf;
using namespace std::chrono_literals;

using Progress = std::vector<std::pair<int, int>>;

// 30 records of A in pages of 10; the link's driver fails with bad_alloc on request `failAt`.
void FailingMonitor(Download& d, int failAt) {
  d.answer = [failAt](const Bytes& request, int number) -> Bytes {
    if (number == failAt) throw std::bad_alloc();
    if (request[2] == 0xEE) return test::CountReply(0, 30);
    return test::MonitoringPage(IndexOf(request), Id("A"), 10, IndexOf(request));
  };
}

// Records what it is told and throws at the events a test picks.
class ThrowingEvents final : public DownloadEvents {
 public:
  explicit ThrowingEvents(std::function<bool(ProgressPhase)> throwOn)
      : throwOn_(std::move(throwOn)) {}

  void OnProgress(ProgressPhase phase, int value) override {
    progress.emplace_back(static_cast<int>(phase), value);
    if (throwOn_(phase)) throw std::runtime_error("sink failed");
  }
  void OnMessage(DeviceMessage message) override {
    messages.push_back(message);
    if (throwOnMessage) throw std::runtime_error("sink failed");
  }

  Progress progress;
  std::vector<DeviceMessage> messages;
  bool throwOnMessage = false;

 private:
  std::function<bool(ProgressPhase)> throwOn_;
};

int RunThread(Download& d, DownloadEvents& events) {
  d.state.PrepareStart(true, true);
  d.state.portOpen = true;
  AcquisitionJob job{d.state, d.store, d.link, d.clock, events};
  return AcquisitionThread(job);
}

TEST(AcquisitionBoundary, ALinkThatThrowsEndsAsACommunicationErrorAndKeepsTheRecords) {
  Download d;
  FailingMonitor(d, 2);  // count, page 0, then the request for page 10 fails
  EXPECT_EQ(RunThread(d, d.events), 0);
  EXPECT_EQ(d.events.unexpected, std::vector<std::string>{std::bad_alloc().what()});
  EXPECT_EQ(d.events.messages, std::vector{DeviceMessage::CommunicationError});
  EXPECT_EQ(d.events.progress.back(), std::make_pair(100, 0));
  EXPECT_EQ(d.RecordCount(Id("A")), 10u);
  EXPECT_EQ(d.state.monitoringReceived, 10);
  EXPECT_TRUE(d.link.closed);
  EXPECT_FALSE(d.state.portOpen);

  // Without the thread's boundary the exception passes, but the port is released all the same.
  Download bare;
  FailingMonitor(bare, 1);
  bare.state.PrepareStart(true, true);
  bare.state.portOpen = true;
  EXPECT_THROW(RunAcquisition(bare.state, bare.store, bare.link, bare.clock, bare.events),
               std::bad_alloc);
  EXPECT_TRUE(bare.link.closed);
  EXPECT_FALSE(bare.state.portOpen);
}

TEST(AcquisitionBoundary, ASinkThatThrowsCannotLeaveThePortOpen) {
  {  // A progress event fails mid-download: reported like a port failure.
    Download d;
    FailingMonitor(d, -1);
    ThrowingEvents events([](ProgressPhase phase) { return phase == ProgressPhase::Receiving; });
    EXPECT_EQ(RunThread(d, events), 0);
    EXPECT_EQ(events.messages, std::vector{DeviceMessage::CommunicationError});
    EXPECT_EQ(events.progress.back(), std::make_pair(100, 0));
    EXPECT_EQ(d.RecordCount(Id("A")), 10u);
    EXPECT_TRUE(d.link.closed);
    EXPECT_FALSE(d.state.portOpen);
  }
  {  // A sink that fails at everything, its error report and the final event included.
    Download d;
    FailingMonitor(d, -1);
    ThrowingEvents events([](ProgressPhase) { return true; });
    events.throwOnMessage = true;
    EXPECT_EQ(RunThread(d, events), 0);
    EXPECT_EQ(events.progress, (Progress{{0, 0}, {100, 0}}));
    EXPECT_EQ(events.messages, std::vector{DeviceMessage::CommunicationError});
    EXPECT_TRUE(d.link.requests.empty());
    EXPECT_TRUE(d.link.closed);
    EXPECT_FALSE(d.state.portOpen);
  }
  {  // Only the closing event fails, after a complete download: the port is released.
    Download d;
    FailingMonitor(d, -1);
    ThrowingEvents events([](ProgressPhase phase) { return phase == ProgressPhase::Finished; });
    EXPECT_EQ(RunThread(d, events), 0);
    EXPECT_EQ(d.RecordCount(Id("A")), 30u);
    EXPECT_TRUE(d.link.closed);
    EXPECT_FALSE(d.state.portOpen);
  }
}

}  // namespace
}  // namespace wd
