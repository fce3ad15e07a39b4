#include <gtest/gtest.h>

#include "analysis/spo2_events.h"

namespace wd {
namespace {

// Values one minute apart from minute 0.
std::vector<MinuteValue> EveryMinute(std::initializer_list<int> values) {
  std::vector<MinuteValue> series;
  for (int value : values) series.push_back({static_cast<Minute>(series.size()), value});
  return series;
}

TEST(Desaturations, DropOfExactlyKFromAFullBaselineStartsAnEvent) {
  // Baseline 96, 96, 96 (sum 288): 93 is 3 below it, not 4.
  const auto series = EveryMinute({96, 96, 96, 93, 96});
  EXPECT_EQ(CountDesaturations(series, 3), 1u);
  EXPECT_EQ(CountDesaturations(series, 4), 0u);
  // Two values are no baseline yet.
  EXPECT_EQ(CountDesaturations(EveryMinute({96, 96, 80}), 3), 0u);
}

TEST(Desaturations, EventThatNeverRecoversCountsOnce) {
  EXPECT_EQ(CountDesaturations(EveryMinute({96, 96, 96, 90, 90, 90, 85, 80}), 3), 1u);
  EXPECT_EQ(CountDesaturations(EveryMinute({96, 96, 96, 90, 90, 90, 85, 80}), 4), 1u);
}

TEST(Desaturations, RecoveryRestartsTheBaselineFromTheRecoveringValue) {
  // Event at 92 (start sum 288); 93 does not end it (3 x 93 = 279, not above 279), 95 does.
  // The baseline is then [95], [95, 92], [95, 92, 92] (sum 279): 88 is 3 below (264 <= 270).
  const auto series = EveryMinute({96, 96, 96, 92, 93, 95, 92, 92, 88});
  EXPECT_EQ(CountDesaturations(series, 3), 2u);
  // By 4: 92 starts (276 <= 276), 93 already ends (279 > 276); the baseline then runs
  // [93], [93, 95], [93, 95, 92], [95, 92, 92] (279), and 88 is 4 below (264 <= 267).
  EXPECT_EQ(CountDesaturations(series, 4), 2u);
  // A baseline of [95, 92] only: 88 does not start an event.
  EXPECT_EQ(CountDesaturations(EveryMinute({96, 96, 96, 92, 95, 92, 88}), 3), 1u);
}

TEST(Desaturations, ValuesInsideAnEventStayOutOfTheBaseline) {
  // The low values 90, 90 are not added, so after recovery at 96 the baseline restarts at [96]
  // and a fall to 90 two minutes later cannot start a second event.
  EXPECT_EQ(CountDesaturations(EveryMinute({96, 96, 96, 90, 90, 96, 96, 90}), 3), 1u);
}

TEST(Desaturations, GapOfFiveMinutesKeepsTheBaselineSixForgetsIt) {
  const std::vector<MinuteValue> five = {{0, 96}, {1, 96}, {2, 96}, {7, 92}};
  const std::vector<MinuteValue> six = {{0, 96}, {1, 96}, {2, 96}, {8, 92}};
  EXPECT_EQ(CountDesaturations(five, 3), 1u);
  EXPECT_EQ(CountDesaturations(six, 3), 0u);
}

TEST(Desaturations, GapEndsAnEventSoTheNextCanStart) {
  // Event at minute 3; after a 6-minute gap the baseline is [90, 90, 90] and 86 is an event.
  const std::vector<MinuteValue> gap = {{0, 96}, {1, 96},  {2, 96},  {3, 90},
                                        {9, 90}, {10, 90}, {11, 90}, {12, 86}};
  EXPECT_EQ(CountDesaturations(gap, 3), 2u);
  // Within 5 minutes the same values all stay inside the first event.
  std::vector<MinuteValue> kept = gap;
  for (std::size_t i = 4; i < kept.size(); ++i) kept[i].minute -= 1;
  EXPECT_EQ(CountDesaturations(kept, 3), 1u);
}

TEST(EpisodesBelow90, RunsOfThreeConsecutiveMinutesOrMore) {
  const std::vector<MinuteValue> series = {
      {0, 95}, {1, 89}, {2, 88}, {3, 89},              // 3 minutes: an episode
      {4, 90}, {5, 85}, {6, 86},                       // 2 minutes: too short
      {7, 95}, {8, 80}, {9, 84}, {10, 82}, {11, 87}};  // 4 minutes to the end
  const std::vector<Episode> expected = {{1, 3, 88}, {8, 4, 80}};
  EXPECT_EQ(EpisodesBelow(series, 90, 3), expected);
}

TEST(EpisodesBelow90, MissingMinuteBreaksARun) {
  // 12 is missing (no valid value): 10, 11 and 13, 14 are two short runs.
  const std::vector<MinuteValue> series = {{10, 85}, {11, 85}, {13, 85}, {14, 85}};
  EXPECT_TRUE(EpisodesBelow(series, 90, 3).empty());
  EXPECT_EQ(EpisodesBelow(series, 90, 2).size(), 2u);
}

}  // namespace
}  // namespace wd
