#include <gtest/gtest.h>

#include "tests/unit/test_support.h"
#include "views/logic/form_layout.h"
#include "views/logic/list_rows.h"
#include "views/logic/record_order.h"
#include "views/logic/trend_plan.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

// A store whose one person has the given records appended as they stand.
struct OnePerson {
  PatientStore store;
  const RecordList* list = nullptr;
  explicit OnePerson(const std::vector<VitalRecord>& records) {
    auto writer = store.Write();
    RecordList& l = writer.FindOrCreateRecordList(Id("110105194912310021"));
    for (const VitalRecord& r : records) writer.AppendRecord(l, r);
    list = &l;
  }
};

std::vector<VitalRecord> MinutesFromMidnight(int count, int spo2 = 97) {
  std::vector<VitalRecord> records;
  for (int i = 0; i < count; ++i) {
    records.push_back(Record(RecordKind::Monitoring, 1 + i / 1440, i / 60 % 24, i % 60, spo2));
  }
  return records;
}

TEST(TrendPlan, ValueMappingsOfTheThreeCharts) {
  EXPECT_EQ(MapTrendValue(TrendChartKind::Spo2, 98), 16);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Spo2, 70), 240);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Spo2, 100), 0);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Spo2, 64), 288);
  EXPECT_EQ(MapTrendValue(TrendChartKind::PulseRate, 72), 178);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Nibp, 120), 144);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Nibp, 80), 176);
  EXPECT_EQ(MapTrendValue(TrendChartKind::Nibp, 300), 0);
}

TEST(TrendPlan, OneRecordDrawsNothingTwoDrawOneLabelledSegment) {
  OnePerson one(MinutesFromMidnight(1));
  TrendPlan plan = PlanTrendChart(TrendChartKind::Spo2, one.list, 1);
  EXPECT_EQ(plan.bitmapWidth, 51);
  EXPECT_TRUE(plan.curves[0].empty());
  EXPECT_TRUE(plan.labels.empty());

  auto records = MinutesFromMidnight(2);
  records[1].year = 19, records[1].month = 6, records[1].day = 24, records[1].hour = 9,
  records[1].minute = 5;
  OnePerson two(records);
  plan = PlanTrendChart(TrendChartKind::Spo2, two.list, 2);
  ASSERT_EQ(plan.curves[0].size(), 1u);
  EXPECT_EQ(plan.curves[0][0], (Segment{0, MapTrendValue(TrendChartKind::Spo2, 97), 1,
                                        MapTrendValue(TrendChartKind::Spo2, 97)}));
  ASSERT_EQ(plan.labels.size(), 1u);
  EXPECT_EQ(plan.labels[0].x, 0);
  EXPECT_EQ(plan.labels[0].text, "19-6-24 9:5");  // the second record's time, year byte as stored
}

TEST(TrendPlan, HourLabelsEverySixtyColumnsFromTheRecordStartingThere) {
  OnePerson person(MinutesFromMidnight(122));
  const TrendPlan plan = PlanTrendChart(TrendChartKind::PulseRate, person.list, 122);
  ASSERT_EQ(plan.labels.size(), 3u);
  EXPECT_EQ(plan.labels[0].x, 0);
  EXPECT_EQ(plan.labels[1].x, 60);
  EXPECT_EQ(plan.labels[2].x, 120);
  EXPECT_EQ(plan.labels[1].text, HourLabelText((*person.list)[61]));  // record 62
  EXPECT_EQ(plan.labels[2].text, HourLabelText((*person.list)[121]));
  EXPECT_EQ(plan.curves[0].size(), 121u);

  OnePerson shorter(MinutesFromMidnight(121));
  EXPECT_EQ(PlanTrendChart(TrendChartKind::PulseRate, shorter.list, 121).labels.size(), 2u);
}

TEST(TrendPlan, WardRoundRecordsLeaveNoGapAndNibpHasTwoCurves) {
  auto records = MinutesFromMidnight(3);
  records.insert(records.begin() + 1, Record(RecordKind::WardRound, 9, 9, 9));
  records[3].systolic = 150;
  OnePerson person(records);
  const TrendPlan plan = PlanTrendChart(TrendChartKind::Nibp, person.list, 3);
  ASSERT_EQ(plan.curves[0].size(), 2u);
  ASSERT_EQ(plan.curves[1].size(), 2u);
  EXPECT_EQ(plan.curves[0][1], (Segment{1, 144, 2, 120}));  // systolic 120 -> 150
  EXPECT_EQ(plan.curves[1][1], (Segment{1, 176, 2, 176}));  // diastolic 80 stays
  EXPECT_EQ(plan.labels.size(), 1u);                        // labels on the systolic curve only
}

