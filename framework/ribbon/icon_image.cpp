#include "framework/ribbon/icon_image.h"

#include <algorithm>
#include <utility>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace fw {
namespace {

// The pixels of any bitmap as top-down 32-bit rows; empty when they cannot be read.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int& width, int& height, int& bitsPerPixel) {
  BITMAP info{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0 || info.bmWidth <= 0 ||
      info.bmHeight == 0) {
    return {};
  }
  width = info.bmWidth;
  height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  bitsPerPixel = info.bmBitsPixel;
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(request.bmiHeader);
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &request,
                  DIB_RGB_COLORS) != height) {
    return {};
  }
  return pixels;
}

std::vector<std::uint32_t> RenderIcon(HICON icon, int size, COLORREF background) {
  DibSection dib = CreateDibSection32(size, size);
  MemoryDc dc(nullptr);
  if (!dib.bitmap || !dc) return {};
  auto* bits = static_cast<std::uint32_t*>(dib.bits);
  const std::uint32_t fill = background == RGB(255, 255, 255) ? 0x00FFFFFFu : 0u;
  std::fill(bits, bits + static_cast<std::size_t>(size) * size, fill);
  SelectionGuard select(dc.get(), dib.bitmap.get());
  if (!::DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) return {};
  ::GdiFlush();
  return std::vector<std::uint32_t>(bits, bits + static_cast<std::size_t>(size) * size);
}

}  // namespace

IconImage::IconImage(int width, int height, std::vector<std::uint32_t> premultiplied)
    : width_(width), height_(height), pixels_(std::move(premultiplied)) {
  if (width_ <= 0 || height_ <= 0 || pixels_.size() != static_cast<std::size_t>(width_) * height_) {
    *this = IconImage();
  }
}

IconImage IconImage::FromIcon(HICON icon, int size) {
  if (icon == nullptr || size <= 0) return {};
  const auto onBlack = RenderIcon(icon, size, RGB(0, 0, 0));
  const auto onWhite = RenderIcon(icon, size, RGB(255, 255, 255));
  if (onBlack.empty() || onWhite.size() != onBlack.size()) return {};
  // On black a pixel shows colour * alpha (premultiplied); on white it shows that plus
  // 255 * (1 - alpha): the difference gives the alpha back.
  std::vector<std::uint32_t> pixels(onBlack.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    int lightest = 0;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int black = static_cast<int>((onBlack[i] >> shift) & 0xFF);
      const int white = static_cast<int>((onWhite[i] >> shift) & 0xFF);
      lightest = std::max(lightest, 255 - (white - black));
      out |= static_cast<std::uint32_t>(black) << shift;
    }
    const int alpha = std::clamp(lightest, 0, 255);
    // Colour cannot exceed alpha in premultiplied form; rounding in the blend can make it.
    std::uint32_t clamped = static_cast<std::uint32_t>(alpha) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      clamped |= std::min<std::uint32_t>((out >> shift) & 0xFF, static_cast<std::uint32_t>(alpha))
                 << shift;
    }
    pixels[i] = clamped;
  }
  return IconImage(size, size, std::move(pixels));
}

IconImage IconImage::FromBitmap(HBITMAP bitmap) {
  int width = 0, height = 0, bits = 0;
  auto pixels = ReadPixels(bitmap, width, height, bits);
  if (pixels.empty()) return {};
  if (bits < 32) {
    for (auto& pixel : pixels) pixel |= 0xFF000000u;
  } else {
    PremultiplyAlpha(pixels);
  }
  return IconImage(width, height, std::move(pixels));
}

IconImage IconImage::Greyed() const {
  std::vector<std::uint32_t> grey(pixels_.size());
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const std::uint32_t pixel = pixels_[i];
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) continue;
    // Luminance of the straight colour, squeezed into a light band so the shape stays
    // readable but clearly inactive.
    const auto channel = [pixel, alpha](int shift) {
      return static_cast<float>((pixel >> shift) & 0xFF) * 255.0f / static_cast<float>(alpha);
    };
    const float r = channel(16), g = channel(8), b = channel(0);
    const float luminance = 0.299f * r + 0.587f * g + 0.114f * b;
    const float level = 120.0f + luminance * 0.45f;
    const std::uint32_t faded = alpha * 3 / 4;
    const auto value =
        static_cast<std::uint32_t>(std::min(level, 255.0f) * static_cast<float>(faded) / 255.0f);
    grey[i] = (faded << 24) | (value << 16) | (value << 8) | value;
  }
  return IconImage(width_, height_, std::move(grey));
}

void PremultiplyAlpha(std::vector<std::uint32_t>& pixels) {
  for (auto& pixel : pixels) {
    const std::uint32_t alpha = pixel >> 24;
    std::uint32_t out = alpha << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      out |= (((pixel >> shift) & 0xFF) * alpha + 127) / 255 << shift;
    }
    pixel = out;
  }
}

Icon IconFromStrip(HBITMAP strip, int index, int size) {
  int width = 0, height = 0, bits = 0;
  const auto pixels = ReadPixels(strip, width, height, bits);
  if (pixels.empty() || size <= 0 || index < 0 || height < size || (index + 1) * size > width)
    return Icon();

  DibSection colour = CreateDibSection32(size, size);
  if (!colour.bitmap) return Icon();
  auto* target = static_cast<std::uint32_t*>(colour.bits);
  // Monochrome rows are padded to 16 bits; a set bit is transparent.
  const int maskStride = ((size + 15) / 16) * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride) * size, 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + index * size + x];
      if (bits < 32) pixel |= 0xFF000000u;
      target[y * size + x] = pixel;
      if ((pixel >> 24) == 0) mask[y * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  ::GdiFlush();
  Bitmap maskBitmap(::CreateBitmap(size, size, 1, 1, mask.data()));
  if (!maskBitmap) return Icon();
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.bitmap.get();
  info.hbmMask = maskBitmap.get();
  return Icon(::CreateIconIndirect(&info));
}

}  // namespace fw
