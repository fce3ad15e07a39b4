#include <gtest/gtest.h>

#include <algorithm>

#include "report/report_plan.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

const Minute kJune24 = MinuteOf(2023, 6, 24, 0, 0);

// Monitoring records, one a minute for `count` minutes from `start` (minutes after 2023-06-24
// 00:00), SpO2 96.
std::vector<VitalRecord> Stay(int start, int count, int spo2 = 96) {
  std::vector<VitalRecord> records;
  for (int i = start; i < start + count; ++i) {
    records.push_back(Record(RecordKind::Monitoring, 24 + i / 1440, i / 60 % 24, i % 60, spo2));
  }
  return records;
}

struct Planned {
  Timeline timeline;
  PatientSummary summary;
  ReportPlan plan;
};

// Keeps the records alive with the plan, which the timeline points into.
class ReportFixture : public ::testing::Test {
 protected:
  const ReportPlan& Plan(std::vector<VitalRecord> recs, PaperSize paper = kA4Portrait,
                         const ReportStrings& strings = EnglishReportStrings()) {
    records = std::move(recs);
    planned.timeline = BuildTimeline(records);
    planned.summary = Summarise(planned.timeline);
    planned.plan = PlanReport({Id("110105194912310021"), person}, planned.timeline, planned.summary,
                              paper, {MinuteOf(2024, 5, 1, 10, 20), u"1.0.0"}, strings);
    return planned.plan;
  }

  std::vector<const TextBlock*> Texts(std::size_t page) const {
    std::vector<const TextBlock*> texts;
    for (const TextBlock& text : planned.plan.pages.at(page).texts) texts.push_back(&text);
    return texts;
  }
  bool HasText(std::size_t page, const std::u16string& text) const {
    const auto texts = Texts(page);
    return std::any_of(texts.begin(), texts.end(),
                       [&](const TextBlock* t) { return t->text == text; });
  }
  std::u16string Value(std::size_t table, const std::u16string& label) const {
    for (const PlacedRow& row : planned.plan.pages.at(0).tables.at(table).rows) {
      if (row.row.label == label) return row.row.value;
    }
    return u"(no row)";
  }

  std::vector<VitalRecord> records;
  std::optional<PatientInfo> person;
  Planned planned;
};

TEST_F(ReportFixture, ThreeDaySpanGivesADayPageEach) {
  // 06-24 00:00 to 06-26 23:59.
  const ReportPlan& plan = Plan(Stay(0, 3 * 1440));
  ASSERT_EQ(plan.pages.size(), 4u);
  EXPECT_TRUE(HasText(0, u"Page 1 of 4"));
  EXPECT_TRUE(HasText(3, u"Page 4 of 4"));
  EXPECT_TRUE(HasText(1, u"2023-06-24"));
  EXPECT_TRUE(HasText(3, u"2023-06-26"));
  EXPECT_TRUE(HasText(2, u"Printed 2024-05-01 10:20"));
  EXPECT_TRUE(HasText(2, u"Pulsora Pro 1.0.0"));
  // Page 1 charts the whole span, each day page its calendar day.
  ASSERT_EQ(plan.pages[0].charts.size(), 3u);
  EXPECT_EQ(plan.pages[0].charts[0].from, kJune24);
  EXPECT_EQ(plan.pages[0].charts[0].to, kJune24 + 3 * 1440);
  ASSERT_EQ(plan.pages[2].charts.size(), 3u);
  EXPECT_EQ(plan.pages[2].charts[1].kind, ChartKind::PulseRate);
  EXPECT_EQ(plan.pages[2].charts[1].from, kJune24 + 1440);
  EXPECT_EQ(plan.pages[2].charts[1].to, kJune24 + 2 * 1440);
}

TEST_F(ReportFixture, ExactlyTwentyFourHoursStayOnOnePage) {
  // 08:00 to 07:59 the next day is 1,440 minutes.
  EXPECT_EQ(Plan(Stay(480, 1440)).pages.size(), 1u);
  // One minute more reaches into a second calendar day's page: 06-24 and 06-25.
  const ReportPlan& longer = Plan(Stay(480, 1441));
  ASSERT_EQ(longer.pages.size(), 3u);
  EXPECT_TRUE(HasText(2, u"2023-06-25"));
  EXPECT_EQ(longer.pages[0].charts[0].to - longer.pages[0].charts[0].from, 1441);
}

