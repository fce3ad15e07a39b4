#include <gtest/gtest.h>

#include "analysis/patient_summary.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Record;

// A monitoring record `offset` minutes after 2023-06-24 00:00, every value valid.
VitalRecord At(int offset, int spo2 = 97) {
  return Record(RecordKind::Monitoring, 24 + offset / 1440, offset / 60 % 24, offset % 60, spo2);
}

PatientSummary SummaryOf(const std::vector<VitalRecord>& records) {
  return Summarise(BuildTimeline(records));
}

TEST(RecordTimeline, ImpossibleDatesAndTimesAreExcluded) {
  std::vector<VitalRecord> records(11, At(0));
  records[1].month = 13;
  records[2].day = 0;
  records[3].month = 2, records[3].day = 29;  // 2023 is no leap year
  records[4].month = 4, records[4].day = 31;
  records[5].hour = 24;
  records[6].minute = 60;
  records[7].year = 128;
  records[8].year = 24, records[8].month = 2, records[8].day = 29;    // 2024 is
  records[9].year = 100, records[9].month = 2, records[9].day = 29;   // 2100 is not
  records[10].year = 0, records[10].month = 2, records[10].day = 29;  // 2000 is
  const Timeline timeline = BuildTimeline(records);
  ASSERT_EQ(timeline.minutes.size(), 3u);
  EXPECT_EQ(timeline.excluded, 8u);
  EXPECT_EQ(FormatMinute(timeline.minutes[0].minute), "2000-02-29 00:00");
  EXPECT_EQ(FormatMinute(timeline.minutes[2].minute), "2024-02-29 00:00");
  EXPECT_EQ(RealRecordMinute(records[7]), std::nullopt);
  records[7].year = 127;
  EXPECT_EQ(FormatMinute(*RealRecordMinute(records[7])), "2127-06-24 00:00");
}

TEST(RecordTimeline, SortedByTimeFirstOfEachMinuteKeptOtherKindsIgnored) {
  // List order 10:05 (a), 09:59, a ward-round record, 10:05 (b), 10:00.
  std::vector<VitalRecord> records = {At(605, 91), At(599), Record(RecordKind::WardRound, 24, 8, 0),
                                      At(605, 92), At(600)};
  const Timeline timeline = BuildTimeline(records);
  ASSERT_EQ(timeline.minutes.size(), 3u);
  EXPECT_EQ(timeline.excluded, 1u);  // the repeated 10:05; the ward-round record is not counted
  EXPECT_EQ(timeline.minutes[2].record, &records[0]);
  const PatientSummary summary = Summarise(timeline);
  EXPECT_EQ(summary.minutes, 3u);
  EXPECT_EQ(FormatMinute(*summary.first), "2023-06-24 09:59");
  EXPECT_EQ(FormatMinute(*summary.last), "2023-06-24 10:05");
  EXPECT_EQ(summary.spo2.range.min, 91);  // from the first 10:05, not the repeat
}

TEST(RecordTimeline, RecordsYearsApartSortTheSameWay) {
  // Too far apart to count minutes one by one: the other sort must keep ties in list order too.
  std::vector<VitalRecord> records = {At(5, 91), At(0), At(5, 92), At(0)};
  records[0].year = records[2].year = 99;
  records[3].year = 1;
  const Timeline timeline = BuildTimeline(records);
  ASSERT_EQ(timeline.minutes.size(), 3u);
  EXPECT_EQ(timeline.excluded, 1u);
  EXPECT_EQ(timeline.minutes[0].record, &records[3]);
  EXPECT_EQ(timeline.minutes[1].record, &records[1]);
  EXPECT_EQ(timeline.minutes[2].record, &records[0]);
}

TEST(RecordTimeline, NothingToKeepGivesNoSpan) {
  VitalRecord broken = At(0);
  broken.month = 0;
  const PatientSummary summary = SummaryOf({broken});
  EXPECT_EQ(summary.minutes, 0u);
  EXPECT_EQ(summary.excluded, 1u);
  EXPECT_EQ(summary.first, std::nullopt);
  EXPECT_EQ(summary.last, std::nullopt);
}

