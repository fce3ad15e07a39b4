#pragma once
// One person's trends: the patient form at the top, the time span of the monitoring records,
// and the SpO2, pulse-rate and NIBP charts under it, moved together by the time bar an hour a
// step. The view's own bars scroll the form and the charts as one page.

#include "controls/dpi_form_view.h"
#include "framework/command_table.h"
#include "views/patient_form.h"
#include "views/person_views.h"
#include "views/trend/chart_panel.h"
#include "views/view_host.h"

namespace wd {

class CTrendView : public CFormViewDPI, public PersonView {
 public:
  explicit CTrendView(ViewHost& host);
  void SetPerson(const PatientId* key) override;
  const PatientId& Person() const override { return person_; }

  bool ExecuteCommand(UINT id) override;
  std::optional<fw::CommandState> QueryCommand(UINT id) const override;

  // What the initial update found: the person's monitoring records and where the charts start.
  int RecordCount() const { return recordCount_; }
  int ChartTop() const { return chartTop_; }
  TrendChartPanel& Charts() { return charts_; }

 protected:
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  void OnScrollBarControl(UINT message, UINT code, int position, HWND scrollBar) override;

 private:
  // Fits the form to the client's width and gives the view its height; the charts' width.
  int LayOutPage(SIZE formSize);
  // Finds the person's records, shows their span and hands them to the charts.
  void ShowRecords(int chartWidth);
  static const fw::CommandTable<CTrendView>& Commands();
  void ShowTable();
  void ShowReport();
  bool HasPerson() const { return !person_.IsEmpty(); }
  bool IsChart(HWND control) const;

  ViewHost& host_;
  PatientId person_{};
  PatientFormPanel form_;
  TrendChartPanel charts_;
  int chartTop_ = 0;
  int recordCount_ = 0;
};

}  // namespace wd