TEST(TrendPlan, FirstValueOnTheTopLineIsReplacedByTheNext) {
  auto records = MinutesFromMidnight(3);
  records[0].systolic = 300;  // maps to y 0: counts as "no point yet"
  OnePerson person(records);
  const TrendPlan plan = PlanTrendChart(TrendChartKind::Nibp, person.list, 3);
  ASSERT_EQ(plan.curves[0].size(), 1u);
  EXPECT_EQ(plan.curves[0][0], (Segment{0, 144, 1, 144}));
  EXPECT_EQ(plan.curves[1].size(), 2u);
}

TEST(TrendPlan, NoListGivesGridOnly) {
  const TrendPlan plan = PlanTrendChart(TrendChartKind::Spo2, nullptr, 0);
  EXPECT_EQ(plan.bitmapWidth, 50);
  EXPECT_EQ(plan.gridRight, 0);
  EXPECT_TRUE(plan.curves[0].empty());
}

TEST(TrendPlan, AxisLabelsAndScrollRange) {
  const auto spo2 = AxisLabels(TrendChartKind::Spo2);
  ASSERT_EQ(spo2.size(), 7u);
  EXPECT_EQ(spo2[0].text, "70%");
  EXPECT_EQ(spo2[6].offsetFromBottom, 300);
  const auto pulse = AxisLabels(TrendChartKind::PulseRate);
  ASSERT_EQ(pulse.size(), 6u);
  EXPECT_EQ(pulse[1].offsetFromBottom, 105);
  const auto nibp = AxisLabels(TrendChartKind::Nibp);
  ASSERT_EQ(nibp.size(), 16u);
  EXPECT_EQ(nibp[15].text, "300");
  EXPECT_EQ(nibp[15].offsetFromBottom, 300);

  EXPECT_EQ(TimeScrollMaximum(1000, 900), 4);  // (1000 + 100 - 900) / 60 + 1 = 4.33
  EXPECT_FALSE(TimeScrollMaximum(800, 900));
  EXPECT_EQ(TimeScrollMaximum(0, 80), 1);  // narrow charts: 0 ... 1
  EXPECT_EQ(LayoutOf(TrendChartKind::PulseRate).bitmapHeight, 300);
}

TEST(RecordOrder, SortsByTimeWithInvalidTimesLastInListOrder) {
  auto at = [](int day, int hour, int minute) {
    return Record(RecordKind::Monitoring, day, hour, minute);
  };
  std::vector<VitalRecord> records = {at(1, 10, 5), at(1, 9, 59), at(1, 10, 0)};
  VitalRecord badMonth = at(1, 0, 0);
  badMonth.month = 13;
  VitalRecord badMinute = at(1, 0, 0);
  badMinute.minute = 60;
  records.push_back(badMonth);
  records.push_back(at(1, 9, 59));  // equal time: after the first 09:59
  records.push_back(badMinute);
  std::vector<const VitalRecord*> rows;
  for (const auto& r : records) rows.push_back(&r);
  SortByRecordTime(rows);
  const std::vector<const VitalRecord*> expected = {&records[1], &records[4], &records[2],
                                                    &records[0], &records[3], &records[5]};
  EXPECT_EQ(rows, expected);

  VitalRecord february30 = at(30, 0, 0);
  february30.month = 2;
  VitalRecord march2 = at(2, 0, 0);
  march2.month = 3;
  EXPECT_EQ(RecordTimeKey(february30), RecordTimeKey(march2));  // rolls over like mktime
}

TEST(RecordOrder, IdSortKeyReadsLeadingDigits) {
  EXPECT_EQ(IdSortKey(Id("110105194912310002")), 110105194912310002LL);
  EXPECT_EQ(IdSortKey(Id("11010519491231002X")), 11010519491231002LL);
  EXPECT_EQ(IdSortKey(Id("X123")), 0);
  EXPECT_EQ(IdSortKey(Id(" -42")), -42);
  EXPECT_EQ(IdSortKey(Id("999999999999999999")), 999999999999999999LL);
}

