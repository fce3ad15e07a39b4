#pragma once
// Creates dialogs from template bytes with a Window object bound to them: the dialog
// procedure binds the object at WM_INITDIALOG by subclassing, after which every message goes
// through the object's handlers and default processing falls to the dialog manager.
#include <windows.h>

#include "framework/dialog_template.h"
#include "framework/window.h"

namespace fw {

class DialogHost {
 public:
  // Runs once the object is bound; its result is WM_INITDIALOG's (true: default focus).
  using InitHandler = bool (*)(Window& window);

  // A modeless dialog owned by `window`; null on failure.
  static HWND CreateModeless(Window& window, const DialogTemplate& dialog, HWND parent,
                             InitHandler init);
  // A modal dialog; EndDialog's result, or -1 when the dialog could not be created.
  static INT_PTR RunModal(Window& window, const DialogTemplate& dialog, HWND owner,
                          InitHandler init);

 private:
  struct Binding {
    Window* window;
    InitHandler init;
  };
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace fw
