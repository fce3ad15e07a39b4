// Keyboard access to the bar: key tips on the panels, then on the elements of the chosen one.
#include "framework/ribbon/ribbon_bar.h"

#include <cwctype>

#include "framework/ribbon/ribbon_painter.h"

namespace fw {

const RibbonPanel* RibbonBar::KeyTipPanel() const noexcept {
  if (keyTipLevel_ != KeyTipLevel::Elements || ActiveCategory() == nullptr) return nullptr;
  return ActiveCategory()->Panel(keyTipPanel_);
}

bool RibbonBar::PreTranslateKey(const MSG& message) {
  if (hwnd() == nullptr) return false;
  const bool shown = keyTipLevel_ != KeyTipLevel::Off;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKeyDown(static_cast<UINT>(message.wParam), (message.lParam & (1L << 30)) != 0)) {
        swallowKeyUp_ = static_cast<UINT>(message.wParam);
        return true;
      }
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const auto key = static_cast<UINT>(message.wParam);
      if (key == VK_MENU && altAlone_) {
        // Alt pressed and released on its own. Taking the release also keeps the window
        // from entering its system-menu mode.
        altAlone_ = false;
        ShowKeyTips();
        return true;
      }
      if (key == swallowKeyUp_) {
        swallowKeyUp_ = 0;
        return true;
      }
      return shown;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR: return shown;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      altAlone_ = false;
      if (shown) LeaveKeyTips();
      return false;
    default: return false;
  }
}

// True when the bar takes the key press.
bool RibbonBar::OnKeyDown(UINT key, bool repeat) {
  const bool shown = keyTipLevel_ != KeyTipLevel::Off;
  if (key == VK_MENU) {
    if (shown) {
      LeaveKeyTips();
      return true;
    }
    if (!repeat) altAlone_ = true;
    return false;
  }
  altAlone_ = false;
  const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
  if (key == VK_F10 && !shift) {
    if (shown)
      LeaveKeyTips();
    else
      ShowKeyTips();
    return true;
  }
  if (!shown) return false;
  if (key == VK_ESCAPE) {
    KeyTipBack();
    return true;
  }
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    PressKeyTip(static_cast<wchar_t>(key));
    return true;
  }
  if (key == VK_SHIFT || key == VK_CONTROL) return true;
  // Any other key (Tab, arrows, Enter) leaves the key tips and does what it always does.
  LeaveKeyTips();
  return false;
}

void RibbonBar::ShowKeyTips() {
  if (ActiveCategory() == nullptr) return;
  popup_.Close();
  ReleasePress();
  keyTipLevel_ = KeyTipLevel::Panels;
  RefreshCommandStates();
  Invalidate(false);
}

void RibbonBar::LeaveKeyTips() {
  if (keyTipLevel_ == KeyTipLevel::Off) return;
  if (keyTipLevel_ == KeyTipLevel::Elements && popup_.IsOpen()) popup_.Close();
  keyTipLevel_ = KeyTipLevel::Off;
  Invalidate(false);
}

void RibbonBar::KeyTipBack() {
  if (keyTipLevel_ != KeyTipLevel::Elements) {
    LeaveKeyTips();
    return;
  }
  popup_.Close();
  keyTipLevel_ = KeyTipLevel::Panels;
  Invalidate(false);
}

void RibbonBar::PressKeyTip(wchar_t letter) {
  const RibbonCategory* category = ActiveCategory();
  if (category == nullptr) return;
  letter = static_cast<wchar_t>(std::towupper(letter));
  if (keyTipLevel_ == KeyTipLevel::Panels) {
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      if (category->Panel(p)->keyTip() != letter) continue;
      keyTipLevel_ = KeyTipLevel::Elements;
      keyTipPanel_ = p;
      if (category->Panel(p)->collapsed()) {
        OpenPopup(p);
        popup_.ShowKeyTips(true);
      }
      Invalidate(false);
      return;
    }
  } else if (const RibbonPanel* panel = KeyTipPanel()) {
    for (std::size_t e = 0; e < panel->ElementCount(); ++e) {
      RibbonElement* element = panel->Element(e);
      if (element->keyTip() != letter) continue;
      RefreshCommandStates();
      if (!element->IsClickable() || !element->enabled()) break;
      LeaveKeyTips();
      SendCommandOf(*element);
      return;
    }
  }
  ::MessageBeep(MB_OK);  // no such tip, or its command is disabled
}

void RibbonBar::PopupClosed() {
  // A collapsed panel whose element tips showed was closed (a click elsewhere, Escape).
  if (const RibbonPanel* panel = KeyTipPanel(); panel != nullptr && panel->collapsed()) {
    keyTipLevel_ = KeyTipLevel::Off;
  }
  Invalidate(false);
}

void RibbonBar::PaintKeyTips() {
  const RibbonCategory* category = ActiveCategory();
  if (category == nullptr || keyTipLevel_ == KeyTipLevel::Off) return;
  if (keyTipLevel_ == KeyTipLevel::Panels) {
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const RibbonPanel& panel = *category->Panel(p);
      if (panel.keyTip() != 0) {
        PaintKeyTip(canvas_, font(), panel.keyTip(), KeyTipCentre(panel, metrics_), true, metrics_);
      }
    }
  } else if (const RibbonPanel* panel = KeyTipPanel(); panel != nullptr && !panel->collapsed()) {
    PaintElementKeyTips(canvas_, font(), *panel, metrics_);
  }
}

}  // namespace fw
