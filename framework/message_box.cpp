#include "framework/message_box.h"

namespace fw {

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    // A window that is gone by now (the frame closing) would make the box ownerless anyway.
    if (owner != nullptr && !::IsWindow(owner)) owner = nullptr;
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

}  // namespace fw
