#pragma once
// A trend chart's off-screen picture: one memory DC and the picture's tiles (see
// views/logic/trend_tiles.h), drawn once from a plan and copied slice by slice at each paint.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/device_context.h"
#include "framework/handles.h"
#include "views/logic/trend_plan.h"
#include "views/logic/trend_tiles.h"

namespace wd {

struct TrendSurfaceOptions {
  enum class Backing {
    DibSection,  // 24-bit DIB sections: any width, in the process's own memory
    Compatible,  // device-dependent bitmaps like the window's (the classic single bitmap)
  };
  int tileWidth = kTrendTileWidth;
  Backing backing = Backing::DibSection;
  // Refuse pictures larger than this (counted at 4 bytes a pixel) rather than starve the
  // machine: a chart of a million records would need over a gigabyte.
  long long maxBytes = 1LL << 30;
};

enum class SurfaceError { None, DeviceContext, Bitmap };

class TrendSurface {
 public:
  // Allocates a white picture of width x height pixels compatible with `reference`. On failure
  // nothing is kept.
  SurfaceError Create(HDC reference, int width, int height, const TrendSurfaceOptions& options);
  void Reset();
  bool Exists() const { return !tiles_.empty(); }

  // Draws the grid, the curves, the hour ticks and labels of `plan` into every tile.
  void Draw(const TrendPlan& plan, TrendChartKind kind, HFONT labelFont);

  // Copies picture columns [scrollOffset, scrollOffset + width) to (destX, destY) on `target`.
  void CopySlice(HDC target, int scrollOffset, int destX, int destY, int width) const;

  std::size_t TileCount() const { return tiles_.size(); }

 private:
  void DrawTile(std::size_t index, const TrendPlan& plan, TrendChartKind kind, HFONT labelFont);

  fw::MemoryDc dc_;
  std::vector<fw::Bitmap> tiles_;
  std::vector<ColumnSpan> spans_;
  int height_ = 0;
};

}  // namespace wd
