#pragma once
// The bars' user-interface font (the system's message font, which Wine maps to its CJK
// replacement so Chinese captions render) and the measures of text in it.
#include <windows.h>

#include <string>

#include "framework/handles.h"

namespace fw {

Font CreateMessageFont();

// Height of a line of `font` on `dc` (the cell height, as DrawText advances).
int LineHeight(HDC dc, HFONT font);
// Width of `text` in `font` on `dc`.
int TextWidthOf(HDC dc, HFONT font, const std::wstring& text);

}  // namespace fw
