#include "tests/ui_support/message_pump.h"

#include "framework/message_loop.h"

namespace ui_support {

void PumpMessagesFor(DWORD milliseconds) {
  fw::RunMessageLoopUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return fw::RunMessageLoopUntil(done, timeoutMs);
}

}  // namespace ui_support
