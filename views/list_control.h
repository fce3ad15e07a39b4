#pragma once
// Helpers for the report-style list controls of the data views.

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace wd {

inline constexpr COLORREF kViewBackground = RGB(180, 200, 255);

// The list look every data view shares: black text on light blue, the header
// painted by InstallHeaderPainter and drawn flat, rows 20 pixels high through an empty 20 x 20
// image list (owned by the list: LVS_SHAREIMAGELISTS is not set), the given font.
void StyleDataList(HWND list, HFONT font);

int InsertListColumn(HWND list, int index, const std::wstring& title, int width, int format);
void SetListCell(HWND list, int row, int column, const std::wstring& text);
int InsertListRow(HWND list, int row, const std::wstring& firstCell, LPARAM data);

}  // namespace wd
