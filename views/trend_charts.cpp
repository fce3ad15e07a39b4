#include "views/trend_charts.h"

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {
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
