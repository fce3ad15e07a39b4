#pragma once
// One person's monitoring records as a table (a virtual list, sorted by time, numbered in
// display order), with the patient form above it. The form can be collapsed so the list takes
// the whole view; from here the person's records are exported or their trends opened.

#include <vector>

#include "controls/dpi_form_view.h"
#include "data/vital_record.h"
#include "framework/command_table.h"
#include "views/data_list_panel.h"
#include "views/patient_form.h"
#include "views/person_views.h"
#include "views/view_host.h"

namespace wd {

class CMonitorListView : public CFormViewDPI, public PersonView {
 public:
  explicit CMonitorListView(ViewHost& host);
  void SetPerson(const PatientId* key) override;
  const PatientId& Person() const override { return person_; }

  HWND List() const { return list_.hwnd(); }
  // The records shown, in display order; row i is numbered i + 1.
  const std::vector<const VitalRecord*>& Rows() const { return rows_; }
  bool Collapsed() const { return form_.Collapsed(); }

  bool ExecuteCommand(UINT id) override;
  std::optional<fw::CommandState> QueryCommand(UINT id) const override;

 protected:
  void AdjustTemplate(fw::DialogTemplate& form) override;
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  static const fw::CommandTable<CMonitorListView>& Commands();
  void FillList();
  void ShowTimeSpan();
  // The list from `top` (client coordinates) across the client, down to `bottom`.
  void PlaceList(int top, int bottom);
  int BottomOf(int controlId) const;
  void OnCollapsed(bool collapsed);
  void ShowTrend();
  void ShowReport();
  void ExportCsv();
  bool HasPerson() const { return !person_.IsEmpty(); }
  bool HasRows() const { return !rows_.empty(); }

  ViewHost& host_;
  PatientId person_{};
  PatientFormPanel form_;
  DataListPanel list_;
  std::vector<const VitalRecord*> rows_;
  SIZE formSize_{};
  SIZE expandedSize_{};  // the scroll sizes while the form is shown
};

}  // namespace wd
