#include <gtest/gtest.h>

#include "device/clear_device.h"
#include "tests/unit/device_test_support.h"

namespace wd {
namespace {

using test::Bytes;
using namespace std::chrono_literals;

Bytes ClearReply(std::uint16_t echo) {
  const auto reply = short_reply::Build(echo, 0, 0);
  return Bytes(reply.begin(), reply.end());
}

// A monitor that confirms every erase with the echo of the store named in the request.
struct Erase {
  test::VirtualClock clock;
  std::function<Bytes(const Bytes& request, int number)> answer = [](const Bytes& request, int) {
    return ClearReply(static_cast<std::uint16_t>(request[3] << 8 | request[4]));
  };
  test::ScriptedLink link{clock, [this](const Bytes& request, int number, test::ScriptedLink& l) {
                            l.Deliver(answer(request, number), 2ms);
                          }};
  ClearOutcome Run(bool monitoring, bool wardRound) {
    return ClearDeviceData(link, clock, {monitoring, wardRound});
  }
};

TEST(ClearDeviceData, ErasesMonitoringThenWardRoundAndClosesThePort) {
  Erase e;
  const ClearOutcome outcome = e.Run(true, true);
  EXPECT_TRUE(outcome.Succeeded());
  EXPECT_EQ(outcome.messages, std::vector{DeviceMessage::ClearSucceeded});
  ASSERT_EQ(e.link.requests.size(), 2u);
  EXPECT_EQ(e.link.requests[0], (Bytes{0x55, 0xAA, 0xE4, 0xFF, 0xFF, 0xE2}));
  EXPECT_EQ(e.link.requests[1], (Bytes{0x55, 0xAA, 0xE4, 0x00, 0x00, 0xE4}));
  EXPECT_EQ(e.link.purges, 2);
  EXPECT_TRUE(e.link.closed);

  Erase wardOnly;
  EXPECT_TRUE(wardOnly.Run(false, true).Succeeded());
  EXPECT_EQ(wardOnly.link.requests.size(), 1u);
  EXPECT_EQ(wardOnly.link.requests[0][3], 0x00);
}

TEST(ClearDeviceData, NothingSelectedAsksForASelectionAndSendsNothing) {
  Erase e;
  const ClearOutcome outcome = e.Run(false, false);
  EXPECT_FALSE(outcome.Succeeded());
  EXPECT_EQ(outcome.messages, std::vector{DeviceMessage::SelectDataToClear});
  EXPECT_TRUE(e.link.requests.empty());
  EXPECT_TRUE(e.link.closed);
}

TEST(ClearDeviceData, AStoreThatCannotBeErasedEndsTheTransaction) {
  Erase e;
  e.answer = [](const Bytes&, int) { return Bytes{}; };
  const ClearOutcome outcome = e.Run(true, true);
  EXPECT_EQ(outcome.messages, std::vector{DeviceMessage::ClearFailed});
  EXPECT_FALSE(outcome.monitoringOk);
  EXPECT_TRUE(outcome.wardRoundOk);  // never tried
  EXPECT_EQ(e.link.requests.size(), 3u);
  EXPECT_EQ(e.clock.Now(), 3 * 1100ms);
}

TEST(ClearDeviceData, TheConfirmationMustEchoTheErasedStore) {
  Erase e;
  e.answer = [](const Bytes& request, int number) {
    // The ward-round erase is answered with the monitoring echo twice, then correctly.
    if (request[3] == 0x00 && number < 3) return ClearReply(kMonitoringStoreEcho);
    return ClearReply(static_cast<std::uint16_t>(request[3] << 8 | request[4]));
  };
  EXPECT_TRUE(e.Run(true, true).Succeeded());
  EXPECT_EQ(e.link.requests.size(), 4u);
}

TEST(ClearDeviceData, AFailedWriteShowsTheCommunicationErrorThenTheVerdict) {
  Erase e;
  e.link.failingWrites = {1};
  const ClearOutcome outcome = e.Run(true, true);
  EXPECT_EQ(outcome.messages,
            (std::vector{DeviceMessage::CommunicationError, DeviceMessage::ClearFailed}));
  EXPECT_TRUE(outcome.monitoringOk);
  EXPECT_FALSE(outcome.wardRoundOk);
  EXPECT_TRUE(e.link.closed);
}

}  // namespace
}  // namespace wd
