// The trend charts on their own: a static control in a host window, taken over by a chart,
// given records, built and painted; pixels read back from the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include "data/patient_store.h"
#include "framework/gui_object_counter.h"
#include "tests/framework/test_host.h"
#include "tests/ui_support/message_box_watcher.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"
#include "views/trend/chart_window.h"

namespace wd {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrid = 0xD5D5D5;
constexpr COLORREF kSpo2Pen = 0xEEA800;
constexpr COLORREF kPulsePen = 0x44CB88;
constexpr COLORREF kSystolicPen = 0xC9CBCB;
constexpr COLORREF kDiastolicPen = 0x747474;

constexpr int kChartWidth = 900;
constexpr int kChartHeight = 350;

VitalRecord Minute(int index) {
  VitalRecord r{};
  r.year = 19;
  r.month = 6;
  r.day = static_cast<std::uint8_t>(1 + index / 1440);
  r.hour = static_cast<std::uint8_t>(index / 60 % 24);
  r.minute = static_cast<std::uint8_t>(index % 60);
  r.spo2 = 98;
  r.pulse = 72;
  r.systolic = 120;
  r.diastolic = 80;
  return r;
}

// One person's records in a store of its own.
struct Records {
  PatientStore store;
  const RecordList* list = nullptr;
  int monitoring = 0;

  explicit Records(int count, VitalRecord (*make)(int) = Minute) {
    auto writer = store.Write();
    RecordList& records = writer.FindOrCreateRecordList(PatientId::FromText("110105194912310021"));
    for (int i = 0; i < count; ++i) writer.AppendRecord(records, make(i));
    list = &records;
    monitoring = static_cast<int>(records.MonitoringCount());
  }
};

// A host window with one static placeholder, taken over by a chart.
template <class Chart>
struct HostedChart {
  fw_test::HostWindow host;
  Chart chart;

  HostedChart() {
    EXPECT_TRUE(host.Open(kChartWidth + 40, kChartHeight + 60, L"trend chart test"));
    const HWND placeholder =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kChartWidth, kChartHeight,
                          host.hwnd(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(chart.Attach(placeholder));
  }
  bool Build(const Records& records) {
    chart.SetData(records.list, records.monitoring);
    return chart.BuildTrendBitmap(records.store);
  }
  ui_support::WindowImage Show(int scrollOffset = 0) {
    chart.SetScrollOffset(scrollOffset);
    chart.Redraw();
    ui_support::PumpMessagesFor(20);
    auto image = ui_support::CaptureWindow(chart.hwnd());
    EXPECT_TRUE(image.has_value());
    return image ? *image : ui_support::WindowImage{};
  }
};

// Window y of a picture row: the picture's bottom sits on the client's bottom.
int WindowY(TrendChartKind kind, int pictureY) {
  return kChartHeight - LayoutOf(kind).bitmapHeight + pictureY;
}
// Window x of a picture column with the chart scrolled to `offset`.
int WindowX(int column, int offset = 0) { return 50 + column - offset; }

bool HasDarkPixel(const ui_support::WindowImage& image, const RECT& box) {
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF c = image.At(x, y);
      if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) return true;
    }
  }
  return false;
}

