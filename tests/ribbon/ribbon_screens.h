// Screenshots of the bars under build/win/screens/ribbon/, to look at after a run.
#pragma once
#include <windows.h>

#include <string>

namespace ribbon_test {

// Saves `window` (its client area, or all of it) as `name` in the screens folder.
bool SaveScreenshot(HWND window, const std::wstring& name, bool wholeWindow = false);

}  // namespace ribbon_test
