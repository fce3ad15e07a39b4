#pragma once
// A modal dialog from a template of the current resource module. OK and Cancel end it (Enter,
// Escape and the close box arrive as IDOK / IDCANCEL); other commands go to its table.
//
//   class AboutDialog : public fw::Dialog {
//   public:
//       AboutDialog() : Dialog(100) {}
//   protected:
//       bool OnInitDialog() override { SetDlgItemTextW(hwnd(), 1001, version.c_str()); return true;
//       }
//   };
//   AboutDialog().DoModal(frame.hwnd());
#include <windows.h>

#include "framework/dialog_template.h"
#include "framework/window.h"

namespace fw {

class Dialog : public Window {
 public:
  explicit Dialog(UINT templateId) noexcept : templateId_(templateId) {}

  // The value given to EndDialog, or -1 when the template is missing or unusable.
  INT_PTR DoModal(HWND owner);

 protected:
  virtual bool OnInitDialog() { return true; }  // true: the dialog manager sets the focus
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual void AdjustTemplate(DialogTemplate&) {}
  void EndDialog(INT_PTR result) noexcept;

  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  UINT templateId_;
};

}  // namespace fw
