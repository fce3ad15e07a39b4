#include "framework/scroll_geometry.h"

#include <algorithm>

namespace fw {
namespace {

LONG DefaultStep(LONG given, LONG whole) {
  if (given > 0) return given;
  if (whole <= 0) return 0;
  return std::max<LONG>(1, whole / 10);
}

}  // namespace

ScrollSizes MakeScrollSizes(SIZE total, SIZE page, SIZE line) {
  ScrollSizes sizes;
  sizes.total = SIZE{std::max<LONG>(0, total.cx), std::max<LONG>(0, total.cy)};
  sizes.page = SIZE{DefaultStep(page.cx, sizes.total.cx), DefaultStep(page.cy, sizes.total.cy)};
  sizes.line = SIZE{DefaultStep(line.cx, sizes.page.cx), DefaultStep(line.cy, sizes.page.cy)};
  return sizes;
}

ScrollBarFit FitScrollBars(SIZE total, SIZE bare, SIZE barThickness) {
  ScrollBarFit fit;
  fit.horizontal = total.cx > bare.cx;
  fit.vertical = total.cy > bare.cy;
  if (fit.vertical && !fit.horizontal) fit.horizontal = total.cx > bare.cx - barThickness.cx;
  if (fit.horizontal && !fit.vertical) fit.vertical = total.cy > bare.cy - barThickness.cy;
  fit.client.cx = std::max<LONG>(0, bare.cx - (fit.vertical ? barThickness.cx : 0));
  fit.client.cy = std::max<LONG>(0, bare.cy - (fit.horizontal ? barThickness.cy : 0));
  return fit;
}

int MaxScrollPosition(int total, int client) { return std::max(0, total - client); }

int ClampScrollPosition(int position, int total, int client) {
  return std::clamp(position, 0, MaxScrollPosition(total, client));
}

int ScrollRequestTarget(UINT code, int current, int thumb, int page, int line, int total,
                        int client) {
  int target = current;
  switch (code) {
    case SB_LINEUP: target = current - line; break;
    case SB_LINEDOWN: target = current + line; break;
    case SB_PAGEUP: target = current - page; break;
    case SB_PAGEDOWN: target = current + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = thumb; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = MaxScrollPosition(total, client); break;
    default: break;
  }
  return ClampScrollPosition(target, total, client);
}

}  // namespace fw
