#pragma once
// Where a trend chart's picture lives and how it reaches the window. The picture, (N + 50)
// columns by 290 or 300 rows, is kept in tiles of at most kTrendTileWidth columns: a single
// bitmap 65,586 columns wide cannot be had everywhere. Every tile is drawn from the same plan
// in the same order, so the tiles put side by side are the one bitmap the plan describes.

#include <cstddef>
#include <vector>

#include "views/logic/trend_plan.h"

namespace wd {

inline constexpr int kTrendTileWidth = 4096;

struct ColumnSpan {
  int left;
  int width;
  friend bool operator==(const ColumnSpan&, const ColumnSpan&) = default;
};
// Tiles of `tileWidth` columns from column 0, the last one narrower; none for an empty picture.
std::vector<ColumnSpan> TileSpans(int pictureWidth, int tileWidth);

// One block copy of a paint: `width` columns from `sourceX` of tile `tile` to window x `destX`.
struct SliceCopy {
  std::size_t tile;
  int sourceX;
  int destX;
  int width;
  friend bool operator==(const SliceCopy&, const SliceCopy&) = default;
};
// The visible slice, picture columns [scrollOffset, scrollOffset + width), shown from window x
// `destX` on, cut where tiles meet. Columns outside the picture are not copied: the window's
// white background shows there, as a copy from beyond a bitmap's edge leaves it.
std::vector<SliceCopy> SliceCopies(const std::vector<ColumnSpan>& tiles, int scrollOffset,
                                   int destX, int width);

// Where the slice lands in a chart window of the given client size: 50 pixels in from the
// left, the picture's bottom on the client's bottom.
struct PlotPlacement {
  int x, y, width, height;
  friend bool operator==(const PlotPlacement&, const PlotPlacement&) = default;
};
PlotPlacement PlacePlot(TrendChartKind kind, int clientWidth, int clientBottom);

// Monitoring records (indices of the plan's walk) whose drawing may touch columns
// [left, right): their segments, the hour labels 60 columns wide and the pens' round ends.
// Drawing more is harmless (it is clipped); drawing fewer would lose pixels at tile seams.
struct RecordRange {
  int begin;
  int end;
};
RecordRange RecordsReaching(const TrendPlan& plan, int left, int right);

}  // namespace wd
