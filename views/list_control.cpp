#include "views/list_control.h"

#include "views/list_header_painter.h"

namespace wd {

void StyleDataList(HWND list, HFONT font) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP |
                                              LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                                              LVS_EX_FLATSB);
  ListView_SetBkColor(list, kViewBackground);
  ListView_SetTextBkColor(list, kViewBackground);
  ListView_SetTextColor(list, RGB(0, 0, 0));
  if (HWND header = ListView_GetHeader(list)) {
    InstallHeaderPainter(header);
    ::SetWindowLongPtrW(header, GWL_STYLE, ::GetWindowLongPtrW(header, GWL_STYLE) & ~HDS_BUTTONS);
  }
  HIMAGELIST images = ImageList_Create(20, 20, ILC_MASK, 2, 1);
  ListView_SetImageList(list, images, LVSIL_SMALL);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

int InsertListColumn(HWND list, int index, const std::wstring& title, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  column.iSubItem = index;
  return ListView_InsertColumn(list, index, &column);
}

void SetListCell(HWND list, int row, int column, const std::wstring& text) {
  ListView_SetItemText(list, row, column, const_cast<wchar_t*>(text.c_str()));
}

int InsertListRow(HWND list, int row, const std::wstring& firstCell, LPARAM data) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(firstCell.c_str());
  item.lParam = data;
  return ListView_InsertItem(list, &item);
}

}  // namespace wd
