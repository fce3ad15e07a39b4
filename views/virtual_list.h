#pragma once
// The data views' lists as virtual lists (LVS_OWNERDATA): the control holds only a row count
// and asks for each visible cell's text, so opening a list of 65,536 records costs no more than
// one of a thousand.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace wd {

// Replaces the list control `id` of a form, which came from its template without owner data
// (a style fixed at creation), by a virtual one with the same place in the window order,
// position, size, styles and font. Null when the control is missing or cannot be made.
HWND ReplaceWithVirtualList(HWND form, int id);

// Copies `text` into the buffer the list gave with LVN_GETDISPINFO, cut to its size.
void SetDisplayText(NMLVDISPINFOW& info, std::wstring_view text);

// Answers the list's LVN_GETDISPINFO with `cellText(row, column)` (a std::u16string) for rows
// below `rowCount`. False for any other notification.
template <class CellText>
bool AnswerDisplayInfo(NMHDR& header, HWND list, std::size_t rowCount, CellText cellText) {
  if (header.hwndFrom != list || list == nullptr || header.code != LVN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
  const auto row = static_cast<std::size_t>(info.item.iItem);
  if (info.item.iItem >= 0 && row < rowCount) {
    const std::u16string text = cellText(row, info.item.iSubItem);
    SetDisplayText(info, std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  }
  return true;
}

// A column: its title (string id, or a literal text when the id is 0) and width in pixels.
struct ListColumn {
  UINT title;
  const wchar_t* literal;
  int width;
};
// Inserts the columns in order, each with the given alignment (LVCFMT_CENTER, ...).
void InsertListColumns(HWND list, std::span<const ListColumn> columns, int format);

// The selected row, or -1.
int SelectedRow(HWND list);

}  // namespace wd
