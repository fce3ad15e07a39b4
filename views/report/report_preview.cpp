#include "views/report/report_preview.h"

#include <algorithm>

#include "framework/device_context.h"
#include "views/report/report_painter.h"

namespace wd {
namespace {

constexpr COLORREF kDesk = RGB(128, 128, 128);
constexpr COLORREF kShadow = RGB(80, 80, 80);
constexpr int kMargin = 12;
constexpr int kShadowOffset = 4;

}  // namespace

void ReportPreview::Show(const ReportPlan* plan, std::size_t page, const wchar_t* fontFace) {
  plan_ = plan;
  page_ = page;
  fontFace_ = fontFace;
  Invalidate(false);
}

RECT ReportPreview::PageRect() const {
  if (plan_ == nullptr || plan_->pages.empty() || plan_->paper.width <= 0 ||
      plan_->paper.height <= 0)
    return {};
  const RECT client = ClientRect();
  const double roomX = std::max(0L, client.right - 2 * kMargin - kShadowOffset);
  const double roomY = std::max(0L, client.bottom - 2 * kMargin - kShadowOffset);
  const double scale = std::min(roomX / plan_->paper.width, roomY / plan_->paper.height);
  const int width = static_cast<int>(plan_->paper.width * scale);
  const int height = static_cast<int>(plan_->paper.height * scale);
  const int left = (client.right - width) / 2;
  const int top = kMargin;
  return RECT{left, top, left + width, top + height};
}

bool ReportPreview::OnEraseBackground(HDC) { return true; }  // painted whole, off screen

void ReportPreview::OnSize(UINT type, int width, int height) {
  fw::Window::OnSize(type, width, height);
  Invalidate(false);
}

void ReportPreview::OnPaint() {
  fw::PaintDc paint(hwnd());
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  // Composed off screen and copied once, so the page never flickers while it is drawn.
  const fw::MemoryDc memory(paint.get());
  const fw::Bitmap picture(::CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
  if (!memory || !picture) return;
  const fw::SelectionGuard selected(memory.get(), picture.get());
  const fw::Brush desk = fw::CreateSolidBrush(kDesk);
  ::FillRect(memory.get(), &client, desk.get());
  const RECT page = PageRect();
  if (page.right > page.left) {
    const fw::Brush shadow = fw::CreateSolidBrush(kShadow);
    RECT dropped = page;
    ::OffsetRect(&dropped, kShadowOffset, kShadowOffset);
    ::FillRect(memory.get(), &dropped, shadow.get());
    ::FillRect(memory.get(), &page, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const double scale = static_cast<double>(page.right - page.left) / plan_->paper.width;
    const PageTransform transform{scale, scale, POINT{page.left, page.top}};
    PaintReportPage(memory.get(), *plan_, page_, transform, ReportFonts(transform, fontFace_));
  }
  ::BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace wd
