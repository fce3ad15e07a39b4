#pragma once
// Creates a dialog template as a live window the way the views do: child templates inside a
// top-level host window (as the main frame hosts a view), the About box as a popup it owns.

#include <windows.h>

namespace wd::test {

// The top-level window that stands in for the main frame. Hidden unless `visible`.
class HostWindow {
 public:
  explicit HostWindow(bool visible);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// One dialog in a host; a child form resizes the host to its own size, and is shown when the
// host is. `get()` is null when the template could not be created.
class HostedDialog {
 public:
  HostedDialog(HMODULE module, int templateId, const HostWindow& host);
  ~HostedDialog();
  HostedDialog(const HostedDialog&) = delete;
  HostedDialog& operator=(const HostedDialog&) = delete;

  HWND get() const { return dialog_; }

 private:
  HWND dialog_ = nullptr;
};

// Handles the messages waiting for this thread, so windows finish painting.
void PumpMessages();

}  // namespace wd::test
