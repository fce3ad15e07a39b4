#pragma once
// Message boxes that any thread may show, the download thread included, with the frame of the
// UI thread as owner. The owner is disabled while the box is up, which the system does by
// messages to the owner's thread: that thread must keep handling messages meanwhile (a
// close that waits for the worker must pump, see RunMessageLoopUntil).
#include <windows.h>

#include <string>

namespace fw {

// MessageBoxW's result (IDOK, ...), or 0 when the box could not be shown. The box opens centred
// over its owner.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                   UINT type = MB_OK);

}  // namespace fw
