#pragma once
// Drawing of the ribbon's parts onto its off-screen canvas.
#include <windows.h>

#include <string>

#include "framework/ribbon/icon_image.h"
#include "framework/ribbon/pixel_canvas.h"
#include "framework/ribbon/ribbon_layout.h"
#include "framework/ribbon/ribbon_panel.h"

namespace fw {

enum class ButtonLook { Normal, Hot, Pressed };

// Text in `rect` on the canvas, transparent background; DrawText `format` flags.
void DrawCanvasText(PixelCanvas& canvas, HFONT font, const std::wstring& text, RECT rect,
                    COLORREF colour, UINT format);

void PaintRibbonBackground(PixelCanvas& canvas, const RibbonMetrics& metrics, int width);
// The title centred on the whole bar, moved (and shortened) to stay within `room`.
void PaintTitle(PixelCanvas& canvas, HFONT font, const std::wstring& title, const RECT& room,
                int width);
void PaintCloseBox(PixelCanvas& canvas, const RECT& box, ButtonLook look, float scale);
void PaintAppButton(PixelCanvas& canvas, const RECT& button, const IconImage& image,
                    ButtonLook look);
void PaintTab(PixelCanvas& canvas, HFONT font, const RibbonCategory& category,
              const RibbonMetrics& metrics);
// The panel's frame and caption band at `rect` (its place on the bar, or in its drop-down).
void PaintPanel(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel, const RECT& rect,
                const RibbonMetrics& metrics);
// The button standing for a collapsed panel: its icon, caption and a drop-down arrow.
void PaintCollapsedPanel(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel,
                         const RibbonMetrics& metrics, ButtonLook look);
void PaintElement(PixelCanvas& canvas, HFONT font, const RibbonElement& element,
                  const RibbonMetrics& metrics, ButtonLook look);

// Key tips: where the badge of a panel or an element stands (its centre), and the badge.
POINT KeyTipCentre(const RibbonPanel& panel, const RibbonMetrics& metrics);
POINT KeyTipCentre(const RibbonElement& element, const RibbonMetrics& metrics);
void PaintKeyTip(PixelCanvas& canvas, HFONT font, wchar_t letter, POINT centre, bool enabled,
                 const RibbonMetrics& metrics);
// The key tips of every element of `panel`.
void PaintElementKeyTips(PixelCanvas& canvas, HFONT font, const RibbonPanel& panel,
                         const RibbonMetrics& metrics);

}  // namespace fw