TEST(SummaryValues, RangeLimitsOfEachMeasurement) {
  std::vector<VitalRecord> records;
  for (int i = 0; i < 4; ++i) records.push_back(At(i));
  // Just outside, then just inside the valid ranges.
  const auto set = [&](std::size_t i, int spo2, int pulse, int temperature, int respiration,
                       int systolic, int diastolic) {
    records[i].spo2 = static_cast<std::uint8_t>(spo2);
    records[i].pulse = static_cast<std::uint8_t>(pulse);
    records[i].temperature = static_cast<std::uint16_t>(temperature);
    records[i].respiration = static_cast<std::uint8_t>(respiration);
    records[i].systolic = static_cast<std::uint16_t>(systolic);
    records[i].diastolic = static_cast<std::uint16_t>(diastolic);
  };
  set(0, 0, 19, 249, 0, 301, 80);
  set(1, 101, 251, 451, 151, 120, 120);  // diastolic must stay below systolic
  set(2, 1, 20, 250, 1, 2, 1);
  set(3, 100, 250, 450, 150, 300, 299);
  const PatientSummary s = SummaryOf(records);
  EXPECT_EQ(s.spo2.valid, 2u);
  EXPECT_EQ(s.spo2.range.min, 1);
  EXPECT_EQ(s.spo2.range.max, 100);
  EXPECT_EQ(s.pulse.valid, 2u);
  EXPECT_EQ(s.pulse.range.max, 250);
  EXPECT_EQ(s.nibp.valid, 2u);
  EXPECT_EQ(s.nibp.systolic.max, 300);
  EXPECT_EQ(s.nibp.diastolic.min, 1);
  EXPECT_EQ(s.temperature.valid, 2u);
  EXPECT_EQ(s.temperature.max, Tenths{450});
  EXPECT_EQ(s.respiration.valid, 2u);
  EXPECT_EQ(s.respiration.range.min, 1);
}

TEST(SummaryValues, MeansRoundHalfUpExactly) {
  // 95, 96, 96, 96: mean 95.75 -> 95.8; 95, 95, 96: 95.333 -> 95.3.
  EXPECT_EQ(SummaryOf({At(0, 95), At(1, 96), At(2, 96), At(3, 96)}).spo2.range.mean, Tenths{958});
  EXPECT_EQ(SummaryOf({At(0, 95), At(1, 95), At(2, 96)}).spo2.range.mean, Tenths{953});
  EXPECT_EQ(RoundedTenths(1, 20).Text(), "0.1");  // 0.05 rounds up
  EXPECT_EQ(RoundedTenths(1, 21).Text(), "0.0");
  EXPECT_EQ(Tenths{958}.Text(), "95.8");
  EXPECT_EQ(Tenths{-5}.Text(), "-0.5");
}

TEST(SummaryValues, MedianOfOddAndEvenCounts) {
  EXPECT_EQ(SummaryOf({At(0, 97), At(1, 90), At(2, 99)}).spo2.median, Tenths{970});
  EXPECT_EQ(SummaryOf({At(0, 97), At(1, 94), At(2, 96), At(3, 95)}).spo2.median, Tenths{955});
  EXPECT_EQ(SummaryOf({At(0, 96), At(1, 96), At(2, 95), At(3, 96)}).spo2.median, Tenths{960});
}

TEST(SummaryValues, LowestSaturationAndTimeBelow90And88) {
  // Below 90: 89, 88, 87, 85 (4 of 6 = 66.7 %); below 88: 87, 85 (33.3 %).
  const PatientSummary s = SummaryOf(
      {At(600, 95), At(601, 89), At(602, 88), At(603, 87), At(604, 90), At(605, 85), At(606, 0)});
  EXPECT_EQ(s.spo2.valid, 6u);
  EXPECT_EQ(s.spo2.t90Minutes, 4u);
  EXPECT_EQ(s.spo2.t90Percent, Tenths{667});
  EXPECT_EQ(s.spo2.t88Minutes, 2u);
  EXPECT_EQ(s.spo2.t88Percent, Tenths{333});
  EXPECT_EQ(s.spo2.range.min, 85);
  EXPECT_EQ(FormatMinute(*s.spo2.minAt), "2023-06-24 10:05");
  // The first of two minutes with the lowest value, in time order rather than list order.
  EXPECT_EQ(FormatMinute(*SummaryOf({At(9, 88), At(2, 92), At(5, 88)}).spo2.minAt),
            "2023-06-24 00:05");
}

