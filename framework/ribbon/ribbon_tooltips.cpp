#include "framework/ribbon/ribbon_tooltips.h"

#include <commctrl.h>

#include <string>

namespace fw {
namespace {

TOOLINFOW ToolOf(HWND owner, UINT_PTR id) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner;
  tool.uId = id;
  return tool;
}

}  // namespace

bool RibbonTooltips::Create(HWND owner) {
  Destroy();
  owner_ = owner;
  tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
  if (tip_ == nullptr) return false;
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  return true;
}

void RibbonTooltips::Destroy() noexcept {
  if (tip_ != nullptr && ::IsWindow(tip_)) ::DestroyWindow(tip_);
  tip_ = nullptr;
  tools_.clear();
}

void RibbonTooltips::SetTools(const std::vector<std::pair<UINT_PTR, RECT>>& tools) {
  if (tip_ == nullptr) return;
  for (const UINT_PTR id : tools_) {
    TOOLINFOW tool = ToolOf(owner_, id);
    ::SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  tools_.clear();
  for (const auto& [id, rect] : tools) {
    TOOLINFOW tool = ToolOf(owner_, id);
    tool.uFlags = 0;
    tool.rect = rect;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
      tools_.push_back(id);
  }
}

void RibbonTooltips::Relay(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (tip_ == nullptr) return;
  MSG relayed{};
  relayed.hwnd = owner_;
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(::GetMessageTime());
  ::GetCursorPos(&relayed.pt);
  ::SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void RibbonTooltips::SetTitle(const std::wstring& title) const {
  if (tip_ != nullptr)
    ::SendMessageW(tip_, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(title.c_str()));
}

}  // namespace fw
