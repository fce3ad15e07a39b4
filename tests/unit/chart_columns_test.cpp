#include <gtest/gtest.h>

#include "report/chart_axes.h"
#include "report/chart_columns.h"

namespace wd {
namespace {

std::vector<MinuteValue> Minutes(Minute from, Minute to, int value) {
  std::vector<MinuteValue> series;
  for (Minute m = from; m < to; ++m) series.push_back({m, value});
  return series;
}

std::vector<std::size_t> EmptyColumns(const std::vector<ChartColumn>& columns) {
  std::vector<std::size_t> empty;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].empty) empty.push_back(i);
  }
  return empty;
}

TEST(ChartColumns, SingleLowMinuteSurvivesAmong65536) {
  std::vector<MinuteValue> series = Minutes(0, 65536, 97);
  series[40000].value = 80;
  const std::vector<ChartColumn> columns = PlanChartColumns(series, 0, 65536, 1500);
  ASSERT_EQ(columns.size(), 1500u);
  EXPECT_TRUE(EmptyColumns(columns).empty());
  // 40,000 x 1,500 / 65,536 = 915.5: column 915 alone holds it.
  for (std::size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].min, i == 915 ? 80 : 97) << i;
    EXPECT_EQ(columns[i].max, 97);
  }
}

TEST(ChartColumns, GapInTheRecordsIsAGapInTheCurve) {
  // Minutes 0..59 and 120..179 in columns of 10 minutes: 60..119 hold nothing.
  std::vector<MinuteValue> series = Minutes(0, 60, 95);
  const std::vector<MinuteValue> later = Minutes(120, 180, 93);
  series.insert(series.end(), later.begin(), later.end());
  const std::vector<ChartColumn> columns = PlanChartColumns(series, 0, 180, 18);
  EXPECT_EQ(EmptyColumns(columns), (std::vector<std::size_t>{6, 7, 8, 9, 10, 11}));
  EXPECT_FALSE(columns[0].joinsPrevious);
  EXPECT_TRUE(columns[5].joinsPrevious);
  EXPECT_FALSE(columns[12].joinsPrevious);
  EXPECT_TRUE(columns[13].joinsPrevious);
}

TEST(ChartColumns, AdjacentColumnsJoinWithinFiveMinutes) {
  // Columns of 10 minutes; the second column's first minute 5 or 6 after the first's last.
  std::vector<MinuteValue> near = Minutes(0, 10, 95);
  near.push_back({14, 90});
  std::vector<MinuteValue> far = Minutes(0, 10, 95);
  far.push_back({15, 90});
  EXPECT_TRUE(PlanChartColumns(near, 0, 20, 2)[1].joinsPrevious);
  EXPECT_FALSE(PlanChartColumns(far, 0, 20, 2)[1].joinsPrevious);
}

TEST(ChartColumns, FirstLastMinMaxOfAColumnInTimeOrder) {
  const std::vector<MinuteValue> series = {{0, 94}, {1, 97}, {2, 88}, {3, 95}};
  const ChartColumn column = PlanChartColumns(series, 0, 4, 1)[0];
  EXPECT_EQ(column.first, 94);
  EXPECT_EQ(column.last, 95);
  EXPECT_EQ(column.min, 88);
  EXPECT_EQ(column.max, 97);
}

TEST(ChartColumns, MinuteWiderThanAColumnFillsAllItsColumns) {
  // 3 minutes across 9 columns: 3 columns each, one unbroken curve.
  const std::vector<MinuteValue> series = {{100, 95}, {101, 96}, {102, 97}};
  const std::vector<ChartColumn> columns = PlanChartColumns(series, 100, 103, 9);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    EXPECT_FALSE(columns[i].empty) << i;
    EXPECT_EQ(columns[i].min, 95 + static_cast<int>(i) / 3) << i;
    EXPECT_EQ(columns[i].joinsPrevious, i > 0) << i;
  }
}

TEST(ChartColumns, ValuesOutsideTheRangeAreLeftOut) {
  // A day page of a longer recording: only that day's minutes count.
  std::vector<MinuteValue> series = Minutes(0, 3 * 1440, 96);
  series[1439].value = 70;      // the day before
  series[2 * 1440].value = 71;  // the day after
  const std::vector<ChartColumn> columns = PlanChartColumns(series, 1440, 2 * 1440, 144);
  for (const ChartColumn& column : columns) EXPECT_EQ(column.min, 96);
  EXPECT_FALSE(columns[0].joinsPrevious);
  EXPECT_TRUE(PlanChartColumns(series, 0, 10, 0).empty());
}

TEST(TimeTicks, HourlyOverHoursDailyOverDays) {
  const Rect plot{200, 0, 1900, 400};  // 170 mm
  const Minute day = MinuteOf(2023, 6, 24, 0, 0);
  // 08:00 to 14:00: a tick and a label every hour.
  const std::vector<TimeTick> six = PlanTimeTicks(day + 8 * 60, day + 14 * 60, plot);
  ASSERT_EQ(six.size(), 6u);
  EXPECT_EQ(six[0].at, day + 8 * 60);
  EXPECT_EQ(six[0].x, 200);
  EXPECT_EQ(six[0].label, u"08:00");
  EXPECT_EQ(six[1].x, 200 + 1700 / 6);
  EXPECT_EQ(six[5].label, u"13:00");
  // A whole day: hourly ticks, labels every 2 hours, the date at midnight.
  const std::vector<TimeTick> whole = PlanTimeTicks(day, day + 1440, plot);
  ASSERT_EQ(whole.size(), 24u);
  EXPECT_EQ(whole[0].label, u"06-24");
  EXPECT_EQ(whole[1].label, u"");
  EXPECT_EQ(whole[2].label, u"02:00");
  // Three days from 10:00: hours would be 2.4 mm apart, so a tick at each midnight.
  const std::vector<TimeTick> three = PlanTimeTicks(day + 600, day + 600 + 3 * 1440, plot);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0].at, day + 1440);
  EXPECT_EQ(three[0].label, u"06-25");
  EXPECT_EQ(three[2].label, u"06-27");
  // 65,536 minutes (45.5 days): a tick a day, a label every 5 days.
  const std::vector<TimeTick> weeks = PlanTimeTicks(day, day + 65536, plot);
  ASSERT_EQ(weeks.size(), 46u);
  const auto labelled =
      std::count_if(weeks.begin(), weeks.end(), [](const TimeTick& t) { return !t.label.empty(); });
  EXPECT_EQ(labelled, 9);
}

TEST(ValueScales, Spo2WidensBelow50AndMapsIntoThePlot) {
  const Rect plot{0, 100, 1000, 600};
  const ValueScale spo2 = ScaleOf(ChartKind::Spo2, 84);
  EXPECT_EQ(spo2.low, 50);
  EXPECT_EQ(spo2.reference, 90);
  EXPECT_EQ(ValueY(90, spo2, plot), 200);
  EXPECT_EQ(ValueY(100, spo2, plot), 100);
  EXPECT_EQ(ValueY(20, spo2, plot), 600);  // kept inside the plot
  EXPECT_EQ(ScaleOf(ChartKind::Spo2, 43).low, 40);
  EXPECT_EQ(ScaleOf(ChartKind::Spo2, std::nullopt).low, 50);
  EXPECT_EQ(ValueY(150, ScaleOf(ChartKind::Nibp, std::nullopt), plot), 350);
}

}  // namespace
}  // namespace wd
