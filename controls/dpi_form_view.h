#pragma once
// CFormViewDPI: the base of every form view of the program. Above 96 DPI it creates its form
// with the template's font scaled down by 96 / DPI, so the form keeps about the pixel size it
// has at 96 DPI; the template itself is left as it is, so the scaling never accumulates.
//
//   class CMainView : public wd::CFormViewDPI {
//   public:
//       CMainView() : CFormViewDPI(354) {}
//   };
//   view.Create(0, frame.PaneRect(), frame.hwnd(), fw::kPaneFirstId, &context);
//   view.InitialUpdate();
#include <windows.h>

#include "framework/form_view.h"

namespace wd {

// What the owner hands a view while its window is being created: the window that will show it
// and an owner-defined document (the shared data the view reads).
struct CreateContext {
  HWND frame = nullptr;
  void* document = nullptr;
};

class CFormViewDPI : public fw::FormView {
 public:
  using FormView::FormView;

  // Style 0 means child, visible, bordered. TRUE when the form and its controls exist, sized
  // to `rect` and shown when the style says visible; FALSE (and no window) otherwise.
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT controlId,
              const CreateContext* context);

 protected:
  // The creation parameters (style and extended style) before the window exists; false
  // stops the creation.
  virtual bool PreCreateWindow(CREATESTRUCTW& create);
  // The context given to Create, while the window is being created; null afterwards.
  const CreateContext* CreationContext() const noexcept { return creationContext_; }

  void AdjustTemplate(fw::DialogTemplate& form) override;

 private:
  const CreateContext* creationContext_ = nullptr;
};

}  // namespace wd
