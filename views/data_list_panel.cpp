#include "views/data_list_panel.h"

#include <algorithm>

#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "views/list_header_painter.h"
#include "views/view_colours.h"

namespace wd {
namespace {

constexpr int kListFontTenths = 150;  // 15-point Arial
constexpr int kRowHeight = 20;        // set through the small-image list

void InsertColumn(HWND list, int index, const std::wstring& title, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  column.iSubItem = index;
  ListView_InsertColumn(list, index, &column);
}

void InsertColumns(HWND list, std::span<const ListColumn> columns, int format) {
  // A list's first column is always drawn left-aligned; one inserted after a placeholder that is
  // then removed keeps its own alignment.
  const bool placeholder = format != LVCFMT_LEFT;
  if (placeholder) InsertColumn(list, 0, L"", 0, LVCFMT_LEFT);
  int index = placeholder ? 1 : 0;
  for (const ListColumn& column : columns) {
    const std::wstring title =
        column.title != 0 ? fw::LoadStringResource(column.title) : column.literal;
    InsertColumn(list, index++, title, column.width, format);
  }
  if (placeholder) ListView_DeleteColumn(list, 0);
}

}  // namespace

bool DataListPanel::MakeVirtual(fw::DialogTemplate& form, int id) {
  const fw::DialogControl* list = form.FindControl(id);
  return list != nullptr && form.SetControlStyle(id, list->style | LVS_OWNERDATA);
}

bool DataListPanel::Attach(HWND form, int id, std::span<const ListColumn> columns, int format,
                           CellText cells) {
  list_ = ::GetDlgItem(form, id);
  if (list_ == nullptr) return false;
  SetUp(columns, format, std::move(cells));
  return true;
}

bool DataListPanel::Create(HWND parent, int id, const RECT& rect,
                           std::span<const ListColumn> columns, int format, CellText cells) {
  // No label editing: nothing would take the edited text, and an editable cell reads as if the
  // data could be changed here.
  list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_ALIGNLEFT | LVS_OWNERDATA,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr) return false;
  SetUp(columns, format, std::move(cells));
  return true;
}

// Black on light blue, the header painted and drawn flat, rows 20 pixels high through an empty
// image list (owned by the list: LVS_SHAREIMAGELISTS is not set), 15-point Arial.
void DataListPanel::SetUp(std::span<const ListColumn> columns, int format, CellText cells) {
  cells_ = std::move(cells);
  // Nothing of the list is drawn until it is set up: each style, the font and every column would
  // each lay out and invalidate it again.
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  font_ = fw::CreatePointFont(kListFontTenths, L"Arial");
  ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP |
                                               LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                                               LVS_EX_FLATSB);
  ListView_SetBkColor(list_, kViewBackground);
  ListView_SetTextBkColor(list_, kViewBackground);
  ListView_SetTextColor(list_, RGB(0, 0, 0));
  if (HWND header = ListView_GetHeader(list_)) {
    header_.Attach(header);
    ::SetWindowLongPtrW(header, GWL_STYLE, ::GetWindowLongPtrW(header, GWL_STYLE) & ~HDS_BUTTONS);
  }
  ListView_SetImageList(list_, ImageList_Create(kRowHeight, kRowHeight, ILC_MASK, 2, 1),
                        LVSIL_SMALL);
  ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  InsertColumns(list_, columns, format);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
}

void DataListPanel::SetRowCount(std::size_t rows) {
  rows_ = rows;
  if (list_ != nullptr) ::SendMessageW(list_, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
}

void DataListPanel::Place(const RECT& rect) const {
  if (list_ == nullptr) return;
  ::MoveWindow(list_, rect.left, rect.top, std::max<LONG>(0, rect.right - rect.left),
               std::max<LONG>(0, rect.bottom - rect.top), TRUE);
}

int DataListPanel::SelectedRow() const {
  if (list_ == nullptr) return -1;
  return static_cast<int>(
      ::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void DataListPanel::FitColumn(int column, std::span<const std::wstring_view> samples) const {
  constexpr int kCellMargin = 16;
  if (list_ == nullptr) return;
  wchar_t title[128] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH;
  info.pszText = title;
  info.cchTextMax = static_cast<int>(std::size(title));
  if (!ListView_GetColumn(list_, column, &info)) return;
  int needed = ListView_GetStringWidth(list_, title);
  for (std::wstring_view sample : samples) {
    needed = std::max(
        needed, static_cast<int>(ListView_GetStringWidth(list_, std::wstring(sample).c_str())));
  }
  // The first column's text starts after the small-image list's width.
  const int width = needed + kCellMargin + (column == 0 ? kRowHeight : 0);
  if (width > info.cx) ListView_SetColumnWidth(list_, column, width);
}

bool DataListPanel::OnNotify(NMHDR& header, LRESULT& result) const {
  if (list_ == nullptr || header.hwndFrom != list_ || header.code != LVN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
  const auto row = static_cast<std::size_t>(info.item.iItem);
  if (info.item.iItem >= 0 && row < rows_ && cells_) {
    const std::u16string text = cells_(row, info.item.iSubItem);
    SetDisplayText(info,
                   std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  }
  result = 0;
  return true;
}

std::vector<std::u16string> ColumnTitles(std::span<const ListColumn> columns) {
  std::vector<std::u16string> titles;
  for (const ListColumn& column : columns) {
    const std::wstring title =
        column.title != 0 ? fw::LoadStringResource(column.title) : column.literal;
    titles.emplace_back(title.begin(), title.end());
  }
  return titles;
}

void SetDisplayText(NMLVDISPINFOW& info, std::wstring_view text) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr ||
      info.item.cchTextMax <= 0)
    return;
  const std::size_t room = static_cast<std::size_t>(info.item.cchTextMax) - 1;
  const std::size_t length = std::min(room, text.size());
  std::copy_n(text.data(), length, info.item.pszText);
  info.item.pszText[length] = L'\0';
}

}  // namespace wd
