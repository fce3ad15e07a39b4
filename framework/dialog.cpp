#include "framework/dialog.h"

#include "framework/dialog_host.h"
#include "framework/modal_loop.h"
#include "framework/resource_module.h"

namespace fw {

INT_PTR Dialog::DoModal(HWND owner) {
  const auto bytes = FindDialogTemplate(templateId_);
  if (!bytes) return -1;
  auto dialog = DialogTemplate::Parse(*bytes);
  if (!dialog) return -1;
  AdjustTemplate(*dialog);
  return DialogHost::RunModal(*this, *dialog, owner, [](Window& window) {
    auto& self = static_cast<Dialog&>(window);
    CentreOverOwner(self.hwnd(), ::GetWindow(self.hwnd(), GW_OWNER));
    return self.OnInitDialog();
  });
}

void Dialog::EndDialog(INT_PTR result) noexcept {
  if (hwnd() != nullptr) ::EndDialog(hwnd(), result);
}

bool Dialog::OnCommand(UINT id, UINT code, HWND control) {
  const bool isCommand = control == nullptr || code == BN_CLICKED;
  if (isCommand && id == IDOK) {
    OnOK();
    return true;
  }
  if (isCommand && id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return Window::OnCommand(id, code, control);
}

}  // namespace fw
