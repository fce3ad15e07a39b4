#pragma once
// Where everything of the ribbon goes: rows (caption, tabs, body), panels and their elements.
// Sizes follow the UI font and the screen's DPI; icons stay 32 x 32.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/ribbon/caption_text.h"
#include "framework/ribbon/ribbon_panel.h"

namespace fw {

inline bool Contains(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

struct RibbonMetrics {
  int dpi = 96;
  int lineHeight = 16;
  int captionRowHeight = 0;
  int tabRowHeight = 0;
  int bodyHeight = 0;
  int panelTop = 0;  // from the top of the bar
  int panelHeight = 0;
  int panelCaptionHeight = 0;
  int contentTop = 0;  // element area of every panel, from the top of the bar
  int contentHeight = 0;
  int checkRowHeight = 0;
  int checkBoxSize = 0;

  static RibbonMetrics For(int dpi, int lineHeight);
  int Scale(int pixels) const noexcept { return MulDiv(pixels, dpi, 96); }
  int BodyTop() const noexcept { return captionRowHeight + tabRowHeight; }
  int TotalHeight() const noexcept { return BodyTop() + bodyHeight; }
};

// The application button overlaps the caption and tab rows at the left; `size` is at 96 DPI.
RECT AppButtonRect(const RibbonMetrics& metrics, SIZE size);
// The close box at the right end of the caption row of a bar `width` pixels wide.
RECT CloseBoxRect(const RibbonMetrics& metrics, int width);
// The caption row without the application button and the close box: where the title goes.
RECT TitleRect(const RibbonMetrics& metrics, int width, SIZE appButton);

// Tabs from `left` onwards in the tab row; panels and elements of every category in the body.
// Panels that do not fit in `barWidth` collapse from the right into a button each, as in
// Office; their elements are laid out for the drop-down instead.
void LayoutCategories(const std::vector<std::unique_ptr<RibbonCategory>>& categories,
                      const RibbonMetrics& metrics, int tabsLeft, int barWidth,
                      const TextWidth& width);

}  // namespace fw
