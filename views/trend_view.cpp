#include "views/trend_view.h"

#include <algorithm>

#include "res/resource.h"
#include "views/form_fit.h"
#include "views/logic/trend_view_layout.h"

namespace wd {
namespace {

constexpr int kGapAboveCharts = 10;

}  // namespace

const fw::CommandTable<CTrendView>& CTrendView::Commands() {
  static const fw::CommandTable<CTrendView> table{
      {IDC_SHOW_TABLE, &CTrendView::ShowTable},
      {IDC_SHOW_REPORT, &CTrendView::ShowReport, &CTrendView::HasPerson},
  };
  return table;
}

CTrendView::CTrendView(ViewHost& host) : CFormViewDPI(IDD_TREND_VIEW), host_(host), form_(host) {}

void CTrendView::SetPerson(const PatientId* key) { person_ = key != nullptr ? *key : PatientId{}; }

void CTrendView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  const SIZE formSize = TotalSize();
  // Collapsed, the form drops its table, report and export buttons (the charts stay put).
  form_.Attach(
      *this, person_,
      {CollapseRule::Hide::Only, {IDC_SHOW_TABLE, IDC_SHOW_REPORT, IDC_EXPORT_MONITOR}, {}});
  charts_.Bind(*this);
  // Content coordinates: the view has not scrolled yet, but say what is meant.
  chartTop_ =
      RectInForm(hwnd(), Child(IDC_COLLAPSE_FORM)).bottom + ScrollPosition().y + kGapAboveCharts;
  const int clientWidth = LayOutPage(formSize);
  charts_.Place(LayOutTrendView(chartTop_ - ScrollPosition().y, clientWidth));
  ShowRecords(clientWidth - 40);
  charts_.BuildPictures(host_.Store());
}

// The page is the form over the charts, chart top + 1140 high. Its height is set first, so the
// width the form and the charts get is the client's beside the vertical bar that height
// brings; otherwise a horizontal bar would appear for the bar's width.
int CTrendView::LayOutPage(SIZE formSize) {
  const LONG pageHeight = LayOutTrendView(chartTop_, 0).scrollHeight;
  SetScrollSizes(SIZE{formSize.cx, pageHeight});
  const RECT client = ClientRect();
  const int clientWidth = client.right - client.left;
  if (formSize.cx > clientWidth) FitFormViewToWidth(*this, formSize);
  SetScrollSizes(SIZE{std::min<LONG>(formSize.cx, clientWidth), pageHeight});
  return clientWidth;
}

void CTrendView::ShowRecords(int chartWidth) {
  const RecordList* list = nullptr;
  MonitoringSpan span;
  if (!person_.IsEmpty()) {
    const PatientStore::Reader reader = host_.Store().Read();
    list = reader.FindRecordList(person_);
    span = SpanOfMonitoring(list);
  }
  // Records keep their addresses while the store lives, so the span may be shown unlocked.
  recordCount_ = span.count;
  form_.ShowTimeSpan(span.first, span.last);
  charts_.SetData(list, recordCount_, chartWidth);
  form_.SetHasRecords(recordCount_ > 0);
}

bool CTrendView::ExecuteCommand(UINT id) {
  return form_.ExecuteCommand(id) || Commands().Execute(*this, id);
}

std::optional<fw::CommandState> CTrendView::QueryCommand(UINT id) const {
  if (auto state = form_.QueryCommand(id)) return state;
  return Commands().Query(*this, id);
}

void CTrendView::ShowReport() { host_.PostShowViewOf(ViewCode::Report, person_); }

// The monitoring list of the same person; null when the person is not in the store.
void CTrendView::ShowTable() { host_.PostShowViewOf(ViewCode::MonitoringList, person_); }

bool CTrendView::IsChart(HWND control) const {
  const int id = ::GetDlgCtrlID(control);
  return id == IDC_SPO2_CHART || id == IDC_PR_CHART || id == IDC_NIBP_CHART;
}

// The charts paint their own white; everything else takes the form's colours.
HBRUSH CTrendView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  if (kind == WM_CTLCOLORSTATIC && IsChart(control)) return nullptr;
  return form_.OnCtlColor(dc, control, kind);
}

// Only the time bar moves the charts; the view's own horizontal bar scrolls the page (the base
// handles it), since a narrow window must still reach the form's right edge.
void CTrendView::OnScrollBarControl(UINT message, UINT code, int position, HWND scrollBar) {
  if (message == WM_HSCROLL && scrollBar == charts_.TimeBar()) {
    charts_.OnTimeScroll(code, position);
    return;
  }
  CFormViewDPI::OnScrollBarControl(message, code, position, scrollBar);
}

}  // namespace wd
