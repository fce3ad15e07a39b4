#pragma once
// A view whose controls come from a dialog template of the current resource module: a
// modeless child dialog that scrolls like a document view. The template can be adjusted
// before creation (a DPI-aware base scales its font there); its size in pixels becomes the
// total scroll size, so a client smaller than the form gets scroll bars.
//
//   class HomeView : public fw::FormView {
//   public:
//       HomeView() : FormView(354) {}
//   protected:
//       void OnInitialUpdate() override { BindControl(1009, aboutButton_); ... }
//       HBRUSH OnCtlColor(HDC, HWND, UINT kind) override {
//           return kind == WM_CTLCOLORDLG ? background_.get() : nullptr; }
//   };
//   view.Create(frame.hwnd(), fw::kPaneFirstId, frame.PaneRect());  view.InitialUpdate();
#include <windows.h>

#include "framework/dialog_template.h"
#include "framework/scroll_view.h"

namespace fw {

class FormView : public ScrollView {
 public:
  explicit FormView(UINT templateId) noexcept : templateId_(templateId) {}

  // Style 0 means child, visible, bordered. The caption/border bits of `style` and the
  // client edge of `exStyle` are applied; the template's own frame is dropped.
  bool Create(HWND parent, UINT controlId, const RECT& rect, DWORD style = 0, DWORD exStyle = 0);
  // Runs OnInitialUpdate once the owner has handed the view what it needs, then gives each
  // control its command's state.
  void InitialUpdate() {
    OnInitialUpdate();
    UpdateControls();
  }

  UINT TemplateId() const noexcept { return templateId_; }

  // Attaches a wrapper object to the control `controlId` of the form.
  bool BindControl(int controlId, Window& control);

  // Tab, arrows and mnemonics among the form's controls.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  virtual void AdjustTemplate(DialogTemplate&) {}
  virtual void OnInitialUpdate() {}

 private:
  UINT templateId_;
};

}  // namespace fw
