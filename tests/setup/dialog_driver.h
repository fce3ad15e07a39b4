// Drives a modal dialog from a helper thread while the test thread runs it, the way a user
// would: read what it shows, choose, press its buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs `runDialog` (a modal dialog) on this thread and `drive` on a helper thread with the
// dialog's window once it is shown. Returns what `runDialog` returned. A dialog the drive
// leaves open is cancelled, so a failing test never hangs.
INT_PTR RunDriven(const std::function<INT_PTR()>& runDialog,
                  const std::function<void(HWND dialog)>& drive);

// A dialog of `thread` other than `except`, shown within `timeoutMs`, or null.
HWND WaitForDialog(DWORD thread, HWND except, DWORD timeoutMs);

// Whether the window is destroyed within `timeoutMs`.
bool WaitUntilClosed(HWND window, DWORD timeoutMs);

struct ListView {
  std::vector<std::wstring> entries;
  int selected = -1;
};
ListView ReadList(HWND list);

std::wstring TextOf(HWND window);

// Presses a button by its command, as a click would.
void Press(HWND dialog, int commandId);
