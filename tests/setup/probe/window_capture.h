// Screenshots of a window as PNG files.
#pragma once

#include <windows.h>

#include <string>

// Copies the window's screen area, frame included, into a PNG file. False also while the area
// is still blank.
bool SaveWindowPicture(HWND window, const std::wstring& path);
