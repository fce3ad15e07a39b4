#pragma once
// Creates a dialog template as a live window the way the views do: child templates inside a
// top-level host window, the About box as a popup. Owns both windows.

#include <windows.h>

namespace wd::test {

class HostedDialog {
 public:
  // Hidden unless `visible`; `dialog()` is null when the template could not be created.
  HostedDialog(HMODULE module, int templateId, bool visible = false);
  ~HostedDialog();
  HostedDialog(const HostedDialog&) = delete;
  HostedDialog& operator=(const HostedDialog&) = delete;

  HWND dialog() const { return dialog_; }
  HWND host() const { return host_; }

 private:
  HWND host_ = nullptr;
  HWND dialog_ = nullptr;
};

// Handles the messages waiting for this thread, so windows finish painting.
void PumpMessages();

}  // namespace wd::test
