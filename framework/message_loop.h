#pragma once
// The thread's message loop: each message is first offered to the PreTranslateMessage of the
// top-level window it is for (a frame swallows right-button releases and passes dialog keys
// to its form view), then translated and dispatched.
#include <windows.h>

#include <functional>

namespace fw {

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Handles the messages that arrive until `done` holds or `timeoutMs` has passed; true when
// `done` held. A WM_QUIT met on the way is posted again and ends the wait.
bool RunMessageLoopUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Pre-translation, translation and dispatch of one message.
void ProcessMessage(MSG& message);

}  // namespace fw
