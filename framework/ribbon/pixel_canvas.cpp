#include "framework/ribbon/pixel_canvas.h"

#include <algorithm>
#include <cmath>

#include "framework/ribbon/icon_image.h"

namespace fw {
namespace {

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

// Signed distance from a point to a rounded box (negative inside).
float RoundBoxDistance(float x, float y, float left, float top, float right, float bottom,
                       float radius) {
  const float qx = std::fabs(x - (left + right) / 2) - (right - left) / 2 + radius;
  const float qy = std::fabs(y - (top + bottom) / 2) - (bottom - top) / 2 + radius;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Close enough to the distance to an ellipse for a one-pixel edge ramp; exact for circles.
float EllipseDistance(float x, float y, float left, float top, float right, float bottom) {
  const float a = (right - left) / 2;
  const float b = (bottom - top) / 2;
  if (a <= 0 || b <= 0) return 1.0f;
  const float px = x - (left + right) / 2;
  const float py = y - (top + bottom) / 2;
  if (a == b) return std::hypot(px, py) - a;
  const float k0 = std::hypot(px / a, py / b);
  const float k1 = std::hypot(px / (a * a), py / (b * b));
  return k1 > 0 ? k0 * (k0 - 1.0f) / k1 : -std::min(a, b);
}

float SegmentDistance(float x, float y, const float* s, float halfWidth) {
  const float dx = s[2] - s[0], dy = s[3] - s[1];
  const float length2 = dx * dx + dy * dy;
  const float h = length2 > 0 ? Clamp01(((x - s[0]) * dx + (y - s[1]) * dy) / length2) : 0.0f;
  return std::hypot(x - s[0] - dx * h, y - s[1] - dy * h) - halfWidth;
}

std::uint32_t Blend(std::uint32_t under, COLORREF colour, float alpha) {
  const auto mix = [alpha](std::uint32_t below, std::uint32_t above) {
    const auto from = static_cast<float>(below);
    return static_cast<std::uint32_t>(
        std::lround(from + (static_cast<float>(above) - from) * alpha));
  };
  const std::uint32_t r = mix((under >> 16) & 0xFF, GetRValue(colour));
  const std::uint32_t g = mix((under >> 8) & 0xFF, GetGValue(colour));
  const std::uint32_t b = mix(under & 0xFF, GetBValue(colour));
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

COLORREF MixColours(COLORREF from, COLORREF to, float t) {
  t = Clamp01(t);
  const auto mix = [t](int a, int b) {
    return static_cast<BYTE>(std::lround(static_cast<float>(a) + static_cast<float>(b - a) * t));
  };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

COLORREF Gradient::At(float t) const {
  t = Clamp01(t);
  if (split >= 1.0f || t < split)
    return MixColours(top, upper, split > 0 ? t / std::min(split, 1.0f) : 1.0f);
  return MixColours(lower, bottom, (t - split) / (1.0f - split));
}

PixelCanvas::~PixelCanvas() { Release(); }

void PixelCanvas::Release() noexcept {
  if (previous_ != nullptr && dc_) ::SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  dib_ = DibSection{};
}

bool PixelCanvas::Resize(int width, int height, HDC reference) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (dib_.bitmap && dib_.width == width && dib_.height == height) return true;
  Release();
  if (!dc_) dc_ = MemoryDc(reference);
  Unclip();
  if (!dc_) return false;
  dib_ = CreateDibSection32(width, height);
  if (!dib_.bitmap) return false;
  previous_ = ::SelectObject(dc_.get(), dib_.bitmap.get());
  return true;
}

void PixelCanvas::ClipTo(const RECT& area) {
  clip_ = area;
  if (!dc_) return;
  ::SelectClipRgn(dc_.get(), nullptr);
  ::IntersectClipRect(dc_.get(), area.left, area.top, area.right, area.bottom);
}

void PixelCanvas::Unclip() {
  clip_.reset();
  if (dc_) ::SelectClipRgn(dc_.get(), nullptr);
}

RECT PixelCanvas::Writable(const RECT& rect) const noexcept {
  RECT area{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
            std::min<LONG>(rect.right, dib_.width), std::min<LONG>(rect.bottom, dib_.height)};
  if (clip_) {
    area.left = std::max(area.left, clip_->left);
    area.top = std::max(area.top, clip_->top);
    area.right = std::min(area.right, clip_->right);
    area.bottom = std::min(area.bottom, clip_->bottom);
  }
  return area;
}

std::uint32_t* PixelCanvas::Row(int y) const noexcept {
  return static_cast<std::uint32_t*>(dib_.bits) + static_cast<std::size_t>(y) * dib_.width;
}

void PixelCanvas::FillRect(const RECT& rect, const Gradient& fill) {
  if (!dib_.bitmap) return;
  ::GdiFlush();  // GDI text drawn before must land first
  const RECT area = Writable(rect);
  const int left = area.left, right = area.right, top = area.top, bottom = area.bottom;
  const float span = static_cast<float>(std::max<LONG>(rect.bottom - rect.top, 1));
  for (int y = top; y < bottom; ++y) {
    const COLORREF colour = fill.At((static_cast<float>(y - rect.top) + 0.5f) / span);
    const std::uint32_t pixel =
        0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::fill(Row(y) + left, Row(y) + std::max(left, right), pixel);
  }
}

void PixelCanvas::FillRoundRect(const RECT& rect, float radius, const Gradient& fill,
                                float opacity) {
  Paint(rect, Shape::RoundRect, radius, 0, fill, opacity);
}

void PixelCanvas::StrokeRoundRect(const RECT& rect, float radius, COLORREF colour, float opacity) {
  Paint(rect, Shape::RoundRect, radius, 1.0f, Gradient::Solid(colour), opacity);
}

void PixelCanvas::FillEllipse(const RECT& rect, const Gradient& fill, float opacity) {
  Paint(rect, Shape::Ellipse, 0, 0, fill, opacity);
}

void PixelCanvas::StrokeEllipse(const RECT& rect, float width, COLORREF colour, float opacity) {
  Paint(rect, Shape::Ellipse, 0, width, Gradient::Solid(colour), opacity);
}

void PixelCanvas::StrokeLine(float x0, float y0, float x1, float y1, float width, COLORREF colour,
                             float opacity) {
  const float segment[4] = {x0, y0, x1, y1};
  const float reach = width / 2 + 1;
  const RECT bounds{static_cast<LONG>(std::floor(std::min(x0, x1) - reach)),
                    static_cast<LONG>(std::floor(std::min(y0, y1) - reach)),
                    static_cast<LONG>(std::ceil(std::max(x0, x1) + reach)),
                    static_cast<LONG>(std::ceil(std::max(y0, y1) + reach))};
  Paint(bounds, Shape::Segment, width / 2, 0, Gradient::Solid(colour), opacity, segment);
}

void PixelCanvas::Paint(const RECT& rect, Shape shape, float radius, float ringWidth,
                        const Gradient& fill, float opacity, const float* segment) {
  if (!dib_.bitmap || rect.right <= rect.left || rect.bottom <= rect.top) return;
  ::GdiFlush();
  const float l = static_cast<float>(rect.left), t = static_cast<float>(rect.top);
  const float r = static_cast<float>(rect.right), b = static_cast<float>(rect.bottom);
  if (shape == Shape::RoundRect) radius = std::clamp(radius, 0.0f, std::min(r - l, b - t) / 2);
  const auto distance = [&](float x, float y) {
    switch (shape) {
      case Shape::RoundRect: return RoundBoxDistance(x, y, l, t, r, b, radius);
      case Shape::Ellipse: return EllipseDistance(x, y, l, t, r, b);
      case Shape::Segment: return SegmentDistance(x, y, segment, radius);
    }
    return 1.0f;
  };
  const RECT area = Writable(rect);
  const int left = area.left, right = area.right, top = area.top, bottom = area.bottom;
  for (int y = top; y < bottom; ++y) {
    const float cy = static_cast<float>(y) + 0.5f;
    const COLORREF colour = fill.At((cy - t) / (b - t));
    std::uint32_t* row = Row(y);
    for (int x = left; x < right; ++x) {
      const float d = distance(static_cast<float>(x) + 0.5f, cy);
      float coverage = Clamp01(0.5f - d);
      if (ringWidth > 0) coverage -= Clamp01(0.5f - (d + ringWidth));
      const float alpha = coverage * opacity;
      if (alpha > 0.002f) row[x] = Blend(row[x], colour, std::min(alpha, 1.0f));
    }
  }
}

void PixelCanvas::DrawImage(const IconImage& image, int x, int y, float opacity) {
  if (!dib_.bitmap || image.empty()) return;
  ::GdiFlush();
  const int scale = static_cast<int>(std::lround(Clamp01(opacity) * 256));
  const RECT area = Writable(RECT{x, y, x + image.width(), y + image.height()});
  for (int row = 0; row < image.height(); ++row) {
    const int ty = y + row;
    if (ty < area.top || ty >= area.bottom) continue;
    std::uint32_t* target = Row(ty);
    const std::uint32_t* source =
        image.pixels().data() + static_cast<std::size_t>(row) * image.width();
    for (int column = 0; column < image.width(); ++column) {
      const int tx = x + column;
      if (tx < area.left || tx >= area.right) continue;
      const std::uint32_t pixel = source[column];
      const std::uint32_t alpha = ((pixel >> 24) * scale) >> 8;
      if (alpha == 0) continue;
      const std::uint32_t under = target[tx];
      std::uint32_t out = 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t src = (((pixel >> shift) & 0xFF) * scale) >> 8;  // premultiplied
        const std::uint32_t dst = (under >> shift) & 0xFF;
        out |= std::min<std::uint32_t>(255, src + dst * (255 - alpha) / 255) << shift;
      }
      target[tx] = out;
    }
  }
}

void PixelCanvas::CopyTo(HDC target, const RECT& area) const {
  if (!dib_.bitmap) return;
  ::GdiFlush();
  ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(),
           area.left, area.top, SRCCOPY);
}

}  // namespace fw
