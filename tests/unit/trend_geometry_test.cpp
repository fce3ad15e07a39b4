// The trend charts' tiles, slice copies and record walk, and the trend view's time bar.
#include <gtest/gtest.h>

#include "data/patient_store.h"
#include "tests/unit/test_support.h"
#include "views/logic/record_order.h"
#include "views/logic/trend_plan.h"
#include "views/logic/trend_tiles.h"
#include "views/logic/trend_view_layout.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

// Files the records under one person of `store`, as they stand; returns that person's list.
const RecordList* FileRecords(PatientStore& store, const std::vector<VitalRecord>& records) {
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(Id("110105194912310021"));
  for (const VitalRecord& r : records) writer.AppendRecord(list, r);
  return &list;
}

std::vector<VitalRecord> Minutes(int count) {
  std::vector<VitalRecord> records;
  for (int i = 0; i < count; ++i) {
    records.push_back(Record(RecordKind::Monitoring, 1 + i / 1440, i / 60 % 24, i % 60));
  }
  return records;
}

TEST(TrendTiles, PictureOfSixtyFiveThousandRecordsIsCutIntoTiles) {
  const auto tiles = TileSpans(65536 + 50, kTrendTileWidth);
  ASSERT_EQ(tiles.size(), 17u);
  EXPECT_EQ(tiles[16], (ColumnSpan{65536, 50}));
  int covered = 0;
  for (const ColumnSpan& tile : tiles) {
    EXPECT_EQ(tile.left, covered);  // no gap, no overlap
    covered += tile.width;
  }
  EXPECT_EQ(covered, 65586);

  EXPECT_EQ(TileSpans(50, kTrendTileWidth), (std::vector<ColumnSpan>{{0, 50}}));  // no records
  EXPECT_TRUE(TileSpans(0, kTrendTileWidth).empty());
}