TEST(TrendChart, GridCurveTicksAndLabelsLandWhereThePlanSays) {
  ui_support::MessageBoxWatcher boxes;
  Records records(150);
  HostedChart<CTrendSPO2> spo2;
  ASSERT_TRUE(spo2.Build(records));
  const auto image = spo2.Show();

  // SpO2 98 maps to picture row 16; grid lines every 40 rows from the baseline at 240.
  EXPECT_EQ(image.At(WindowX(30), WindowY(TrendChartKind::Spo2, 16)), kSpo2Pen);
  EXPECT_EQ(image.At(WindowX(30), WindowY(TrendChartKind::Spo2, 40)), kGrid);
  EXPECT_EQ(image.At(WindowX(30), WindowY(TrendChartKind::Spo2, 240)), kGrid);
  EXPECT_EQ(image.At(WindowX(30), WindowY(TrendChartKind::Spo2, 60)), kWhite);
  // The grid stops at the last record's column; the 50 spare columns stay white.
  EXPECT_EQ(image.At(WindowX(149), WindowY(TrendChartKind::Spo2, 40)), kGrid);
  EXPECT_EQ(image.At(WindowX(180), WindowY(TrendChartKind::Spo2, 40)), kWhite);
  // Hour ticks under the baseline at columns 0, 60, 120, not between.
  for (int column : {0, 60, 120}) {
    EXPECT_EQ(image.At(WindowX(column), WindowY(TrendChartKind::Spo2, 246)), kGrid) << column;
  }
  EXPECT_EQ(image.At(WindowX(61), WindowY(TrendChartKind::Spo2, 246)), kWhite);
  // A label in the box under column 60; none after the last box (120 ... 180).
  const int top = WindowY(TrendChartKind::Spo2, 255);
  EXPECT_TRUE(HasDarkPixel(image, RECT{WindowX(60), top, WindowX(120), top + 30}));
  EXPECT_FALSE(HasDarkPixel(image, RECT{WindowX(181), top, WindowX(260), top + 30}));
  // The value axis in the left margin and the title at the top.
  EXPECT_TRUE(HasDarkPixel(image, RECT{0, kChartHeight - 60, 50, kChartHeight - 40}));  // "70%"
  EXPECT_TRUE(HasDarkPixel(image, RECT{kChartWidth / 2 - 10, 5, kChartWidth / 2 + 60, 35}));
  EXPECT_TRUE(boxes.Seen().empty());
}

TEST(TrendChart, ScrollOffsetShowsTheLaterColumnsOnly) {
  Records records(300);
  HostedChart<CTrendPR> pulse;
  ASSERT_TRUE(pulse.Build(records));
  const auto scrolled = pulse.Show(120);
  // Column 120's tick is now at the plot's left edge; column 60's label has left the window.
  EXPECT_EQ(scrolled.At(WindowX(120, 120), WindowY(TrendChartKind::PulseRate, 256)), kGrid);
  EXPECT_EQ(scrolled.At(WindowX(150, 120), WindowY(TrendChartKind::PulseRate, 256)), kWhite);
  // Pulse rate 72 sits on row 178.
  EXPECT_EQ(scrolled.At(WindowX(200, 120), WindowY(TrendChartKind::PulseRate, 178)), kPulsePen);
  // Nothing of the picture is copied over the value margin.
  EXPECT_EQ(scrolled.At(45, WindowY(TrendChartKind::PulseRate, 178)), kWhite);
}

VitalRecord Crossing(int index) {
  VitalRecord r = Minute(index);
  // Curves that cross and touch, values past the top, SpO2 under 70 in the label band.
  r.systolic = static_cast<std::uint16_t>(index < 3 ? 300 : 60 + (index * 37) % 260);
  r.diastolic = static_cast<std::uint16_t>(40 + (index * 53) % 200);
  if (index % 17 == 0) r.systolic = r.diastolic;
  if (index % 29 == 0) r.systolic = r.diastolic = 0;
  r.spo2 = static_cast<std::uint8_t>(60 + (index * 7) % 45);
  r.pulse = static_cast<std::uint8_t>((index * 11) % 260);
  return r;
}

template <class Chart>
void ExpectTilesMatchOneBitmap(int records) {
  Records data(records, Crossing);
  HostedChart<Chart> single;
  HostedChart<Chart> tiled;
  single.chart.SetSurfaceOptions(
      {.tileWidth = 1 << 20, .backing = TrendSurfaceOptions::Backing::Compatible});
  // Fewer tiles held than a paint needs: tiles are drawn again within one paint and between.
  tiled.chart.SetSurfaceOptions(
      {.tileWidth = 64, .tilesHeld = 3, .backing = TrendSurfaceOptions::Backing::DibSection});
  ASSERT_TRUE(single.Build(data));
  ASSERT_TRUE(tiled.Build(data));
  EXPECT_EQ(single.chart.TileCount(), 1u);
  EXPECT_GT(tiled.chart.TileCount(), 5u);
  for (int offset : {0, 60, 120, 180, 240, 0}) {
    const auto expected = single.Show(offset);
    const auto actual = tiled.Show(offset);
    ASSERT_EQ(expected.pixels.size(), actual.pixels.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < expected.pixels.size(); ++i)
      differing += expected.pixels[i] != actual.pixels[i];
    EXPECT_EQ(differing, 0u) << "offset " << offset;
  }
}

