#include "views/logic/trend_tiles.h"

#include <algorithm>

namespace wd {
namespace {

// Columns a record's drawing may reach beyond its segment: the 60-column label box to the
// right of a segment's start and a few pixels of a 2-pixel pen's round end either side.
constexpr int kReachLeft = 60 + 4;
constexpr int kReachRight = 4;

}  // namespace

std::vector<ColumnSpan> TileSpans(int pictureWidth, int tileWidth) {
  std::vector<ColumnSpan> tiles;
  if (pictureWidth <= 0 || tileWidth <= 0) return tiles;
  for (int left = 0; left < pictureWidth; left += tileWidth) {
    tiles.push_back({left, std::min(tileWidth, pictureWidth - left)});
  }
  return tiles;
}

std::vector<SliceCopy> SliceCopies(const std::vector<ColumnSpan>& tiles, int scrollOffset,
                                   int destX, int width) {
  std::vector<SliceCopy> copies;
  if (width <= 0) return copies;
  const long long sliceEnd = static_cast<long long>(scrollOffset) + width;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const long long from = std::max<long long>(tiles[i].left, scrollOffset);
    const long long to = std::min<long long>(tiles[i].left + tiles[i].width, sliceEnd);
    if (from >= to) continue;
    copies.push_back({i, static_cast<int>(from - tiles[i].left),
                      static_cast<int>(destX + (from - scrollOffset)),
                      static_cast<int>(to - from)});
  }
  return copies;
}

PlotPlacement PlacePlot(TrendChartKind kind, int clientWidth, int clientBottom) {
  const int height = LayoutOf(kind).bitmapHeight;
  return {50, clientBottom - height, clientWidth - 50, height};
}

RecordRange RecordsReaching(const TrendPlan& plan, int left, int right) {
  // Segment i of a curve spans columns i .. i + 1 and belongs to record firstRecord + i.
  const int firstColumn = left - kReachLeft;
  const int lastColumn = right + kReachRight;
  int begin = plan.recordCount;
  int end = 0;
  for (std::size_t c = 0; c < plan.curves.size(); ++c) {
    const int segments = static_cast<int>(plan.curves[c].size());
    const int from = std::max(firstColumn, 0);
    const int to = std::min(lastColumn, segments);
    if (from >= to) continue;
    begin = std::min(begin, plan.firstRecord[c] + from);
    end = std::max(end, plan.firstRecord[c] + to);
  }
  if (begin >= end) return {0, 0};
  return {begin, end};
}

}  // namespace wd