TEST(TrendTiles, SliceIsCutAtSeamsAndStopsAtThePictureEnd) {
  const auto tiles = TileSpans(10'050, 4096);
  // Inside one tile: one copy.
  EXPECT_EQ(SliceCopies(tiles, 120, 50, 850), (std::vector<SliceCopy>{{0, 120, 50, 850}}));
  // Across the seam at 4096: two copies that meet on the window.
  EXPECT_EQ(SliceCopies(tiles, 3840, 50, 850),
            (std::vector<SliceCopy>{{0, 3840, 50, 256}, {1, 0, 306, 594}}));
  // Past the end: only the picture's last columns are copied.
  EXPECT_EQ(SliceCopies(tiles, 9900, 50, 850), (std::vector<SliceCopy>{{2, 9900 - 8192, 50, 150}}));
  EXPECT_TRUE(SliceCopies(tiles, 10'050, 50, 850).empty());
  // A window wider than a tile takes three.
  EXPECT_EQ(SliceCopies(tiles, 4000, 50, 5000).size(), 3u);
  // Nothing to copy into a window narrower than the value margin.
  EXPECT_TRUE(SliceCopies(tiles, 0, 50, -10).empty());
  // One tile as wide as the picture gives the single copy of an unsplit bitmap.
  const auto whole = TileSpans(10'050, 10'050);
  EXPECT_EQ(SliceCopies(whole, 3840, 50, 850), (std::vector<SliceCopy>{{0, 3840, 50, 850}}));
}

TEST(TrendTiles, PlotSitsOnTheClientBottomFiftyPixelsIn) {
  EXPECT_EQ(PlacePlot(TrendChartKind::Spo2, 900, 350), (PlotPlacement{50, 60, 850, 290}));
  EXPECT_EQ(PlacePlot(TrendChartKind::PulseRate, 900, 350), (PlotPlacement{50, 50, 850, 300}));
  EXPECT_EQ(PlacePlot(TrendChartKind::Nibp, 900, 350), (PlotPlacement{50, 60, 850, 290}));
  // The baseline lands 50 pixels above the bottom, level with the axis label of the lowest value.
  const PlotPlacement spo2 = PlacePlot(TrendChartKind::Spo2, 900, 350);
  EXPECT_EQ(spo2.y + LayoutOf(TrendChartKind::Spo2).baseline, 350 - 50);
}

TEST(TrendTiles, RecordsReachingATileIncludeEveryPieceThatTouchesIt) {
  auto records = Minutes(500);
  // Systolic starts three records late (300 maps to the top line and counts as no point yet),
  // so the two NIBP curves are shifted against each other.
  records[0].systolic = records[1].systolic = records[2].systolic = 300;
  PatientStore store;
  const TrendPlan plan = PlanTrendChart(TrendChartKind::Nibp, FileRecords(store, records), 500);
  EXPECT_EQ(plan.firstRecord[0], 4);  // record 3 fixes the start, record 4 draws
  EXPECT_EQ(plan.firstRecord[1], 1);

  for (int left = 0; left < plan.bitmapWidth; left += 37) {
    const int right = left + 64;
    const RecordRange range = RecordsReaching(plan, left, right);
    for (std::size_t c = 0; c < 2; ++c) {
      for (std::size_t i = 0; i < plan.curves[c].size(); ++i) {
        const Segment& s = plan.curves[c][i];
        // Pen ends reach 2 pixels; a label box starts at a segment and is 60 wide.
        const bool labelled = c == 0 && s.x0 % 60 == 0;
        const int reachRight = s.x1 + 2;
        const int reachLeft = s.x0 - 2;
        const int boxRight = labelled ? s.x0 + 60 : reachRight;
        if (reachLeft >= right || std::max(reachRight, boxRight) <= left) continue;
        const int record = plan.firstRecord[c] + static_cast<int>(i);
        EXPECT_GE(record, range.begin) << "tile " << left << " curve " << c << " segment " << i;
        EXPECT_LT(record, range.end) << "tile " << left << " curve " << c << " segment " << i;
      }
    }
  }
  // A tile beyond every segment draws no record.
  const RecordRange none = RecordsReaching(plan, 1000, 2000);
  EXPECT_EQ(none.begin, none.end);
}

TEST(TrendPlan, ChartsOnlyTheRecordsCountedEvenIfTheListGrewSince) {
  PatientStore store;
  const TrendPlan plan = PlanTrendChart(TrendChartKind::Spo2, FileRecords(store, Minutes(10)), 6);
  EXPECT_EQ(plan.recordCount, 6);
  EXPECT_EQ(plan.curves[0].size(), 5u);
  EXPECT_EQ(plan.bitmapWidth, 56);
  // Every segment lies inside the grid, so no point falls beyond the picture's data columns.
  for (const Segment& s : plan.curves[0]) EXPECT_LE(s.x1, plan.gridRight);
}

TEST(TrendView, ChartsAndTimeBarStackUnderTheForm) {
  const TrendViewLayout layout = LayOutTrendView(420, 940);
  EXPECT_EQ(layout.spo2, (ViewBox{20, 420, 900, 350}));
  EXPECT_EQ(layout.pulseRate, (ViewBox{20, 800, 900, 350}));
  EXPECT_EQ(layout.nibp, (ViewBox{20, 1180, 900, 350}));
  EXPECT_EQ(layout.timeBar, (ViewBox{20, 1535, 900, 15}));
  EXPECT_EQ(layout.scrollHeight, 1560);
}

TEST(TrendView, TimeBarStepsAnHourAndIgnoresThumbDragging) {
  const int maximum = *TimeScrollMaximum(1000, 900);
  ASSERT_EQ(maximum, 4);
  EXPECT_EQ(TimeScrollTarget(kTimeLineRight, 0, maximum, 0), 1);
  EXPECT_EQ(TimeScrollTarget(kTimePageRight, 4, maximum, 0), 4);
  EXPECT_EQ(TimeScrollTarget(kTimeLineLeft, 0, maximum, 0), 0);
  EXPECT_EQ(TimeScrollTarget(kTimePageLeft, 3, maximum, 0), 2);
  EXPECT_EQ(TimeScrollTarget(kTimeThumbTrack, 1, maximum, 3), 1);
  EXPECT_EQ(TimeScrollTarget(kTimeThumbPosition, 1, maximum, 3), 3);
  EXPECT_EQ(TimeScrollTarget(8 /* SB_ENDSCROLL */, 2, maximum, 0), 2);
  EXPECT_EQ(TimeScrollTarget(7 /* SB_BOTTOM */, 2, maximum, 0), 2);
}

TEST(TrendView, LastScrollPositionShowsTheLastRecord) {
  for (int chartWidth : {300, 860, 900, 1240}) {
    for (int records = 0; records < 5000; records += 7) {
      const auto maximum = TimeScrollMaximum(records, chartWidth);
      const int visible = chartWidth - 50;  // the value margin takes 50 columns
      if (!maximum) {
        EXPECT_GE(visible + 50, records + 50) << records << " records at " << chartWidth;
        continue;
      }
      // The last record's column (N - 1) is on screen at the last position.
      EXPECT_GT(*maximum * kColumnsPerTimeStep + visible, records - 1)
          << records << " records at " << chartWidth;
      // Scrolling never starts beyond the picture.
      EXPECT_LT(*maximum * kColumnsPerTimeStep, records + 50)
          << records << " records at " << chartWidth;
    }
  }
}

TEST(TrendView, SpanIsTheEarliestAndLatestMonitoringRecordByTime) {
  EXPECT_EQ(SpanOfMonitoring(nullptr).count, 0);

  PatientStore wardRoundOnly;
  const MonitoringSpan none =
      SpanOfMonitoring(FileRecords(wardRoundOnly, {Record(RecordKind::WardRound, 1, 8, 0),
                                                   Record(RecordKind::WardRound, 1, 9, 0)}));
  EXPECT_EQ(none.count, 0);
  EXPECT_EQ(none.first, nullptr);

  // Imported out of order: the span is by time, as the monitoring list sorts its rows.
  PatientStore store;
  const RecordList* mixed = FileRecords(
      store, {Record(RecordKind::WardRound, 1, 7, 0), Record(RecordKind::Monitoring, 1, 10, 5),
              Record(RecordKind::Monitoring, 1, 9, 59), Record(RecordKind::Monitoring, 1, 10, 0),
              Record(RecordKind::WardRound, 1, 11, 0)});
  const MonitoringSpan span = SpanOfMonitoring(mixed);
  EXPECT_EQ(span.count, 3);
  EXPECT_EQ(span.first, &(*mixed)[2]);  // 09:59
  EXPECT_EQ(span.last, &(*mixed)[1]);   // 10:05
}

TEST(TrendView, SpanAgreesWithTheSortedRowsAndSkipsRecordsWithoutATime) {
  PatientStore store;
  VitalRecord noTime = Record(RecordKind::Monitoring, 1, 10, 0);
  noTime.month = 13;
  // Two records at 10:05: the earliest taken starts a tie, the latest taken ends it.
  const RecordList* list = FileRecords(
      store,
      {Record(RecordKind::Monitoring, 1, 10, 5), noTime, Record(RecordKind::Monitoring, 1, 8, 30),
       Record(RecordKind::Monitoring, 1, 10, 5), Record(RecordKind::Monitoring, 1, 8, 30)});
  const MonitoringSpan span = SpanOfMonitoring(list);
  EXPECT_EQ(span.count, 5);
  EXPECT_EQ(span.first, &(*list)[2]);
  EXPECT_EQ(span.last, &(*list)[3]);

  std::vector<const VitalRecord*> sorted;
  for (const VitalRecord& record : *list) sorted.push_back(&record);
  SortByRecordTime(sorted);
  EXPECT_EQ(sorted.front(), span.first);
  EXPECT_EQ(sorted[3], span.last) << "the last record with a time, before the one without";

  PatientStore timeless;
  VitalRecord other = noTime;
  other.hour = 30;
  const RecordList* none = FileRecords(timeless, {noTime, other});
  EXPECT_EQ(SpanOfMonitoring(none).first, &(*none)[0]);
  EXPECT_EQ(SpanOfMonitoring(none).last, &(*none)[1]);
}

}  // namespace
}  // namespace wd