TEST(SummaryValues, TemperatureInDegreesNibpOverTheSameReadings) {
  std::vector<VitalRecord> records = {At(0), At(1), At(2), At(3)};
  records[0].temperature = 365, records[1].temperature = 370;  // 36.75 -> 36.8
  records[2].temperature = 0, records[3].temperature = 500;
  records[0].systolic = 120, records[0].diastolic = 80;
  records[1].systolic = 130, records[1].diastolic = 85;
  records[2].systolic = 125, records[2].diastolic = 125;  // not a reading: neither counts
  records[3].systolic = 310, records[3].diastolic = 60;
  const PatientSummary s = SummaryOf(records);
  EXPECT_EQ(s.temperature.valid, 2u);
  EXPECT_EQ(s.temperature.mean, Tenths{368});
  EXPECT_EQ(s.temperature.max, Tenths{370});
  EXPECT_EQ(s.nibp.valid, 2u);
  EXPECT_EQ(s.nibp.systolic.mean, Tenths{1250});
  EXPECT_EQ(s.nibp.diastolic.mean, Tenths{825});
  EXPECT_EQ(s.nibp.diastolic.max, 85);
}

TEST(SummaryValues, MeasurementWithoutValidValuesIsAllNull) {
  std::vector<VitalRecord> records = {At(0, 0), At(1, 0), At(2, 0)};
  for (VitalRecord& r : records) r.pulse = 0, r.systolic = 0, r.temperature = 0, r.respiration = 0;
  const PatientSummary s = SummaryOf(records);
  EXPECT_EQ(s.minutes, 3u);
  EXPECT_EQ(s.spo2.valid, 0u);
  EXPECT_EQ(s.spo2.range.mean, std::nullopt);
  EXPECT_EQ(s.spo2.median, std::nullopt);
  EXPECT_EQ(s.spo2.minAt, std::nullopt);
  EXPECT_EQ(s.spo2.t90Minutes, std::nullopt);
  EXPECT_EQ(s.spo2.t88Percent, std::nullopt);
  EXPECT_EQ(s.spo2.events3, std::nullopt);
  EXPECT_EQ(s.spo2.odi4, std::nullopt);
  EXPECT_TRUE(s.spo2.episodesBelow90.empty());
  EXPECT_EQ(s.pulse.range.max, std::nullopt);
  EXPECT_EQ(s.nibp.systolic.mean, std::nullopt);
  EXPECT_EQ(s.temperature.mean, std::nullopt);
  EXPECT_EQ(s.respiration.range.min, std::nullopt);
}

// 96 every minute but a drop to 90 at minutes 5, 15, 25, ...: one event each.
std::vector<VitalRecord> DropEveryTenMinutes(int minutes) {
  std::vector<VitalRecord> records;
  for (int i = 0; i < minutes; ++i) records.push_back(At(i, i % 10 == 5 ? 90 : 96));
  return records;
}

TEST(SummaryOdi, NeedsAnHourOfValidMinutes) {
  // 6 drops in 59 or in 60 minutes.
  const PatientSummary fiftyNine = SummaryOf(DropEveryTenMinutes(59));
  EXPECT_EQ(fiftyNine.spo2.events3, 6u);
  EXPECT_EQ(fiftyNine.spo2.odi3, std::nullopt);
  const PatientSummary sixty = SummaryOf(DropEveryTenMinutes(60));
  EXPECT_EQ(sixty.spo2.events3, 6u);
  EXPECT_EQ(sixty.spo2.odi3, Tenths{60});
  EXPECT_EQ(sixty.spo2.events4, 6u);  // 90 is 6 below
  // 7 events in 66 minutes: 6.3636 per hour -> 6.4.
  EXPECT_EQ(SummaryOf(DropEveryTenMinutes(66)).spo2.odi3, Tenths{64});
  // Invalid SpO2 minutes do not count towards the hour.
  std::vector<VitalRecord> withGap = DropEveryTenMinutes(60);
  withGap[59].spo2 = 0;
  EXPECT_EQ(SummaryOf(withGap).spo2.odi3, std::nullopt);
}

TEST(SummaryEpisodes, EpisodesBelow90InTimeOrder) {
  std::vector<VitalRecord> records;
  for (int i = 0; i < 20; ++i) records.push_back(At(i, 95));
  for (int i : {3, 4, 5}) records[i].spo2 = 89;
  for (int i : {10, 11, 12, 13}) records[i].spo2 = static_cast<std::uint8_t>(80 + i);
  records[12].spo2 = 0;  // an invalid minute splits 10..13 into runs too short to count
  std::reverse(records.begin(), records.end());
  const PatientSummary s = SummaryOf(records);
  ASSERT_EQ(s.spo2.episodesBelow90.size(), 1u);
  EXPECT_EQ(FormatMinute(s.spo2.episodesBelow90[0].start), "2023-06-24 00:03");
  EXPECT_EQ(s.spo2.episodesBelow90[0].minutes, 3u);
  EXPECT_EQ(s.spo2.episodesBelow90[0].lowest, 89);
}

}  // namespace
}  // namespace wd
