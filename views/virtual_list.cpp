#include "views/virtual_list.h"

#include <algorithm>

#include "framework/resource_module.h"
#include "views/form_fit.h"
#include "views/list_control.h"

namespace wd {

HWND ReplaceWithVirtualList(HWND form, int id) {
  const HWND old = ::GetDlgItem(form, id);
  if (old == nullptr) return nullptr;
  const RECT rect = RectInForm(form, old);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(old, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(old, GWL_EXSTYLE));
  const HWND list = ::CreateWindowExW(exStyle, WC_LISTVIEWW, L"", style | LVS_OWNERDATA, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, form,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      ::GetModuleHandleW(nullptr), nullptr);
  if (list == nullptr) return nullptr;
  ::SendMessageW(list, WM_SETFONT, ::SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
  // Tab order and the form's re-layout follow the window order.
  ::SetWindowPos(list, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(old);
  return list;
}

void SetDisplayText(NMLVDISPINFOW& info, std::wstring_view text) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
  const std::size_t room = static_cast<std::size_t>(info.item.cchTextMax) - 1;
  const std::size_t length = std::min(room, text.size());
  std::copy_n(text.data(), length, info.item.pszText);
  info.item.pszText[length] = L'\0';
}

void InsertListColumns(HWND list, std::span<const ListColumn> columns, int format) {
  // A list's first column is always drawn left-aligned; one inserted after a placeholder that is
  // then removed keeps its own alignment.
  const bool placeholder = format != LVCFMT_LEFT;
  if (placeholder) InsertListColumn(list, 0, L"", 0, LVCFMT_LEFT);
  int index = placeholder ? 1 : 0;
  for (const ListColumn& column : columns) {
    const std::wstring title = column.title != 0 ? fw::LoadStringResource(column.title) : column.literal;
    InsertListColumn(list, index++, title, column.width, format);
  }
  if (placeholder) ListView_DeleteColumn(list, 0);
}

int SelectedRow(HWND list) {
  return list != nullptr ? static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                           LVNI_SELECTED))
                         : -1;
}

}  // namespace wd
