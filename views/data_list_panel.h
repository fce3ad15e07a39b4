#pragma once
// The data list of a view, as the data overview, the monitoring list and the ward-round list all
// show one: a report-style virtual list (LVS_OWNERDATA: the control holds a row count and asks
// for each visible cell, so 65,536 rows cost no more than a thousand) in 15-point Arial, black
// on light blue, with the painted flat header, rows 20 pixels high, its columns, its place and
// the texts it asks for.
//
//   void AdjustTemplate(fw::DialogTemplate& form) override {   // before the form exists
//     CFormViewDPI::AdjustTemplate(form);
//     DataListPanel::MakeVirtual(form, IDC_CHECK_LIST);
//   }
//   list_.Attach(hwnd(), IDC_CHECK_LIST, kColumns, LVCFMT_LEFT,
//                [this](std::size_t row, int column) { return CellOf(row, column); });
//   list_.SetRowCount(rows_.size());
//   bool OnNotify(NMHDR& header, LRESULT& result) override {
//     return list_.OnNotify(header, result) || CFormViewDPI::OnNotify(header, result); }

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/dialog_template.h"
#include "framework/handles.h"
#include "views/list_header_painter.h"

namespace wd {

// A column: its title (string id, or a literal text when the id is 0) and width in pixels.
struct ListColumn {
  UINT title;
  const wchar_t* literal;
  int width;
};

class DataListPanel {
 public:
  // The text of a cell; asked only for rows below the row count.
  using CellText = std::function<std::u16string(std::size_t row, int column)>;

  DataListPanel() = default;
  DataListPanel(const DataListPanel&) = delete;
  DataListPanel& operator=(const DataListPanel&) = delete;

  // Marks the list control `id` of a form's template virtual, a style a list takes only when
  // it is made. False when the template has no such control.
  static bool MakeVirtual(fw::DialogTemplate& form, int id);

  // Takes the form's list control `id` (made virtual by MakeVirtual), styles it and inserts the
  // columns, each aligned by `format` (LVCFMT_LEFT, LVCFMT_CENTER). False without that control.
  bool Attach(HWND form, int id, std::span<const ListColumn> columns, int format, CellText cells);
  // The list made as a child `id` of a window that is no form, over `rect`.
  bool Create(HWND parent, int id, const RECT& rect, std::span<const ListColumn> columns,
              int format, CellText cells);

  void SetRowCount(std::size_t rows);
  std::size_t RowCount() const { return rows_; }
  // The list over `rect`, in its parent's client coordinates.
  void Place(const RECT& rect) const;
  // The selected row, or -1.
  int SelectedRow() const;
  // Widens a column, never narrows it, to its title's width or the widest of `samples` (the
  // longest texts it can hold) in the list's font, with a cell's margins.
  void FitColumn(int column, std::span<const std::wstring_view> samples) const;
  // Answers the list's LVN_GETDISPINFO; false for every other notification.
  bool OnNotify(NMHDR& header, LRESULT& result) const;

  HWND hwnd() const { return list_; }

 private:
  void SetUp(std::span<const ListColumn> columns, int format, CellText cells);

  fw::Font font_;
  HWND list_ = nullptr;
  ListHeaderPainter header_;
  CellText cells_;
  std::size_t rows_ = 0;
};

// The columns' titles in the current resources (a CSV of the list has the same header).
std::vector<std::u16string> ColumnTitles(std::span<const ListColumn> columns);

// Copies `text` into the buffer the list gave with LVN_GETDISPINFO, cut to its size.
void SetDisplayText(NMLVDISPINFOW& info, std::wstring_view text);

}  // namespace wd
