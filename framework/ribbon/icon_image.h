#pragma once
// Icons and bitmaps as premultiplied 32-bit pixels (0xAARRGGBB) that a PixelCanvas blends
// itself: no GDI object is held, and a greyed copy for the disabled look is plain arithmetic.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/handles.h"

namespace fw {

class IconImage {
 public:
  IconImage() = default;
  IconImage(int width, int height, std::vector<std::uint32_t> premultiplied);

  // The icon drawn at size x size. Drawn once on black and once on white, so the alpha comes
  // out right whether the icon has an alpha channel or only a mask.
  static IconImage FromIcon(HICON icon, int size);
  // A 32-bit bitmap with straight alpha (the art's BMPs, loaded as DIB sections); a bitmap of
  // fewer bits is taken as opaque.
  static IconImage FromBitmap(HBITMAP bitmap);

  // A luminance copy at low contrast and reduced opacity: the disabled look.
  IconImage Greyed() const;

  bool empty() const noexcept { return pixels_.empty(); }
  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }
  const std::vector<std::uint32_t>& pixels() const noexcept { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Straight-alpha pixels to premultiplied ones, in place.
void PremultiplyAlpha(std::vector<std::uint32_t>& pixels);

// Image `index` of a horizontal strip of size x size images (bitmap 113's panel images) as an
// icon with alpha; empty when the strip has no such image.
Icon IconFromStrip(HBITMAP strip, int index, int size);

}  // namespace fw