TEST_F(ReportFixture, DaysWithoutRecordsGetNoPage) {
  // 06-24 and 06-27 only; and a record dated years later adds one page, not thousands.
  std::vector<VitalRecord> stay = Stay(0, 60);
  const std::vector<VitalRecord> later = Stay(3 * 1440, 60);
  stay.insert(stay.end(), later.begin(), later.end());
  ASSERT_EQ(Plan(stay).pages.size(), 3u);
  EXPECT_TRUE(HasText(1, u"2023-06-24"));
  EXPECT_TRUE(HasText(2, u"2023-06-27"));
  stay.back().year = 99;
  const ReportPlan& plan = Plan(stay);
  ASSERT_EQ(plan.pages.size(), 4u);
  EXPECT_TRUE(HasText(3, u"2099-06-27"));
  EXPECT_EQ(plan.pages[0].charts[0].to, MinuteOf(2099, 6, 27, 0, 59) + 1);
}

TEST_F(ReportFixture, RecordsLeftOutAreCountedNotDrawn) {
  std::vector<VitalRecord> stay = Stay(600, 30);
  stay[5].month = 13;
  stay.push_back(stay[0]);
  const ReportPlan& plan = Plan(stay);
  EXPECT_EQ(Value(0, u"Minutes"), u"29");
  EXPECT_EQ(Value(0, u"Records left out"), u"2");
  EXPECT_EQ(Value(0, u"Recording"), u"2023-06-24 10:00 \u2013 2023-06-24 10:29");
  EXPECT_EQ(plan.series.spo2.size(), 29u);
}

TEST_F(ReportFixture, NoValidSpo2SaysSo) {
  const ReportPlan& plan = Plan(Stay(600, 90, 0));
  EXPECT_TRUE(HasText(0, u"No valid SpO2 value was recorded."));
  EXPECT_EQ(Value(1, u"SpO2 mean / median"), u"\u2014");
  EXPECT_EQ(Value(1, u"Time below 90 %"), u"\u2014");
  EXPECT_EQ(Value(1, u"Pulse rate /min"), u"72.0 (72\u201372)");
  // The charts are still there, the SpO2 curve just has nothing to draw.
  ASSERT_EQ(plan.pages[0].charts.size(), 3u);
  const std::vector<ChartColumn> columns =
      CurveColumns(plan, plan.pages[0].charts[0], Measurement::Spo2, 600);
  EXPECT_TRUE(
      std::all_of(columns.begin(), columns.end(), [](const ChartColumn& c) { return c.empty; }));
}

TEST_F(ReportFixture, NoRecordsAtAllGivesOnePageWithoutCharts) {
  std::vector<VitalRecord> stay = Stay(0, 2);
  for (VitalRecord& r : stay) r.day = 31, r.month = 6;  // June has 30 days
  const ReportPlan& plan = Plan(stay);
  ASSERT_EQ(plan.pages.size(), 1u);
  EXPECT_TRUE(plan.pages[0].charts.empty());
  EXPECT_TRUE(HasText(0, u"No monitoring record with a real date and time."));
  EXPECT_EQ(Value(0, u"Records left out"), u"2");
  EXPECT_EQ(Value(0, u"Recording"), u"\u2014");
}

// 12 episodes below 90 of 3 minutes each, 10 minutes apart.
std::vector<VitalRecord> TwelveEpisodes() {
  std::vector<VitalRecord> stay = Stay(0, 130);
  for (int episode = 0; episode < 12; ++episode) {
    for (int minute = 0; minute < 3; ++minute) stay[episode * 10 + 2 + minute].spo2 = 85;
  }
  return stay;
}