TEST(ListRows, OverviewCountsPersonsWithMonitoringAndSumsWardRounds) {
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& a = writer.FindOrCreateRecordList(Id("A"));
    for (int i = 0; i < 120; ++i)
      writer.AppendRecord(a, Record(RecordKind::Monitoring, 1, i / 60, i % 60));
    for (int i = 0; i < 3; ++i) writer.AppendRecord(a, Record(RecordKind::WardRound, 2, i, 0));
    RecordList& b = writer.FindOrCreateRecordList(Id("B"));
    for (int i = 0; i < 5; ++i) writer.AppendRecord(b, Record(RecordKind::WardRound, 3, i, 0));
    writer.FindOrCreateRecordList(Id("C"));
  }
  auto reader = store.Read();
  const StoreOverview overview = SummariseStore(reader.entries());
  ASSERT_EQ(overview.persons.size(), 1u);
  EXPECT_EQ(overview.persons[0].key, reader.FindStoreKey(Id("A")));
  EXPECT_EQ(overview.persons[0].monitoringCount, 120u);
  EXPECT_EQ(overview.wardRoundTotal, 8u);
}

TEST(ListRows, WardRoundRowsSortByIdNumberWhateverTheStoreOrder) {
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& ten = writer.FindOrCreateRecordList(Id("110105194912310010"));
    writer.AppendRecord(ten, Record(RecordKind::WardRound, 1, 1, 0));
    writer.AppendRecord(ten, Record(RecordKind::Monitoring, 1, 2, 0));
    RecordList& two = writer.FindOrCreateRecordList(Id("110105194912310002"));
    writer.AppendRecord(two, Record(RecordKind::WardRound, 1, 3, 0, 91));
    writer.AppendRecord(two, Record(RecordKind::WardRound, 1, 2, 0, 92));
  }
  auto reader = store.Read();
  const auto rows = WardRoundRows(reader.entries());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(*rows[0].key, Id("110105194912310002"));
  EXPECT_EQ(rows[0].record->spo2, 91);  // one person's rows keep their list order
  EXPECT_EQ(rows[1].record->spo2, 92);
  EXPECT_EQ(*rows[2].key, Id("110105194912310010"));

  const auto monitoring = MonitoringRows(reader.FindRecordList(Id("110105194912310010")));
  ASSERT_EQ(monitoring.size(), 1u);
  EXPECT_EQ(monitoring[0]->hour, 2);
  EXPECT_TRUE(MonitoringRows(nullptr).empty());
}

TEST(ListRows, UnitsLabelReplacesTheFirstDollar) {
  EXPECT_EQ(UnitsLabelText(u"显示单位:   血压 mmHg        体温 $      呼末CO2 mmHg"),
            u"显示单位:   血压 mmHg        体温 \u2103      呼末CO2 mmHg");
  EXPECT_EQ(UnitsLabelText(u"a$b$"), u"a\u2103b$");
  EXPECT_EQ(UnitsLabelText(u"no unit"), u"");
}

TEST(FormLayout, FitsThePatientFormTwentyPercentNarrower) {
  const std::vector<ChildBox> form = {
      {1037, 50, 40, 1050, 200},  // group box
      {1038, 60, 50, 120, 70},    // label "姓名:"
      {1011, 125, 50, 300, 70},   // its edit
      {1042, 400, 90, 450, 110},  // label "身高:"
      {1015, 455, 90, 520, 110},  // its edit
      {1044, 525, 90, 545, 110},  // "CM"
      {1017, 60, 150, 900, 190},  // advice
      {1026, 960, 250, 1030, 270},
  };
  const auto fitted = FitFormToWidth(form, 800, 1000);
  EXPECT_EQ(fitted[0], (ChildBox{1037, 40, 40, 840, 200}));  // scaled: 80 %
  EXPECT_EQ(fitted[1], (ChildBox{1038, 48, 50, 108, 70}));   // left scaled, width kept
  EXPECT_EQ(fitted[2], (ChildBox{1011, 110, 50, 285, 70}));  // 2 px after its moved label
  EXPECT_EQ(fitted[3].left, 320);
  EXPECT_EQ(fitted[4], (ChildBox{1015, 372, 90, 437, 110}));
  EXPECT_EQ(fitted[5], (ChildBox{1044, 442, 90, 462, 110}));  // 5 px after its edit
  EXPECT_EQ(fitted[6], (ChildBox{1017, 48, 150, 720, 190}));
  EXPECT_EQ(fitted[7], (ChildBox{1026, 768, 250, 838, 270}));

  // The monitoring list's group box (1051) is only moved, not narrowed.
  const auto other = FitFormToWidth({{1051, 50, 40, 1050, 200}}, 800, 1000);
  EXPECT_EQ(other[0], (ChildBox{1051, 40, 40, 1040, 200}));

  const auto home = ScaleLeftEdges({{1005, 100, 50, 250, 180}}, 640, 1000);
  EXPECT_EQ(home[0], (ChildBox{1005, 64, 50, 214, 180}));
}

}  // namespace
}  // namespace wd
