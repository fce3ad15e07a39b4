#pragma once
// An off-screen 32-bit buffer that a bar paints into before one BitBlt to the screen (no
// flicker). GDI draws text on its DC; the shapes GDI cannot smooth (rounded borders, the round
// application button) and the icons are blended here pixel by pixel, with anti-aliased edges.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace fw {

class IconImage;

// A vertical fill: `top` to `upper` over the first `split` of the height, then `lower` to
// `bottom` (Office's glossy two-part highlight). A plain gradient has split 1.
struct Gradient {
  COLORREF top;
  COLORREF upper;
  COLORREF lower;
  COLORREF bottom;
  float split = 1.0f;

  static Gradient Plain(COLORREF from, COLORREF to) { return Gradient{from, to, to, to, 1.0f}; }
  static Gradient Solid(COLORREF colour) { return Plain(colour, colour); }
  COLORREF At(float t) const;  // t in 0..1 from top to bottom
};

COLORREF MixColours(COLORREF from, COLORREF to, float t);

class PixelCanvas {
 public:
  PixelCanvas() = default;
  ~PixelCanvas();
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  // Keeps the buffer when the size is unchanged; false when it cannot be made.
  bool Resize(int width, int height, HDC reference);
  // Everything painted from now on, pixels and GDI text alike, lands only inside `area`: a bar
  // repaints what was invalidated and keeps the rest of the buffer. Unclip paints everywhere.
  void ClipTo(const RECT& area);
  void Unclip();
  HDC dc() const noexcept { return dc_.get(); }
  int width() const noexcept { return dib_.width; }
  int height() const noexcept { return dib_.height; }

  // Pixels of `rect` (clipped) filled with a vertical gradient spanning the rect's height.
  void FillRect(const RECT& rect, const Gradient& fill);
  // A rounded rectangle with anti-aliased corners; `opacity` 0..1 blends it over what is there.
  void FillRoundRect(const RECT& rect, float radius, const Gradient& fill, float opacity = 1.0f);
  // A one-pixel border just inside `rect`, anti-aliased along the corners.
  void StrokeRoundRect(const RECT& rect, float radius, COLORREF colour, float opacity = 1.0f);
  // The ellipse inscribed in `rect` (filled, or a ring of `width` pixels).
  void FillEllipse(const RECT& rect, const Gradient& fill, float opacity = 1.0f);
  void StrokeEllipse(const RECT& rect, float width, COLORREF colour, float opacity = 1.0f);
  // A straight line with round ends, `width` pixels thick (ticks and glyphs).
  void StrokeLine(float x0, float y0, float x1, float y1, float width, COLORREF colour,
                  float opacity = 1.0f);
  // A premultiplied image at (x, y).
  void DrawImage(const IconImage& image, int x, int y, float opacity = 1.0f);

  // Copies `area` (canvas and target coordinates alike) to `target`.
  void CopyTo(HDC target, const RECT& area) const;

 private:
  enum class Shape { RoundRect, Ellipse, Segment };
  // Coverage of the pixel centre by the shape (signed-distance estimate, one pixel of ramp).
  void Paint(const RECT& rect, Shape shape, float radius, float ringWidth, const Gradient& fill,
             float opacity, const float* segment = nullptr);
  std::uint32_t* Row(int y) const noexcept;
  // The part of `rect` inside the buffer and the clip.
  RECT Writable(const RECT& rect) const noexcept;
  void Release() noexcept;

  MemoryDc dc_;
  DibSection dib_;
  HGDIOBJ previous_ = nullptr;
  std::optional<RECT> clip_;
};

}  // namespace fw