TEST_F(ReportFixture, EpisodesListCutAtTenWithTheRestCounted) {
  Plan(TwelveEpisodes());
  const auto texts = Texts(0);
  const auto episodes = std::count_if(texts.begin(), texts.end(), [](const TextBlock* t) {
    return t->text.find(u"3 min   lowest 85 %") != std::u16string::npos;
  });
  EXPECT_EQ(episodes, 10);
  EXPECT_TRUE(HasText(0, u"2023-06-24 00:02   3 min   lowest 85 %"));
  EXPECT_TRUE(HasText(0, u"2023-06-24 01:32   3 min   lowest 85 %"));  // the tenth
  EXPECT_FALSE(HasText(0, u"2023-06-24 01:42   3 min   lowest 85 %"));
  EXPECT_TRUE(HasText(0, u"\u2026 and 2 more"));
  // Exactly ten: no "more" line.
  std::vector<VitalRecord> ten = TwelveEpisodes();
  ten.resize(110);
  Plan(ten);
  EXPECT_FALSE(HasText(0, u"\u2026 and 0 more"));
  EXPECT_TRUE(HasText(0, u"2023-06-24 01:32   3 min   lowest 85 %"));
}

TEST_F(ReportFixture, PersonFromTheRegisterBlankWhereUnknown) {
  Plan(Stay(600, 10));
  EXPECT_EQ(Value(0, u"Name"), u"");
  EXPECT_EQ(Value(0, u"ID"), u"110105194912310021");
  EXPECT_EQ(Value(0, u"Sex"), u"");
  const FormResult built =
      BuildPatientInfo({Id("110105194912310021"), u"王芳", 1, u"67", u"", u"80", u"低盐饮食"});
  ASSERT_EQ(built.error, FormError::None);
  person = built.info;
  Plan(Stay(600, 10));
  EXPECT_EQ(Value(0, u"Name"), u"王芳");
  EXPECT_EQ(Value(0, u"Sex"), u"Female");
  EXPECT_EQ(Value(0, u"Age"), u"67");
  EXPECT_EQ(Value(0, u"Height"), u"");  // nothing typed is stored as 0
  EXPECT_EQ(Value(0, u"Weight"), u"80 kg");
  EXPECT_EQ(Value(0, u"Doctor's advice"), u"低盐饮食");
}

TEST_F(ReportFixture, SummaryFiguresPrintTheirExactDigits) {
  std::vector<VitalRecord> stay = Stay(600, 60);
  for (int i : {10, 11, 12}) stay[static_cast<std::size_t>(i)].spo2 = 87;  // an episode, 3 drops
  Plan(stay);
  // Mean (57 x 96 + 3 x 87) / 60 = 95.55 -> 95.6.
  EXPECT_EQ(Value(1, u"SpO2 mean / median"), u"95.6 / 96.0");
  EXPECT_EQ(Value(1, u"SpO2 lowest"), u"87 % at 2023-06-24 10:10");
  EXPECT_EQ(Value(1, u"Time below 90 %"), u"3 min (5.0 %)");
  EXPECT_EQ(Value(1, u"Desaturations by 3 %"), u"1 (1.0 per hour)");
  EXPECT_EQ(Value(1, u"Temperature \u00b0C mean / max"), u"37.0 / 37.0");
  EXPECT_EQ(Value(1, u"Systolic mmHg"), u"120.0 (120\u2013120)");
  // Below an hour of valid minutes the rate is left out.
  stay.pop_back();
  Plan(stay);
  EXPECT_EQ(Value(1, u"Desaturations by 3 %"), u"1");
}

TEST_F(ReportFixture, CallersStringTableIsUsedThroughout) {
  ReportStrings chinese = EnglishReportStrings();
  chinese.title = u"监护报告";
  chinese.pageOf = u"第%1页，共%2页";
  chinese.spo2Chart = u"血氧 %";
  const ReportPlan& plan = Plan(Stay(600, 10), kA4Portrait, chinese);
  EXPECT_TRUE(HasText(0, u"监护报告"));
  EXPECT_TRUE(HasText(0, u"第1页，共1页"));
  EXPECT_EQ(plan.pages[0].charts[0].title.text, u"血氧 %");
}

