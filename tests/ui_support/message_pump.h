#pragma once
// Message pumping for tests: windows of the test thread keep working while a test waits.
#include <windows.h>

#include <functional>

namespace ui_support {

void PumpMessagesFor(DWORD milliseconds);
// True when `done` held before the timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

}  // namespace ui_support
