#include "views/report/report_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/handles.h"

namespace wd {
namespace {

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kReportLabelText = RGB(70, 70, 70);
constexpr COLORREF kNoticeText = RGB(170, 20, 20);
constexpr COLORREF kFrame = RGB(120, 120, 120);
constexpr COLORREF kGrid = RGB(215, 215, 215);
constexpr COLORREF kRule = RGB(200, 200, 200);
constexpr COLORREF kReference = RGB(200, 30, 30);

COLORREF CurveColour(Measurement measurement) {
  switch (measurement) {
    case Measurement::Spo2: return RGB(20, 80, 200);
    case Measurement::Pulse: return RGB(20, 140, 60);
    case Measurement::Systolic: return RGB(200, 40, 40);
    case Measurement::Diastolic: return RGB(230, 140, 20);
  }
  return kText;
}

UINT AlignFlag(Align align) {
  switch (align) {
    case Align::Centre: return DT_CENTER;
    case Align::Right: return DT_RIGHT;
    default: return DT_LEFT;
  }
}

void DrawText(HDC dc, const ReportFonts& fonts, TextRole role, const std::u16string& text, RECT box,
              UINT flags, COLORREF colour) {
  if (text.empty()) return;
  const fw::SelectionGuard font(dc, fonts.Of(role));
  ::SetTextColor(dc, colour);
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
              &box, flags | DT_NOPREFIX);
}

void DrawTextBlock(HDC dc, const ReportFonts& fonts, const PageTransform& t,
                   const TextBlock& block) {
  const COLORREF colour = block.role == TextRole::Notice ? kNoticeText : kText;
  DrawText(dc, fonts, block.role, block.text, t.Of(block.box),
           AlignFlag(block.align) | DT_SINGLELINE | DT_VCENTER, colour);
}

constexpr double kCurveWidth = 2.5;  // tenths of a millimetre

// A line a given number of tenths of a millimetre wide is this many device units, at least one.
int PenWidth(const PageTransform& t, double widthTenths) {
  return std::max(1, static_cast<int>(std::lround(widthTenths * t.unitsPerTenthX)));
}

fw::Pen PenOf(const PageTransform& t, double widthTenths, COLORREF colour, int style = PS_SOLID) {
  const int width = PenWidth(t, widthTenths);
  if (style == PS_SOLID) return fw::CreateSolidPen(width, colour);
  LOGBRUSH brush{BS_SOLID, colour, 0};
  return fw::Pen(::ExtCreatePen(PS_GEOMETRIC | style | PS_ENDCAP_FLAT, static_cast<DWORD>(width),
                                &brush, 0, nullptr));
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
}

void DrawTable(HDC dc, const ReportFonts& fonts, const PageTransform& t, const TableBlock& table) {
  const fw::Pen rule = PenOf(t, 1.0, kRule);
  for (const PlacedRow& row : table.rows) {
    const RECT label = t.Of(row.labelBox);
    const RECT value = t.Of(row.valueBox);
    DrawText(dc, fonts, TextRole::Body, row.row.label, label, DT_LEFT | DT_SINGLELINE | DT_VCENTER,
             kReportLabelText);
    const UINT wrap = row.row.lines > 1 ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    DrawText(dc, fonts, TextRole::Body, row.row.value, value, DT_LEFT | wrap, kText);
    const fw::SelectionGuard pen(dc, rule.get());
    Line(dc, label.left, value.bottom, value.right, value.bottom);
  }
}

// The curve of one measurement: in each column of the plot, as wide as the pen, a vertical
// stroke from the lowest to the highest value, joined to the column before where the records run
// on. Narrower columns would only draw over each other (and cost a printer's driver dearly).
void DrawCurve(HDC dc, const ReportPlan& plan, const ChartBlock& chart, Measurement series,
               const PageTransform& t) {
  const RECT plot = t.Of(chart.plot);
  const fw::Pen pen = PenOf(t, kCurveWidth, CurveColour(series));
  const int stride = PenWidth(t, kCurveWidth);
  const int columns = (plot.right - plot.left) / stride;
  if (columns <= 0) return;
  const std::vector<ChartColumn> plotColumns = CurveColumns(plan, chart, series, columns);
  const auto y = [&](int value) { return t.Y(ValueY(value, chart.scale, chart.plot)); };
  std::vector<POINT> points;
  std::vector<DWORD> counts;
  points.reserve(plotColumns.size() * 4);
  counts.reserve(plotColumns.size() * 2);
  for (std::size_t c = 0; c < plotColumns.size(); ++c) {
    const ChartColumn& column = plotColumns[c];
    if (column.empty) continue;
    const int x = plot.left + static_cast<int>(c) * stride;
    if (column.joinsPrevious && c > 0) {
      points.push_back({x - stride, y(plotColumns[c - 1].last)});
      points.push_back({x, y(column.first)});
      counts.push_back(2);
    }
    // At least one device unit long, so a single value still shows.
    const int top = y(column.max);
    const int bottom = std::max(y(column.min), top + 1);
    points.push_back({x, top});
    points.push_back({x, bottom});
    counts.push_back(2);
  }
  if (counts.empty()) return;
  const fw::SelectionGuard selected(dc, pen.get());
  ::PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

void DrawChart(HDC dc, const ReportFonts& fonts, const ReportPlan& plan, const ChartBlock& chart,
               const PageTransform& t) {
  DrawTextBlock(dc, fonts, t, chart.title);
  const RECT plot = t.Of(chart.plot);
  {
    const fw::Pen grid = PenOf(t, 1.0, kGrid);
    const fw::SelectionGuard pen(dc, grid.get());
    for (const GridLine& line : chart.grid) {
      const int y = t.Y(line.y);
      Line(dc, plot.left, y, plot.right, y);
      const RECT label{t.X(chart.frame.left), y - t.Height(30), plot.left - t.Height(15),
                       y + t.Height(30)};
      DrawText(dc, fonts, TextRole::Small, line.label, label, DT_RIGHT | DT_SINGLELINE | DT_VCENTER,
               kReportLabelText);
    }
  }
  if (chart.referenceY) {
    const fw::Pen reference = PenOf(t, 2.0, kReference, PS_DASH);
    const fw::SelectionGuard pen(dc, reference.get());
    const int y = t.Y(*chart.referenceY);
    Line(dc, plot.left, y, plot.right, y);
  }
  {
    const fw::Pen frame = PenOf(t, 1.5, kFrame);
    const fw::SelectionGuard pen(dc, frame.get());
    const fw::SelectionGuard hollow(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    const int tickLength = std::max(2, t.Height(kTimeTickLength));
    for (const TimeTick& tick : chart.ticks) {
      const int x = t.X(tick.x);
      Line(dc, x, plot.bottom, x, plot.bottom + tickLength);
      if (!tick.label.empty()) {
        DrawText(dc, fonts, TextRole::Small, tick.label, t.Of(tick.labelBox),
                 DT_CENTER | DT_SINGLELINE | DT_TOP, kReportLabelText);
      }
    }
  }
  for (Measurement series : chart.series) DrawCurve(dc, plan, chart, series, t);
  for (const LegendEntry& entry : chart.legend) {
    const RECT box = t.Of(entry.box);
    const int sample = (box.bottom - box.top) * 2;
    {
      const fw::Pen pen = PenOf(t, 2.5, CurveColour(entry.series));
      const fw::SelectionGuard selected(dc, pen.get());
      const int y = (box.top + box.bottom) / 2;
      Line(dc, box.left, y, box.left + sample, y);
    }
    RECT text = box;
    text.left += sample + sample / 4;
    DrawText(dc, fonts, TextRole::Small, entry.text, text, DT_LEFT | DT_SINGLELINE | DT_VCENTER,
             kText);
  }
}

}  // namespace

int PageTransform::X(int tenths) const {
  return origin.x + static_cast<int>(std::lround(tenths * unitsPerTenthX));
}
int PageTransform::Y(int tenths) const {
  return origin.y + static_cast<int>(std::lround(tenths * unitsPerTenthY));
}
RECT PageTransform::Of(const Rect& rect) const {
  return RECT{X(rect.left), Y(rect.top), X(rect.right), Y(rect.bottom)};
}
int PageTransform::Height(int tenths) const {
  return static_cast<int>(std::lround(tenths * unitsPerTenthY));
}

ReportFonts::ReportFonts(const PageTransform& transform, const wchar_t* face) {
  for (TextRole role : {TextRole::Title, TextRole::Heading, TextRole::Body, TextRole::Small,
                        TextRole::Notice, TextRole::Footer}) {
    const TextStyle style = StyleOf(role);
    const int height =
        std::max(1, static_cast<int>(std::lround(style.fontHeight * transform.unitsPerTenthY)));
    fonts_[static_cast<std::size_t>(role)] = fw::Font(::CreateFontW(
        height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
  }
}

void PaintReportPage(HDC dc, const ReportPlan& plan, std::size_t page,
                     const PageTransform& transform, const ReportFonts& fonts) {
  if (page >= plan.pages.size()) return;
  const ReportPage& content = plan.pages[page];
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::GetTextColor(dc);
  for (const TextBlock& block : content.texts) DrawTextBlock(dc, fonts, transform, block);
  for (const TableBlock& table : content.tables) DrawTable(dc, fonts, transform, table);
  for (const ChartBlock& chart : content.charts) DrawChart(dc, fonts, plan, chart, transform);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

const wchar_t* ReportFontFace(bool chinese) { return chinese ? L"SimSun" : L"Arial"; }

}  // namespace wd
