#include "controls/icon_tools.h"

#include <cstdint>

#include "controls/logic/color_math.h"
#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace wd {
namespace {

// GetIconInfo hands over two bitmaps the caller must delete.
struct IconParts {
  fw::Bitmap mask;
  fw::Bitmap colour;
  SIZE size{};
};

std::optional<IconParts> DescribeIcon(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return std::nullopt;
  IconParts parts{fw::Bitmap(info.hbmMask), fw::Bitmap(info.hbmColor),
                  SIZE{2 * static_cast<LONG>(info.xHotspot), 2 * static_cast<LONG>(info.yHotspot)}};
  return parts;
}

std::uint32_t GreyPixel(std::uint32_t bgra) {
  if ((bgra & 0x00FFFFFFu) == 0) return bgra;
  const Rgb colour{static_cast<std::uint8_t>(bgra >> 16), static_cast<std::uint8_t>(bgra >> 8),
                   static_cast<std::uint8_t>(bgra)};
  const std::uint32_t grey = GreyLevel(colour);
  return (bgra & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
}

}  // namespace

std::optional<SIZE> IconSizeFromHotSpot(HICON icon) {
  const auto parts = DescribeIcon(icon);
  if (!parts) return std::nullopt;
  return parts->size;
}

fw::Icon MakeGreyIcon(HICON icon) {
  const auto parts = DescribeIcon(icon);
  if (!parts || !parts->colour || parts->size.cx <= 0 || parts->size.cy <= 0) return fw::Icon();

  // A 32-bit copy keeps a 32-bit icon's alpha; a 24-bit icon's copy has none, so its mask rules.
  fw::DibSection grey = fw::CreateDibSection32(parts->size.cx, parts->size.cy);
  fw::MemoryDc target(nullptr);
  fw::MemoryDc source(nullptr);
  if (!grey.bitmap || !target || !source) return fw::Icon();
  {
    fw::SelectionGuard intoTarget(target.get(), grey.bitmap.get());
    fw::SelectionGuard fromSource(source.get(), parts->colour.get());
    if (!::BitBlt(target.get(), 0, 0, grey.width, grey.height, source.get(), 0, 0, SRCCOPY))
      return fw::Icon();
  }
  ::GdiFlush();

  auto* pixels = static_cast<std::uint32_t*>(grey.bits);
  const std::size_t count =
      static_cast<std::size_t>(grey.width) * static_cast<std::size_t>(grey.height);
  for (std::size_t i = 0; i < count; ++i) pixels[i] = GreyPixel(pixels[i]);

  ICONINFO made{};
  made.fIcon = TRUE;
  made.hbmMask = parts->mask.get();
  made.hbmColor = grey.bitmap.get();
  return fw::Icon(::CreateIconIndirect(&made));
}

}  // namespace wd
