#pragma once
// The data overview: one row per person with monitoring records and a last row with all
// ward-round records; a click opens that person's monitoring list or the ward-round list. A
// button above the list exports its rows as CSV.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/command_table.h"
#include "framework/window.h"
#include "views/data_list_panel.h"
#include "views/view_host.h"

namespace wd {

class CChildView : public fw::Window {
 public:
  static constexpr UINT kListId = 32820;

  explicit CChildView(ViewHost& host) : host_(host) {}
  ~CChildView() override { Destroy(); }

  bool Create(HWND frame, UINT id, const RECT& rect);
  HWND List() const { return list_.hwnd(); }

  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }

 protected:
  int OnCreate(const CREATESTRUCTW& create) override;
  void OnPaint() override;
  void OnSize(UINT type, int width, int height) override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  void OnLButtonDblClk(UINT keys, POINT point) override;
  void OnHScroll(UINT code, int position, HWND scrollBar) override;
  void OnVScroll(UINT code, int position, HWND scrollBar) override;

 private:
  static const fw::CommandTable<CChildView>& Commands();
  void ExportCsv();
  bool HasRows() const { return !rows_.empty(); }
  void Fill();
  void Layout(int width, int height);
  std::u16string CellOf(std::size_t row, int column) const;
  void OpenRow(int row);
  void Step(int bar, UINT code);

  // One row: a person with monitoring records, or the ward-round row (no key).
  struct Row {
    const PatientId* key;
    std::u16string item;
    std::u16string data;
  };

  ViewHost& host_;
  int mode_ = 1;  // 1: list shown; 2, 3, 4: hidden until a double click
  DataListPanel list_;
  HWND exportButton_ = nullptr;
  int listTop_ = 0;
  std::vector<Row> rows_;
};

}  // namespace wd