TEST(TrendChart, TiledPictureIsPixelIdenticalToOneBitmap) {
  ExpectTilesMatchOneBitmap<CTrendNIBP>(400);
  ExpectTilesMatchOneBitmap<CTrendSPO2>(400);
  ExpectTilesMatchOneBitmap<CTrendPR>(400);
}

TEST(TrendChart, ALongPictureHoldsAFewTilesAndDrawsThemAgainTheSame) {
  Records data(65536);
  HostedChart<CTrendSPO2> spo2;
  const long bitmapsBefore = fw::GuiObjectCounter::Live(fw::GuiObjectKind::Bitmap);
  ASSERT_TRUE(spo2.Build(data));
  EXPECT_EQ(spo2.chart.TileCount(), 17u);  // 65,586 columns in tiles of 4,096
  EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Bitmap) - bitmapsBefore, 4);
  const auto first = spo2.Show(0);
  EXPECT_EQ(first.At(WindowX(30), WindowY(TrendChartKind::Spo2, 16)), kSpo2Pen);
  for (int offset = 0; offset < 65536; offset += 4096 * 3)
    spo2.Show(offset);  // every tile drawn, the first ones evicted
  const auto last = spo2.Show(65536 - 800);
  EXPECT_EQ(last.At(WindowX(65535, 65536 - 800), WindowY(TrendChartKind::Spo2, 16)), kSpo2Pen);
  const auto again = spo2.Show(0);
  EXPECT_EQ(again.pixels, first.pixels);
  EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Bitmap) - bitmapsBefore, 4);
}

TEST(TrendChart, NibpDrawsBothCurvesAndTheLegend) {
  Records records(100);
  HostedChart<CTrendNIBP> nibp;
  ASSERT_TRUE(nibp.Build(records));
  const auto image = nibp.Show();
  EXPECT_EQ(image.At(WindowX(40), WindowY(TrendChartKind::Nibp, 144)), kSystolicPen);   // 120 mmHg
  EXPECT_EQ(image.At(WindowX(40), WindowY(TrendChartKind::Nibp, 176)), kDiastolicPen);  // 80 mmHg
  // Sample lines beside the two legend texts.
  EXPECT_EQ(image.At(kChartWidth / 2 + 365, 20), kSystolicPen);
  EXPECT_EQ(image.At(kChartWidth / 2 + 365, 40), kDiastolicPen);
}

TEST(TrendChart, NoListShowsTheGridOnly) {
  PatientStore empty;
  HostedChart<CTrendSPO2> spo2;
  spo2.chart.SetData(nullptr, 0);
  ASSERT_TRUE(spo2.chart.BuildTrendBitmap(empty));
  const auto image = spo2.Show();
  // No records: a 50-column white picture, zero-length grid lines, no curve anywhere.
  for (int x = 50; x < kChartWidth; x += 7) {
    for (int y = WindowY(TrendChartKind::Spo2, 0); y < kChartHeight; y += 3) {
      ASSERT_EQ(image.At(x, y), kWhite) << x << "," << y;
    }
  }
}

TEST(TrendChart, PictureThatCannotBeMadeIsReportedAndLeavesAnEmptyPlot) {
  ui_support::MessageBoxWatcher boxes;
  Records records(500);
  HostedChart<CTrendSPO2> spo2;
  TrendSurfaceOptions small;
  small.maxBytes = 1000;  // less than one picture
  spo2.chart.SetSurfaceOptions(small);
  EXPECT_FALSE(spo2.Build(records));
  ASSERT_TRUE(boxes.WaitForCount(1));
  EXPECT_EQ(boxes.Seen()[0].text, L"Create bitmap failed!");
  EXPECT_FALSE(spo2.chart.HasPicture());
  const auto image = spo2.Show();
  EXPECT_EQ(image.At(WindowX(30), WindowY(TrendChartKind::Spo2, 16)), kWhite);
  EXPECT_TRUE(
      HasDarkPixel(image, RECT{0, kChartHeight - 60, 50, kChartHeight - 40}));  // axis still drawn

  // A chart that never got its window cannot draw and says so.
  CTrendNIBP detached;
  detached.SetData(records.list, records.monitoring);
  EXPECT_FALSE(detached.BuildTrendBitmap(records.store));
  ASSERT_TRUE(boxes.WaitForCount(2));
  EXPECT_EQ(boxes.Seen()[1].text, L"GetDC Failed!");
}

}  // namespace
}  // namespace wd
