#pragma once
// What both bars share: their window, and the user-interface font (the system's message
// font, which Wine maps to its CJK replacement so Chinese captions render).
#include <windows.h>

#include <string>

#include "framework/handles.h"

namespace fw {

class Window;

// A bar's window: a visible child of `parent` with control id `id`, painted whole by its
// object (no class background), arrow cursor.
bool CreateBarWindow(Window& bar, HWND parent, UINT id);

Font CreateMessageFont();

// Height of a line of `font` on `dc` (the cell height, as DrawText advances).
int LineHeight(HDC dc, HFONT font);
// Width of `text` in `font` on `dc`.
int TextWidthOf(HDC dc, HFONT font, const std::wstring& text);

}  // namespace fw
