#include "framework/ribbon/ribbon_painter.h"

#include <algorithm>

#include "framework/device_context.h"
#include "framework/ribbon/ribbon_theme.h"
#include "framework/ribbon/ui_font.h"

namespace fw {
namespace {

RECT Inset(RECT rect, int by) {
  ::InflateRect(&rect, -by, -by);
  return rect;
}

// Office's highlight: a glossy face, a darker border and a light inner edge.
void PaintHighlight(PixelCanvas& canvas, const RECT& rect, const Gradient& face, COLORREF border) {
  canvas.FillRoundRect(rect, 3.0f, face);
  canvas.StrokeRoundRect(rect, 3.0f, border);
  canvas.StrokeRoundRect(Inset(rect, 1), 2.0f, RGB(255, 255, 255), 0.55f);
}

void PaintElementBackground(PixelCanvas& canvas, const RECT& rect, ButtonLook look, bool checked) {
  if (look == ButtonLook::Pressed || (checked && look == ButtonLook::Hot)) {
    PaintHighlight(canvas, rect, theme::kPressed, theme::kPressedBorder);
  } else if (checked) {
    PaintHighlight(canvas, rect, theme::kChecked, theme::kCheckedBorder);
  } else if (look == ButtonLook::Hot) {
    PaintHighlight(canvas, rect, theme::kHot, theme::kHotBorder);
  }
}

void PaintCheckBox(PixelCanvas& canvas, HFONT font, const RibbonElement& element,
                   const RibbonMetrics& metrics, ButtonLook look) {
  const RECT& row = element.rect();
  if (look != ButtonLook::Normal) PaintElementBackground(canvas, row, look, false);
  const int size = metrics.checkBoxSize;
  const int left = row.left + metrics.Scale(4);
  const int top = row.top + (row.bottom - row.top - size) / 2;
  const RECT box{left, top, left + size, top + size};
  const bool enabled = element.enabled();
  canvas.FillRoundRect(box, 1.5f,
                       look == ButtonLook::Normal || !enabled ? theme::kCheckBox : theme::kHot);
  canvas.StrokeRoundRect(box, 1.5f, enabled ? theme::kCheckBoxBorder : theme::kDisabledText);
  if (element.checked()) {
    const float s = static_cast<float>(size) / 13.0f;
    const COLORREF tick = enabled ? theme::kTick : theme::kDisabledText;
    const float x = static_cast<float>(left), y = static_cast<float>(top);
    canvas.StrokeLine(x + 3.0f * s, y + 6.5f * s, x + 5.5f * s, y + 9.2f * s, 1.8f * s, tick);
    canvas.StrokeLine(x + 5.5f * s, y + 9.2f * s, x + 10.0f * s, y + 3.6f * s, 1.8f * s, tick);
  }
  RECT text = row;
  text.left = box.right + metrics.Scale(5);
  DrawCanvasText(canvas, font, element.caption(), text,
                 enabled ? theme::kText : theme::kDisabledText,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace

void DrawCanvasText(PixelCanvas& canvas, HFONT font, const std::wstring& text, RECT rect,
                    COLORREF colour, UINT format) {
  if (text.empty()) return;
  const HDC dc = canvas.dc();
  SelectionGuard select(dc, font);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, colour);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void PaintRibbonBackground(PixelCanvas& canvas, const RibbonMetrics& metrics, int width) {
  const int bodyTop = metrics.BodyTop();
  canvas.FillRect(RECT{0, 0, width, bodyTop}, theme::kTopRows);
  canvas.FillRect(RECT{0, bodyTop, width, metrics.TotalHeight()}, theme::kBody);
  canvas.FillRect(RECT{0, bodyTop, width, bodyTop + 1}, Gradient::Solid(theme::kTabBorder));
  const int bottom = metrics.TotalHeight();
  canvas.FillRect(RECT{0, bottom - 1, width, bottom}, Gradient::Solid(theme::kBodyEdge));
}

void PaintTitle(PixelCanvas& canvas, HFONT font, const std::wstring& title, const RECT& room,
                int width) {
  const int textWidth = TextWidthOf(canvas.dc(), font, title);
  RECT rect = room;
  int left = (width - textWidth) / 2;
  left = std::min(left, static_cast<int>(room.right) - textWidth);
  rect.left = std::max(static_cast<int>(room.left), left);
  DrawCanvasText(canvas, font, title, rect, theme::kTitleText,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintCloseBox(PixelCanvas& canvas, const RECT& box, ButtonLook look, float scale) {
  COLORREF glyph = theme::kCloseGlyph;
  if (look != ButtonLook::Normal) {
    const RECT face{box.left, box.top - 4, box.right,
                    box.bottom};  // squared top: hangs from the edge
    canvas.FillRoundRect(face, 3.0f,
                         look == ButtonLook::Pressed ? theme::kClosePressed : theme::kCloseHot);
    canvas.StrokeRoundRect(face, 3.0f, RGB(140, 40, 30), 0.8f);
    glyph = RGB(255, 255, 255);
  }
  const float cx = static_cast<float>(box.left + box.right) / 2.0f;
  const float cy = static_cast<float>(box.top + box.bottom) / 2.0f;
  const float half = 4.5f * scale;
  canvas.StrokeLine(cx - half, cy - half, cx + half, cy + half, 1.7f * scale, glyph);
  canvas.StrokeLine(cx - half, cy + half, cx + half, cy - half, 1.7f * scale, glyph);
}

void PaintAppButton(PixelCanvas& canvas, const RECT& button, const IconImage& image,
                    ButtonLook look) {
  const Gradient& face = look == ButtonLook::Pressed ? theme::kPressed
                         : look == ButtonLook::Hot   ? theme::kHot
                                                     : theme::kOrb;
  canvas.FillEllipse(button, Gradient::Solid(RGB(90, 100, 120)), 0.18f);  // soft shadow ring
  const RECT orb = Inset(button, 1);
  canvas.FillEllipse(orb, face);
  canvas.StrokeEllipse(orb, 1.2f,
                       look == ButtonLook::Normal ? theme::kOrbRing : theme::kPressedBorder);
  // Gloss on the upper half.
  const int height = orb.bottom - orb.top;
  const RECT gloss{orb.left + height / 8, orb.top + 2, orb.right - height / 8,
                   orb.top + height / 2};
  canvas.FillEllipse(gloss, Gradient::Plain(RGB(255, 255, 255), RGB(255, 255, 255)), 0.45f);
  if (!image.empty()) {
    const int x = (button.left + button.right - image.width()) / 2;
    const int y = (button.top + button.bottom - image.height()) / 2;
    canvas.DrawImage(image, x, y);
  }
}

void PaintTab(PixelCanvas& canvas, HFONT font, const RibbonCategory& category,
              const RibbonMetrics& metrics) {
  const RECT& tab = category.tabRect();
  const int bodyTop = metrics.BodyTop();
  // The active tab runs into the body without a line between them.
  const RECT shape{tab.left, tab.top, tab.right, bodyTop + 6};
  canvas.FillRoundRect(shape, 3.0f, theme::kTab);
  canvas.StrokeRoundRect(shape, 3.0f, theme::kTabBorder);
  canvas.FillRect(RECT{tab.left + 1, bodyTop, tab.right - 1, bodyTop + 7},
                  Gradient::Solid(theme::kBody.At(0)));
  RECT text{tab.left, tab.top, tab.right, bodyTop};
  DrawCanvasText(canvas, font, category.title(), text, theme::kTabText,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintPanel(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel, const RECT& rect,
                const RibbonMetrics& metrics) {
  const int height = std::max<int>(rect.bottom - rect.top, 1);
  const float split =
      static_cast<float>(height - metrics.panelCaptionHeight) / static_cast<float>(height);
  canvas.FillRoundRect(
      rect, 3.0f,
      Gradient{theme::kPanelTop, theme::kPanelFace, theme::kBandTop, theme::kBandBottom, split});
  canvas.StrokeRoundRect(rect, 3.0f, theme::kPanelBorder);
  canvas.StrokeRoundRect(Inset(rect, 1), 2.0f, RGB(255, 255, 255), 0.5f);
  RECT band{rect.left + 2, rect.bottom - metrics.panelCaptionHeight, rect.right - 2,
            rect.bottom - 1};
  DrawCanvasText(canvas, font, panel.caption(), band, theme::kPanelCaption,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintCollapsedPanel(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel,
                         const RibbonMetrics& metrics, ButtonLook look) {
  const RECT& rect = panel.rect();
  canvas.FillRoundRect(rect, 3.0f, Gradient::Plain(theme::kPanelTop, theme::kBandTop));
  canvas.StrokeRoundRect(rect, 3.0f, theme::kPanelBorder);
  canvas.StrokeRoundRect(Inset(rect, 1), 2.0f, RGB(255, 255, 255), 0.5f);
  if (look != ButtonLook::Normal) {
    PaintHighlight(canvas, Inset(rect, 1),
                   look == ButtonLook::Pressed ? theme::kPressed : theme::kHot,
                   look == ButtonLook::Pressed ? theme::kPressedBorder : theme::kHotBorder);
  }
  // The panel's small icon in a rounded well, as Office shows a collapsed group.
  const int well = RibbonElement::kLargeIconSize;
  const int wellLeft = (rect.left + rect.right - well) / 2;
  const int wellTop = rect.top + metrics.Scale(8);
  const RECT wellRect{wellLeft, wellTop, wellLeft + well, wellTop + well};
  canvas.FillRoundRect(wellRect, 4.0f, Gradient::Plain(RGB(255, 255, 255), theme::kPanelFace));
  canvas.StrokeRoundRect(wellRect, 4.0f, theme::kPanelBorder);
  const IconImage& icon = panel.icon();
  canvas.DrawImage(icon, wellLeft + (well - icon.width()) / 2,
                   wellTop + (well - icon.height()) / 2);

  const int textTop = wellRect.bottom + metrics.Scale(4);
  DrawCanvasText(canvas, font, panel.caption(),
                 RECT{rect.left + 2, textTop, rect.right - 2, textTop + metrics.lineHeight},
                 theme::kText, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
  const float cx = static_cast<float>(rect.left + rect.right) / 2.0f;
  const float cy = static_cast<float>(textTop + metrics.lineHeight + metrics.Scale(6));
  const float s = static_cast<float>(metrics.dpi) / 96.0f;
  canvas.StrokeLine(cx - 3.0f * s, cy - 1.5f * s, cx, cy + 1.5f * s, 1.4f * s, theme::kText);
  canvas.StrokeLine(cx, cy + 1.5f * s, cx + 3.0f * s, cy - 1.5f * s, 1.4f * s, theme::kText);
}

void PaintElement(PixelCanvas& canvas, HFONT font, const RibbonElement& element,
                  const RibbonMetrics& metrics, ButtonLook look) {
  if (!element.IsClickable() || !element.enabled()) look = ButtonLook::Normal;
  if (element.kind() == RibbonElementKind::CheckBox) {
    PaintCheckBox(canvas, font, element, metrics, look);
    return;
  }
  const RECT& rect = element.rect();
  PaintElementBackground(canvas, rect, look, element.checked());

  // A checked icon button is the current choice (the language): it keeps its colours even
  // when its rule disables it.
  const bool coloured =
      element.enabled() || (element.kind() == RibbonElementKind::IconButton && element.checked());
  const IconImage& image = coloured ? element.image() : element.greyImage();
  const int iconX = (rect.left + rect.right - RibbonElement::kLargeIconSize) / 2;
  const int iconY = element.kind() == RibbonElementKind::IconButton
                        ? (rect.top + rect.bottom - RibbonElement::kLargeIconSize) / 2
                        : rect.top + metrics.Scale(4);
  canvas.DrawImage(image, iconX, iconY);

  int y = iconY + RibbonElement::kLargeIconSize + metrics.Scale(3);
  for (const auto& line : element.lines()) {
    RECT text{rect.left + 1, y, rect.right - 1, y + metrics.lineHeight};
    DrawCanvasText(canvas, font, line, text,
                   element.enabled() ? theme::kText : theme::kDisabledText,
                   DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
    y += metrics.lineHeight;
  }
}

POINT KeyTipCentre(const RibbonPanel& panel, const RibbonMetrics& metrics) {
  // At the right end of the caption band, clear of the centred caption; on a collapsed
  // panel's button, over its middle.
  const RECT& rect = panel.rect();
  if (panel.collapsed()) return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return POINT{rect.right - metrics.Scale(14), rect.bottom - metrics.panelCaptionHeight / 2};
}

POINT KeyTipCentre(const RibbonElement& element, const RibbonMetrics& metrics) {
  const RECT& rect = element.rect();
  if (element.kind() == RibbonElementKind::CheckBox) {
    return POINT{rect.left + metrics.Scale(4) + metrics.checkBoxSize / 2,
                 rect.bottom - metrics.Scale(2)};
  }
  return POINT{(rect.left + rect.right) / 2, rect.bottom - metrics.Scale(4)};
}

void PaintKeyTip(PixelCanvas& canvas, HFONT font, wchar_t letter, POINT centre, bool enabled,
                 const RibbonMetrics& metrics) {
  const int half = metrics.Scale(9);
  const RECT badge{centre.x - half, centre.y - half, centre.x + half, centre.y + half};
  canvas.FillRoundRect(badge, 2.0f, theme::kKeyTip);
  canvas.StrokeRoundRect(badge, 2.0f, theme::kKeyTipBorder);
  DrawCanvasText(canvas, font, std::wstring(1, letter), badge,
                 enabled ? theme::kText : theme::kDisabledText,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintElementKeyTips(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel,
                         const RibbonMetrics& metrics) {
  for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
    const RibbonElement& element = *panel.Element(e);
    if (element.keyTip() != 0) {
      PaintKeyTip(canvas, font, element.keyTip(), KeyTipCentre(element, metrics), element.enabled(),
                  metrics);
    }
  }
}

}  // namespace fw
