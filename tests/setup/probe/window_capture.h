// Screenshots of a window as 24-bit BMP files.
#pragma once

#include <windows.h>

#include <string>

// Copies the window's screen area, frame included, into a BMP file. False also while the area
// is still blank.
bool SaveWindowPicture(HWND window, const std::wstring& path);
