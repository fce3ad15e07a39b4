#include "controls/limited_edit.h"

#include <array>

#include "controls/logic/form_rules.h"

namespace wd {
namespace {

// The edit's own clipboard and undo keys arrive as characters too (Ctrl+A, C, V, X, Z); they
// add no typed text, so a full field still copies, pastes and undoes.
bool IsEditingKey(UINT character) {
  return character == 0x01 || character == 0x03 || character == 0x16 || character == 0x18 ||
         character == 0x1A;
}

}  // namespace

void CEdit50::OnChar(UINT character, UINT) {
  std::array<wchar_t, 250> text{};
  const int length = ::GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()));
  const std::size_t typed = length > 0 ? static_cast<std::size_t>(length) : 0;
  if (!IsEditingKey(character) &&
      !EditAcceptsCharacter(typed, m_nLimit, static_cast<wchar_t>(character))) {
    return;
  }
  Default();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

bool CEdit50::OnReflectedCommand(UINT code) {
  if (code != EN_VSCROLL) return false;
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  return true;
}

}  // namespace wd
