#include "framework/ribbon/ribbon_layout.h"

#include <algorithm>

namespace fw {
namespace {

constexpr int kIcon = RibbonElement::kLargeIconSize;

// Width of one element in a row of large elements.
int LargeWidth(const RibbonElement& element, const RibbonMetrics& metrics, const TextWidth& width) {
  if (element.kind() == RibbonElementKind::IconButton) return kIcon + metrics.Scale(14);
  int text = 0;
  for (const auto& line : element.lines()) text = std::max(text, width(line));
  return std::max(kIcon + metrics.Scale(14), text + metrics.Scale(12));
}

// Places the elements of a panel from `left`, content from `top`; returns the right end.
int LayoutElements(RibbonPanel& panel, const RibbonMetrics& metrics, int left, int top,
                   const TextWidth& width) {
  const int bottom = top + metrics.contentHeight;
  int x = left;
  std::size_t index = 0;
  while (index < panel.ElementCount()) {
    RibbonElement& element = *panel.Element(index);
    if (element.kind() == RibbonElementKind::CheckBox) {
      // Consecutive check boxes stack in a column as wide as the widest.
      std::size_t end = index;
      int column = 0;
      while (end < panel.ElementCount() &&
             panel.Element(end)->kind() == RibbonElementKind::CheckBox) {
        column = std::max(column, width(panel.Element(end)->caption()));
        ++end;
      }
      column += metrics.checkBoxSize + metrics.Scale(14);
      int y = top + metrics.Scale(2);
      for (; index < end; ++index) {
        RibbonElement& box = *panel.Element(index);
        box.SetLines({box.caption()});
        box.SetRect(RECT{x, y, x + column, y + metrics.checkRowHeight});
        y += metrics.checkRowHeight;
      }
      x += column + metrics.Scale(2);
      continue;
    }
    element.SetLines(element.HasCaption() ? WrapCaption(element.caption(), width)
                                          : std::vector<std::wstring>{});
    const int w = LargeWidth(element, metrics, width);
    if (element.kind() == RibbonElementKind::IconButton) {
      const int side = kIcon + metrics.Scale(12);
      const int y = top + (metrics.contentHeight - side) / 2;
      element.SetRect(RECT{x, y, x + w, y + side});
    } else {
      element.SetRect(RECT{x, top, x + w, bottom});
    }
    x += w + metrics.Scale(1);
    ++index;
  }
  return x;
}

// Lays a panel out with its top left corner at `origin`; returns its width.
int LayoutPanel(RibbonPanel& panel, const RibbonMetrics& metrics, POINT origin,
                const TextWidth& width) {
  const int pad = metrics.Scale(3);
  const int x = origin.x;
  const int contentRight = LayoutElements(panel, metrics, x + pad,
                                          origin.y + metrics.contentTop - metrics.panelTop, width);
  const int panelWidth =
      std::max(contentRight + pad - x, width(panel.caption()) + metrics.Scale(16));
  // A caption wider than the elements: centre the elements under it.
  const int slack = panelWidth - (contentRight + pad - x);
  if (slack > 0) {
    for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
      RECT rect = panel.Element(e)->rect();
      ::OffsetRect(&rect, slack / 2, 0);
      panel.Element(e)->SetRect(rect);
    }
  }
  panel.SetRect(RECT{x, origin.y, x + panelWidth, origin.y + metrics.panelHeight});
  return panelWidth;
}

int CollapsedWidth(const RibbonPanel& panel, const RibbonMetrics& metrics, const TextWidth& width) {
  return std::max(kIcon + metrics.Scale(20), width(panel.caption()) + metrics.Scale(14));
}

void LayoutPanels(RibbonCategory& category, const RibbonMetrics& metrics, int barWidth,
                  const TextWidth& width) {
  const int gap = metrics.Scale(3);
  const int left = metrics.Scale(4);
  const std::size_t count = category.PanelCount();
  std::vector<int> full(count), collapsed(count);
  for (std::size_t p = 0; p < count; ++p) {
    full[p] = LayoutPanel(*category.Panel(p), metrics, POINT{0, 0}, width);
    collapsed[p] = CollapsedWidth(*category.Panel(p), metrics, width);
  }
  // Collapse from the right until the row fits (or everything is collapsed).
  std::size_t expanded = count;
  const auto rowWidth = [&] {
    int total = left;
    for (std::size_t p = 0; p < count; ++p) total += (p < expanded ? full[p] : collapsed[p]) + gap;
    return total;
  };
  while (expanded > 0 && rowWidth() > barWidth) --expanded;

  int x = left;
  for (std::size_t p = 0; p < count; ++p) {
    RibbonPanel& panel = *category.Panel(p);
    if (p < expanded) {
      panel.SetCollapsed(false);
      x += LayoutPanel(panel, metrics, POINT{x, metrics.panelTop}, width) + gap;
      continue;
    }
    // The elements stay where LayoutPanel put them at (0, 0): the drop-down's coordinates.
    panel.SetCollapsed(true, SIZE{full[p], metrics.panelHeight});
    panel.SetRect(
        RECT{x, metrics.panelTop, x + collapsed[p], metrics.panelTop + metrics.panelHeight});
    x += collapsed[p] + gap;
  }
}

}  // namespace

