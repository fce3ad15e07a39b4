#pragma once
// A trend chart's off-screen picture: one memory DC and the picture's tiles (see
// views/logic/trend_tiles.h), drawn from a plan and copied slice by slice at each paint. Only a
// few tiles are held at a time, in bitmaps made when the picture is made: a tile is drawn when
// a paint first needs it, into the bitmap used longest ago. The picture is the same; three
// charts of 65,536 records take a few tiles' memory instead of 170 MB.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
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
  // Tiles held at once. A paint that needs more draws some of them again within that paint.
  int tilesHeld = 4;
  Backing backing = Backing::DibSection;
  // Refuse pictures larger than this (counted at 4 bytes a pixel) rather than starve the
  // machine: a chart of a million records would need over a gigabyte.
  long long maxBytes = 1LL << 30;
};

enum class SurfaceError { None, DeviceContext, Bitmap };

class TrendSurface {
 public:
  // Prepares a white picture of width x height pixels compatible with `reference` and the
  // bitmaps that hold its tiles. On failure nothing is kept.
  SurfaceError Create(HDC reference, int width, int height, const TrendSurfaceOptions& options);
  void Reset();
  bool Exists() const { return !held_.empty(); }

  // What the picture shows: the grid, the curves, the hour ticks and labels of `plan`. Tiles
  // already held are drawn again.
  void SetContent(TrendPlan plan, TrendChartKind kind, fw::Font labelFont);

  // Copies picture columns [scrollOffset, scrollOffset + width) to (destX, destY) on `target`.
  void CopySlice(HDC target, int scrollOffset, int destX, int destY, int width);

  std::size_t TileCount() const { return spans_.size(); }

 private:
  static constexpr std::size_t kNoTile = static_cast<std::size_t>(-1);
  struct HeldTile {
    fw::Bitmap bitmap;
    std::size_t tile = kNoTile;
    std::uint64_t lastUse = 0;
  };

  // The bitmap holding `tile`, drawn into the one used longest ago when no bitmap holds it.
  HBITMAP Hold(std::size_t tile);
  void DrawTile(std::size_t tile, HBITMAP into);

  fw::MemoryDc dc_;
  std::vector<ColumnSpan> spans_;
  std::vector<HeldTile> held_;
  std::uint64_t uses_ = 0;
  int height_ = 0;
  TrendPlan plan_;
  TrendChartKind kind_ = TrendChartKind::Spo2;
  fw::Font labelFont_;
};

}  // namespace wd
