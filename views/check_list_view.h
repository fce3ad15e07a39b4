#pragma once
// The ward-round list: every ward-round record of every person (a virtual list sorted by id
// number, numbered in display order), with the person's details from the register, and the
// export of all of them to a ".cDat" file.

#include <vector>

#include "controls/dpi_form_view.h"
#include "data/patient_register.h"
#include "framework/command_table.h"
#include "framework/handles.h"
#include "views/data_list_panel.h"
#include "views/logic/list_cells.h"
#include "views/person_views.h"
#include "views/view_host.h"

namespace wd {

class CCheckListView : public CFormViewDPI, public PersonPicker {
 public:
  explicit CCheckListView(ViewHost& host);
  // The store's key of the selected row's person, or null when no row is selected.
  const PatientId* SelectedPerson() const override;

  HWND List() const { return list_.hwnd(); }
  // The rows in display order; row i is numbered i + 1.
  const std::vector<WardRoundListRow>& Rows() const { return rows_; }

  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }

 protected:
  void AdjustTemplate(fw::DialogTemplate& form) override;
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  static const fw::CommandTable<CCheckListView>& Commands();
  void Export();
  void ExportCsv();
  bool HasRows() const { return !rows_.empty(); }

  void FitColumnsToTexts() const;
  void FillList();
  void PlaceList();

  ViewHost& host_;
  fw::Brush background_;
  DataListPanel list_;
  int listTop_ = 0;  // in form coordinates
  SexTexts sexTexts_;
  RegisterSnapshot people_;
  std::vector<WardRoundListRow> rows_;
};

}  // namespace wd
