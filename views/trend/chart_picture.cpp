#include "views/trend/chart_picture.h"

#include <algorithm>
#include <utility>

#include "framework/gdi_objects.h"
#include "views/text_format.h"

namespace wd {
namespace {

constexpr COLORREF kGridColour = 0xD5D5D5;

// Curve pens by chart: the labelled curve first (systolic for NIBP).
std::array<COLORREF, 2> CurveColours(TrendChartKind kind) {
  switch (kind) {
    case TrendChartKind::Spo2: return {0xEEA800, 0};
    case TrendChartKind::PulseRate: return {0x44CB88, 0};
    case TrendChartKind::Nibp: return {0xC9CBCB, 0x747474};
  }
  return {0, 0};
}

// 24 bits a pixel: the picture has no alpha, and a quarter less memory matters at 65,536
// records (three pictures of 65,586 x 290 pixels).
fw::Bitmap CreateDibSection24(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader =
      BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  return fw::Bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

fw::Bitmap CreateTile(HDC reference, int width, int height, TrendSurfaceOptions::Backing backing) {
  if (backing == TrendSurfaceOptions::Backing::Compatible) {
    return fw::Bitmap(::CreateCompatibleBitmap(reference, width, height));
  }
  return CreateDibSection24(width, height);
}

}  // namespace

SurfaceError TrendSurface::Create(HDC reference, int width, int height,
                                  const TrendSurfaceOptions& options) {
  Reset();
  if (width <= 0 || height <= 0) return SurfaceError::Bitmap;
  if (static_cast<long long>(width) * height * 4 > options.maxBytes) return SurfaceError::Bitmap;
  dc_ = fw::MemoryDc(reference);
  if (!dc_) return SurfaceError::DeviceContext;

  spans_ = TileSpans(width, options.tileWidth);
  const std::size_t count =
      std::min(spans_.size(), static_cast<std::size_t>(std::max(1, options.tilesHeld)));
  const int tileWidth = spans_.front().width;  // the widest: only the last one is narrower
  held_.resize(count);
  for (HeldTile& held : held_) {
    held.bitmap = CreateTile(reference, tileWidth, height, options.backing);
    if (!held.bitmap) {
      Reset();
      return SurfaceError::Bitmap;
    }
  }
  height_ = height;
  return SurfaceError::None;
}

void TrendSurface::Reset() {
  held_.clear();
  spans_.clear();
  dc_ = fw::MemoryDc();
  height_ = 0;
  uses_ = 0;
}

void TrendSurface::SetContent(TrendPlan plan, TrendChartKind kind, fw::Font labelFont) {
  plan_ = std::move(plan);
  kind_ = kind;
  labelFont_ = std::move(labelFont);
  for (HeldTile& held : held_) {
    if (held.tile != kNoTile) DrawTile(held.tile, held.bitmap.get());
  }
}

HBITMAP TrendSurface::Hold(std::size_t tile) {
  HeldTile* chosen = &held_.front();
  for (HeldTile& held : held_) {
    if (held.tile == tile) {
      chosen = &held;
      break;
    }
    if (held.lastUse < chosen->lastUse) chosen = &held;
  }
  chosen->lastUse = ++uses_;
  if (chosen->tile != tile) {
    chosen->tile = tile;
    DrawTile(tile, chosen->bitmap.get());
  }
  return chosen->bitmap.get();
}

// Draws, in the plan's order, everything that can reach the tile, in picture coordinates
// shifted by the tile's left edge; GDI clips the rest.
void TrendSurface::DrawTile(std::size_t index, HBITMAP into) {
  const HDC dc = dc_.get();
  const TrendPlan& plan = plan_;
  const TrendChartKind kind = kind_;
  const int left = spans_[index].left;
  const TrendChartLayout& layout = LayoutOf(kind);
  fw::SelectionGuard bitmap(dc, into);
  const RECT all{0, 0, spans_[index].width, height_};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

  const fw::Pen gridPen = fw::CreateSolidPen(1, kGridColour);
  const std::array<COLORREF, 2> colours = CurveColours(kind);
  const std::array<fw::Pen, 2> curvePens = {fw::CreateSolidPen(2, colours[0]),
                                            fw::CreateSolidPen(2, colours[1])};
  fw::SelectionGuard pen(dc, gridPen.get());
  for (int y : layout.gridYs) {
    ::MoveToEx(dc, -left, y, nullptr);
    ::LineTo(dc, plan.gridRight - left, y);
  }

  fw::SelectionGuard font(dc, labelFont_.get());
  const RecordRange records = RecordsReaching(plan, left, left + spans_[index].width);
  for (int record = records.begin; record < records.end; ++record) {
    for (int c = 0; c < layout.curveCount; ++c) {
      const auto& curve = plan.curves[static_cast<std::size_t>(c)];
      const int i = record - plan.firstRecord[static_cast<std::size_t>(c)];
      if (i < 0 || i >= static_cast<int>(curve.size())) continue;
      const Segment& segment = curve[static_cast<std::size_t>(i)];
      const int x = segment.x0 - left;
      const std::size_t label = static_cast<std::size_t>(segment.x0 / 60);
      if (c == 0 && segment.x0 % 60 == 0 && label < plan.labels.size()) {
        RECT box{x, layout.labelTop, x + 60, layout.labelBottom};
        // Date over time, whatever the face's width: the word break alone keeps a short
        // date ("19-6-1 0:1") on one line that runs into the next label.
        std::wstring text = Widen(plan.labels[label].text);
        std::replace(text.begin(), text.end(), L' ', L'\n');
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK);
        ::SelectObject(dc, gridPen.get());
        ::MoveToEx(dc, x, layout.baseline, nullptr);
        ::LineTo(dc, x, layout.tickBottom);
      }
      ::SelectObject(dc, curvePens[static_cast<std::size_t>(c)].get());
      ::MoveToEx(dc, x, segment.y0, nullptr);
      ::LineTo(dc, segment.x1 - left, segment.y1);
    }
  }
}

void TrendSurface::CopySlice(HDC target, int scrollOffset, int destX, int destY, int width) {
  if (held_.empty()) return;
  for (const SliceCopy& copy : SliceCopies(spans_, scrollOffset, destX, width)) {
    const HBITMAP tile = Hold(copy.tile);
    fw::SelectionGuard selected(dc_.get(), tile);
    ::BitBlt(target, copy.destX, destY, copy.width, height_, dc_.get(), copy.sourceX, 0, SRCCOPY);
  }
}

}  // namespace wd
