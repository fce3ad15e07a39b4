#pragma once
// One person's report as it will be printed: the pages previewed one at a time, fitted to the
// view, with buttons to turn them and to print them through the system's print dialog.

#include <memory>

#include "controls/dpi_form_view.h"
#include "framework/command_table.h"
#include "framework/gdi_objects.h"
#include "views/person_views.h"
#include "views/report/report_document.h"
#include "views/report/report_preview.h"
#include "views/view_host.h"

namespace wd {

class CReportView : public CFormViewDPI, public PersonView {
 public:
  explicit CReportView(ViewHost& host);
  void SetPerson(const PatientId* key) override;
  const PatientId& Person() const override { return person_; }

  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }

  // What the view shows: the plan of the preview's pages and the page on view.
  const ReportPlan& Plan() const { return plan_; }
  std::size_t Page() const { return page_; }
  const ReportDocument& Document() const { return *document_; }
  ReportPreview& Preview() { return preview_; }

 protected:
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  static const fw::CommandTable<CReportView>& Commands();
  void Print();
  void PreviousPage() { ShowPage(page_ - 1); }
  void NextPage() { ShowPage(page_ + 1); }
  bool HasPages() const { return !plan_.pages.empty(); }
  bool HasPreviousPage() const { return page_ > 0; }
  bool HasNextPage() const { return page_ + 1 < plan_.pages.size(); }
  void ShowPage(std::size_t page);
  void PlacePreview();

  ViewHost& host_;
  PatientId person_{};
  fw::Brush background_;
  std::unique_ptr<ReportDocument> document_;
  ReportPlan plan_;
  std::size_t page_ = 0;
  ReportPreview preview_;
  const wchar_t* fontFace_ = L"Arial";
  int previewTop_ = 0;  // in form coordinates
};

}  // namespace wd
