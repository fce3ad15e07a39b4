#include "views/report/report_view.h"

#include <algorithm>

#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/form_fit.h"
#include "views/report/report_painter.h"
#include "views/report/report_printing.h"
#include "views/text_format.h"
#include "views/view_colours.h"
#include "views/view_messages.h"

namespace wd {

const fw::CommandTable<CReportView>& CReportView::Commands() {
  static const fw::CommandTable<CReportView> table{
      {IDC_REPORT_PRINT, &CReportView::Print, &CReportView::HasPages},
      {IDC_REPORT_PREVIOUS, &CReportView::PreviousPage, &CReportView::HasPreviousPage},
      {IDC_REPORT_NEXT, &CReportView::NextPage, &CReportView::HasNextPage},
  };
  return table;
}

CReportView::CReportView(ViewHost& host)
    : CFormViewDPI(IDD_REPORT_VIEW),
      host_(host),
      background_(fw::CreateSolidBrush(kViewBackground)) {}

void CReportView::SetPerson(const PatientId* key) { person_ = key != nullptr ? *key : PatientId{}; }

void CReportView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  BindControl(IDC_REPORT_PREVIEW, preview_);
  previewTop_ = RectInForm(hwnd(), preview_.hwnd()).top + ScrollPosition().y;
  fontFace_ = ReportFontFace(fw::ResourceModule::IsProgramCurrent());
  document_ = std::make_unique<ReportDocument>(
      MakeReportDocument(host_.Store(), person_, host_.RegisterFolder()));
  // The preview shows A4; printing plans again for the printer's own paper.
  plan_ = PlanPages(*document_, kA4Portrait);
  // The page fills the view; nothing scrolls.
  SetScrollSizes(SIZE{1, 1});
  PlacePreview();
  ShowPage(0);
}

void CReportView::ShowPage(std::size_t page) {
  page_ = plan_.pages.empty() ? 0 : std::min(page, plan_.pages.size() - 1);
  preview_.Show(&plan_, page_, fontFace_);
  const std::wstring label =
      Widen(FillIn(ToU16(fw::LoadStringResource(IDS_REPORT_PAGE)),
                   {AsciiText(std::to_string(plan_.pages.empty() ? 0 : page_ + 1)),
                    AsciiText(std::to_string(plan_.pages.size()))}));
  ::SetDlgItemTextW(hwnd(), IDC_REPORT_PAGE, label.c_str());
  UpdateControls();
}

void CReportView::Print() {
  const PrintOutcome outcome =
      PrintReport(host_.Printers(), host_.FrameWindow(), *document_, fontFace_);
  if (outcome.result == PrintOutcome::Result::Failed)
    ShowViewMessage(host_, IDS_PRINT_FAILED, outcome.reason);
}

void CReportView::PlacePreview() {
  if (preview_.hwnd() == nullptr) return;
  const RECT client = ClientRect();
  ::MoveWindow(preview_.hwnd(), 0, previewTop_, client.right,
               std::max<LONG>(0, client.bottom - previewTop_), TRUE);
}

void CReportView::OnSize(UINT type, int width, int height) {
  CFormViewDPI::OnSize(type, width, height);
  PlacePreview();
}

HBRUSH CReportView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  switch (kind) {
    case WM_CTLCOLORDLG: return background_.get();
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(dc, kViewBackground);
      ::SetTextColor(dc, RGB(0, 0, 0));
      return background_.get();
    default: return CFormViewDPI::OnCtlColor(dc, control, kind);
  }
}

}  // namespace wd
