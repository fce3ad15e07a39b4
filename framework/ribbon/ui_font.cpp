#include "framework/ribbon/ui_font.h"

#include <string>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace fw {

Font CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    if (Font font{::CreateFontIndirectW(&metrics.lfMessageFont)}) return font;
  }
  return CreatePointFont(90, L"Tahoma");
}

int LineHeight(HDC dc, HFONT font) {
  SelectionGuard select(dc, font);
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 16;
}

int TextWidthOf(HDC dc, HFONT font, const std::wstring& text) {
  if (text.empty()) return 0;
  SelectionGuard select(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace fw
