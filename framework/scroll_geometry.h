#pragma once
// Arithmetic of a scrolling view in pixels (MM_TEXT), kept apart from any window so the rules
// can be checked directly.
#include <windows.h>

namespace fw {

struct ScrollSizes {
  SIZE total{0, 0};
  SIZE page{0, 0};
  SIZE line{0, 0};
};

// Missing page and line sizes default to a tenth of the total and a tenth of the page
// (at least one pixel where there is anything to scroll).
ScrollSizes MakeScrollSizes(SIZE total, SIZE page = SIZE{0, 0}, SIZE line = SIZE{0, 0});

struct ScrollBarFit {
  bool horizontal = false;
  bool vertical = false;
  SIZE client{0, 0};  // what is left of the client area once the bars are shown
};

// Which bars a view of `total` size needs in a client area of `bare` size (measured without
// bars); showing one bar narrows the client and may call for the other.
ScrollBarFit FitScrollBars(SIZE total, SIZE bare, SIZE barThickness);

// The largest position that still fills the client: 0 when everything fits.
int MaxScrollPosition(int total, int client);
int ClampScrollPosition(int position, int total, int client);

// The position a scroll-bar request (SB_LINEUP ... SB_BOTTOM) leads to, clamped.
int ScrollRequestTarget(UINT code, int current, int thumb, int page, int line, int total,
                        int client);

}  // namespace fw
