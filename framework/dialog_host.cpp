#include "framework/dialog_host.h"

#include "framework/modal_loop.h"
#include "framework/resource_module.h"

namespace fw {

HWND DialogHost::CreateModeless(Window& window, const DialogTemplate& dialog, HWND parent,
                                InitHandler init) {
  if (window.hwnd() != nullptr) return nullptr;
  Binding binding{&window, init};
  const HWND created = ::CreateDialogIndirectParamW(
      ResourceModule::Program(), static_cast<const DLGTEMPLATE*>(dialog.data()), parent,
      &DialogProc, reinterpret_cast<LPARAM>(&binding));
  if (created == nullptr) return nullptr;
  if (window.hwnd() != created) {  // WM_INITDIALOG never bound us
    ::DestroyWindow(created);
    return nullptr;
  }
  window.ownsWindow_ = true;
  return created;
}

INT_PTR DialogHost::RunModal(Window& window, const DialogTemplate& dialog, HWND owner,
                             InitHandler init) {
  if (window.hwnd() != nullptr) return -1;
  Binding binding{&window, init};
  ModalLoop loop;
  return ::DialogBoxIndirectParamW(ResourceModule::Program(),
                                   static_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                   &DialogProc, reinterpret_cast<LPARAM>(&binding));
}

INT_PTR CALLBACK DialogHost::DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;  // everything else is the dialog manager's default
  const auto* binding = reinterpret_cast<const Binding*>(lParam);
  Window& window = *binding->window;
  if (!window.Subclass(dialog)) return FALSE;
  if (binding->init == nullptr) return FALSE;
  try {
    return binding->init(window) ? TRUE : FALSE;
  } catch (const std::exception& error) {
    window.OnHandlerException(error.what());
  } catch (...) {
    window.OnHandlerException("unknown exception in dialog initialisation");
  }
  return FALSE;
}

}  // namespace fw
