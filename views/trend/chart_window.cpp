#include "views/trend/chart_window.h"

#include <utility>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/logic/trend_tiles.h"
#include "views/text_format.h"

namespace wd {
namespace {

constexpr int kTitleFontTenths = 180;
constexpr int kLabelFontTenths = 90;
constexpr wchar_t kChartFace[] = L"Arial";

}  // namespace

void CTrendChart::SetData(const RecordList* list, int recordCount) {
  records_ = list;
  recordCount_ = recordCount;
}

bool CTrendChart::BuildTrendBitmap(const PatientStore& store) {
  TrendPlan plan;
  {
    const PatientStore::Reader reader = store.Read();
    plan = PlanTrendChart(kind_, records_, recordCount_);
  }
  fw::Font labelFont = fw::CreatePointFont(kLabelFontTenths, kChartFace);

  SurfaceError error = SurfaceError::None;
  {
    // A chart without a window must not draw on the screen's DC, which GetDC(null) would give.
    fw::WindowDc window;
    if (hwnd() != nullptr) window = fw::WindowDc(hwnd());
    if (!window) {
      ReportFailure(L"GetDC Failed!");
      return false;
    }
    error = surface_.Create(window.get(), plan.bitmapWidth, LayoutOf(kind_).bitmapHeight,
                            surfaceOptions_);
  }
  switch (error) {
    case SurfaceError::DeviceContext: ReportFailure(L"Create dc failed!"); return false;
    case SurfaceError::Bitmap: ReportFailure(L"Create bitmap failed!"); return false;
    case SurfaceError::None: break;
  }
  surface_.SetContent(std::move(plan), kind_, std::move(labelFont));
  return true;
}

void CTrendChart::ReportFailure(const wchar_t* text) const {
  const HWND owner = hwnd() != nullptr ? ::GetAncestor(hwnd(), GA_ROOT) : nullptr;
  fw::ShowMessageBox(owner, text, fw::LoadStringResource(IDS_APP_TITLE), MB_OK);
}

// Everything is painted by OnPaint: erasing first would only make the chart flicker.
bool CTrendChart::OnEraseBackground(HDC) { return true; }

// The chart is composed off screen and shown with one copy, so scrolling never shows a half
// painted chart; without memory for that it paints straight on the window.
void CTrendChart::OnPaint() {
  fw::PaintDc paint(hwnd());
  const RECT client = ClientRect();
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  fw::MemoryDc back(paint.get());
  fw::Bitmap backBitmap(::CreateCompatibleBitmap(paint.get(), width, height));
  if (!back || !backBitmap) {
    PaintChart(paint.get(), width, height);
    return;
  }
  fw::SelectionGuard selected(back.get(), backBitmap.get());
  PaintChart(back.get(), width, height);
  ::BitBlt(paint.get(), 0, 0, width, height, back.get(), 0, 0, SRCCOPY);
}

void CTrendChart::PaintChart(HDC dc, int width, int bottom) {
  const RECT client{0, 0, width, bottom};
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const TrendChartLayout& layout = LayoutOf(kind_);

  const fw::Font titleFont = fw::CreatePointFont(kTitleFontTenths, kChartFace, dc);
  {
    fw::SelectionGuard font(dc, titleFont.get());
    const std::wstring title = Widen(layout.title);
    ::TextOutW(dc, width / 2 - 10, 5, title.c_str(), static_cast<int>(title.size()));
  }
  const fw::Font axisFont = fw::CreatePointFont(layout.axisFontTenths, kChartFace, dc);
  {
    fw::SelectionGuard font(dc, axisFont.get());
    for (const AxisLabel& label : AxisLabels(kind_)) {
      const std::wstring text = Widen(label.text);
      ::TextOutW(dc, 5, bottom - label.offsetFromBottom, text.c_str(),
                 static_cast<int>(text.size()));
    }
    DrawLegend(dc, width);
  }

  const PlotPlacement plot = PlacePlot(kind_, width, bottom);
  surface_.CopySlice(dc, scrollOffset_, plot.x, plot.y, plot.width);
}

namespace {

constexpr COLORREF kSystolicColour = 0xC9CBCB;
constexpr COLORREF kDiastolicColour = 0x747474;

void DrawLegendEntry(HDC dc, int x, int y, UINT textId, COLORREF colour) {
  const std::wstring text = fw::LoadStringResource(textId);
  ::SetTextColor(dc, colour);
  ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  const fw::Pen pen = fw::CreateSolidPen(2, colour);
  fw::SelectionGuard selected(dc, pen.get());
  ::MoveToEx(dc, x + 50, y + 10, nullptr);
  ::LineTo(dc, x + 80, y + 10);
}

}  // namespace

// The two curves' names in their pens' colours, with a sample line beside each.
void CTrendNIBP::DrawLegend(HDC dc, int clientWidth) {
  const int x = clientWidth / 2 + 300;
  const COLORREF previous = ::GetTextColor(dc);
  DrawLegendEntry(dc, x, 10, IDS_COL_SYSTOLIC, kSystolicColour);
  DrawLegendEntry(dc, x, 30, IDS_COL_DIASTOLIC, kDiastolicColour);
  ::SetTextColor(dc, previous);
}

}  // namespace wd