TEST_F(ReportFixture, ChartsCarryTheirScalesTicksAndLegend) {
  const ReportPlan& plan = Plan(Stay(480, 360));
  const ChartBlock& spo2 = plan.pages[0].charts[0];
  ASSERT_TRUE(spo2.referenceY.has_value());
  EXPECT_EQ(*spo2.referenceY, ValueY(90, spo2.scale, spo2.plot));
  EXPECT_EQ(spo2.grid.front().label, u"50");
  EXPECT_EQ(spo2.grid.back().label, u"100");
  ASSERT_EQ(spo2.ticks.size(), 6u);  // 08:00 .. 13:00
  EXPECT_EQ(spo2.ticks[0].labelBox.left, spo2.frame.left + 110 - 60);
  // Labels start below the ticks, so no tick runs through its label, and end inside the chart.
  EXPECT_GT(spo2.ticks[0].labelBox.top, spo2.plot.bottom + kTimeTickLength);
  EXPECT_LE(spo2.ticks[0].labelBox.bottom, spo2.frame.bottom);
  // A label at the right edge stays inside the chart.
  const ChartBlock& twoDays = Plan(Stay(0, 1440 * 2)).pages[0].charts[0];
  ASSERT_GT(twoDays.ticks.back().x + 60, twoDays.frame.right);
  EXPECT_EQ(twoDays.ticks.back().labelBox.right, twoDays.frame.right);
  const ChartBlock& nibp = Plan(Stay(480, 360)).pages[0].charts[2];
  EXPECT_FALSE(nibp.referenceY.has_value());
  EXPECT_EQ(nibp.series, (std::vector<Measurement>{Measurement::Systolic, Measurement::Diastolic}));
  ASSERT_EQ(nibp.legend.size(), 2u);
  EXPECT_EQ(nibp.legend[0].text, u"Systolic");
  EXPECT_LT(nibp.legend[0].box.right, nibp.legend[1].box.right);
}

// Every block inside the paper's margins, and page 1's blocks stacked without overlap.
void ExpectLaidOut(const ReportPlan& plan) {
  const Rect inside{150, 150, plan.paper.width - 150, plan.paper.height - 150};
  const auto within = [&](const Rect& r) {
    return r.left >= inside.left && r.right <= inside.right && r.top >= inside.top &&
           r.bottom <= inside.bottom && r.top <= r.bottom && r.left <= r.right;
  };
  for (const ReportPage& page : plan.pages) {
    for (const TextBlock& text : page.texts) EXPECT_TRUE(within(text.box)) << text.box.top;
    for (const TableBlock& table : page.tables) EXPECT_TRUE(within(table.box)) << table.box.top;
    int previousBottom = inside.top;
    for (const ChartBlock& chart : page.charts) {
      EXPECT_TRUE(within(chart.frame)) << chart.frame.top;
      EXPECT_GE(chart.frame.top, previousBottom);
      EXPECT_GE(chart.plot.height(), 150);
      previousBottom = chart.frame.bottom;
    }
    for (const TableBlock& table : page.tables) {
      for (const ChartBlock& chart : page.charts) EXPECT_LE(table.box.bottom, chart.frame.top);
    }
  }
}

TEST_F(ReportFixture, FitsA4AndLetterAndGivesSmallPaperAChartPage) {
  ExpectLaidOut(Plan(TwelveEpisodes(), kA4Portrait));
  ExpectLaidOut(Plan(TwelveEpisodes(), kLetterPortrait));
  EXPECT_EQ(planned.plan.pages.size(), 1u);
  // A5: the charts of the whole recording move to page 2.
  const ReportPlan& a5 = Plan(TwelveEpisodes(), PaperSize{1480, 2100});
  ExpectLaidOut(a5);
  ASSERT_EQ(a5.pages.size(), 2u);
  EXPECT_TRUE(a5.pages[0].charts.empty());
  EXPECT_EQ(a5.pages[1].charts.size(), 3u);
  EXPECT_TRUE(HasText(1, u"Page 2 of 2"));
}

TEST(ReportStrings, FillInTakesArgumentsInAnyOrder) {
  EXPECT_EQ(FillIn(u"%2 / %1", {u"a", u"b"}), u"b / a");
  EXPECT_EQ(FillIn(u"%1 %", {u"95"}), u"95 %");
  EXPECT_EQ(FillIn(u"100%% %3", {u"x"}), u"100% %3");  // no third argument
}

}  // namespace
}  // namespace wd