RibbonMetrics RibbonMetrics::For(int dpi, int lineHeight) {
  RibbonMetrics m;
  m.dpi = dpi > 0 ? dpi : 96;
  m.lineHeight = std::max(lineHeight, 8);
  m.captionRowHeight = std::max(m.Scale(28), m.lineHeight + m.Scale(10));
  m.tabRowHeight = std::max(m.Scale(24), m.lineHeight + m.Scale(9));
  m.panelCaptionHeight = m.lineHeight + m.Scale(3);
  m.contentHeight = m.Scale(4) + kIcon + m.Scale(3) + 2 * m.lineHeight + m.Scale(3);
  m.panelTop = m.BodyTop() + m.Scale(3);
  m.contentTop = m.panelTop + m.Scale(2);
  m.panelHeight = m.Scale(2) + m.contentHeight + m.Scale(1) + m.panelCaptionHeight;
  m.bodyHeight = m.Scale(3) + m.panelHeight + m.Scale(4);
  m.checkRowHeight = std::max(m.Scale(22), m.lineHeight + m.Scale(6));
  m.checkBoxSize = m.Scale(13);
  return m;
}

RECT AppButtonRect(const RibbonMetrics& metrics, SIZE size) {
  const int width = metrics.Scale(size.cx), height = metrics.Scale(size.cy);
  const int left = metrics.Scale(4);
  const int top = std::max(0, (metrics.BodyTop() - height) / 2);
  return RECT{left, top, left + width, top + height};
}

RECT CloseBoxRect(const RibbonMetrics& metrics, int width) {
  const int right = width - metrics.Scale(4);
  return RECT{right - metrics.Scale(44), 0, right, metrics.captionRowHeight - metrics.Scale(6)};
}

RECT TitleRect(const RibbonMetrics& metrics, int width, SIZE appButton) {
  const RECT app = AppButtonRect(metrics, appButton);
  const RECT close = CloseBoxRect(metrics, width);
  return RECT{app.right + metrics.Scale(8), 0,
              std::max<LONG>(app.right, close.left - metrics.Scale(8)), metrics.captionRowHeight};
}
void LayoutCategories(const std::vector<std::unique_ptr<RibbonCategory>>& categories,
                      const RibbonMetrics& metrics, int tabsLeft, int barWidth,
                      const TextWidth& width) {
  int tabX = tabsLeft;
  for (const auto& category : categories) {
    const int tabWidth = width(category->title()) + metrics.Scale(28);
    category->SetTabRect(RECT{tabX, metrics.captionRowHeight + metrics.Scale(3), tabX + tabWidth,
                              metrics.BodyTop() + 1});
    tabX += tabWidth + metrics.Scale(2);
    LayoutPanels(*category, metrics, barWidth, width);
  }
}

}  // namespace fw
