#pragma once
// The look of every data list's header row: white centred titles and white column separators
// on RGB(0, 50, 183), and no sizing, clicking or dragging of columns.

#include <windows.h>

namespace wd {

inline constexpr COLORREF kHeaderColour = RGB(0, 50, 183);

// Takes over the header's painting and mouse handling (a comctl32 subclass, so each header
// keeps its own original procedure).
bool InstallHeaderPainter(HWND header);

}  // namespace wd
