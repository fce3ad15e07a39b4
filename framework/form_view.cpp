#include "framework/form_view.h"

#include "framework/dialog_host.h"
#include "framework/resource_module.h"

namespace fw {
namespace {

constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME;
constexpr DWORD kFrameExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_APPWINDOW | WS_EX_TOOLWINDOW;

}  // namespace

bool FormView::Create(HWND parent, UINT controlId, const RECT& rect, DWORD style, DWORD exStyle) {
  if (hwnd() != nullptr) return false;
  if (style == 0) style = WS_CHILD | WS_VISIBLE | WS_BORDER;
  const auto bytes = FindDialogTemplate(templateId_);
  if (!bytes) return false;
  auto form = DialogTemplate::Parse(*bytes);
  if (!form) return false;
  AdjustTemplate(*form);
  // A hidden child without a frame of its own, so its window size is the form's size.
  form->SetStyle((form->Style() & ~kFrameStyles) | WS_CHILD | DS_CONTROL);
  form->SetExStyle(form->ExStyle() & ~kFrameExStyles);

  const HWND window = DialogHost::CreateModeless(*this, *form, parent, nullptr);
  if (window == nullptr) return false;

  RECT formRect{};
  ::GetWindowRect(window, &formRect);
  const SIZE formSize{formRect.right - formRect.left, formRect.bottom - formRect.top};

  const LONG_PTR currentStyle = ::GetWindowLongPtrW(window, GWL_STYLE);
  ::SetWindowLongPtrW(window, GWL_STYLE,
                      (currentStyle & ~LONG_PTR{WS_CAPTION}) | (style & WS_CAPTION));
  const LONG_PTR currentEx = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  ::SetWindowLongPtrW(window, GWL_EXSTYLE,
                      (currentEx & ~LONG_PTR{WS_EX_CLIENTEDGE}) | (exStyle & WS_EX_CLIENTEDGE));
  ::SetWindowLongPtrW(window, GWLP_ID, static_cast<LONG_PTR>(controlId));

  SetScrollSizes(formSize);
  ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if ((style & WS_VISIBLE) != 0) ::ShowWindow(window, SW_SHOWNA);
  return true;
}

bool FormView::BindControl(int controlId, Window& control) {
  const HWND child = Child(controlId);
  return child != nullptr && control.Attach(child);
}

bool FormView::PreTranslateMessage(MSG& message) {
  if (hwnd() == nullptr) return false;
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  return ::IsDialogMessageW(hwnd(), &message) != FALSE;
}

}  // namespace fw
