#include "views/monitor_list_view.h"

#include <algorithm>
#include <array>

#include "res/resource.h"
#include "views/csv_export.h"
#include "views/form_fit.h"
#include "views/logic/list_cells.h"
#include "views/logic/list_export.h"
#include "views/logic/list_rows.h"
#include "views/logic/trend_view_layout.h"
#include "views/text_format.h"

namespace wd {
namespace {

constexpr std::array<ListColumn, kMonitoringColumnCount> kMonitoringColumns = {{
    {IDS_COL_NUMBER, nullptr, 80},
    {IDS_COL_DATE, nullptr, 120},
    {IDS_COL_TIME, nullptr, 120},
    {IDS_COL_SPO2, nullptr, 100},
    {IDS_COL_PULSE_RATE, nullptr, 100},
    {0, L"PI", 100},
    {IDS_COL_SYSTOLIC, nullptr, 100},
    {IDS_COL_DIASTOLIC, nullptr, 100},
    {IDS_COL_MEAN, nullptr, 100},
    {IDS_COL_TEMPERATURE, nullptr, 100},
    {0, L"ETCO2", 100},
    {0, L"FICO2", 100},
    {IDS_COL_RESPIRATION, nullptr, 100},
}};

constexpr int kGapBelowButton = 5;

}  // namespace

const fw::CommandTable<CMonitorListView>& CMonitorListView::Commands() {
  static const fw::CommandTable<CMonitorListView> table{
      {IDC_SHOW_TREND, &CMonitorListView::ShowTrend},
      {IDC_SHOW_REPORT, &CMonitorListView::ShowReport, &CMonitorListView::HasPerson},
      {IDC_EXPORT_MONITOR_CSV, &CMonitorListView::ExportCsv, &CMonitorListView::HasRows},
  };
  return table;
}

CMonitorListView::CMonitorListView(ViewHost& host)
    : CFormViewDPI(IDD_MONITOR_LIST_VIEW), host_(host), form_(host) {}

void CMonitorListView::SetPerson(const PatientId* key) {
  person_ = key != nullptr ? *key : PatientId{};
}

bool CMonitorListView::ExecuteCommand(UINT id) {
  return form_.ExecuteCommand(id) || Commands().Execute(*this, id);
}

std::optional<fw::CommandState> CMonitorListView::QueryCommand(UINT id) const {
  if (auto state = form_.QueryCommand(id)) return state;
  return Commands().Query(*this, id);
}

void CMonitorListView::AdjustTemplate(fw::DialogTemplate& form) {
  CFormViewDPI::AdjustTemplate(form);
  DataListPanel::MakeVirtual(form, IDC_MONITOR_LIST);
}

void CMonitorListView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  formSize_ = TotalSize();
  // Collapsed, the list takes the whole view: only the expand button stays above it.
  form_.Attach(*this, person_,
               {CollapseRule::Hide::AllBut, {IDC_MONITOR_LIST}, [this](bool collapsed) {
                  OnCollapsed(collapsed);
                }});
  const auto cell = [this](std::size_t row, int column) {
    return MonitoringCell(*rows_[row], row, column);
  };
  if (list_.Attach(hwnd(), IDC_MONITOR_LIST, kMonitoringColumns, LVCFMT_CENTER, cell)) {
    PlaceList(RectInForm(hwnd(), list_.hwnd()).top,
              std::max<int>(ClientRect().bottom, formSize_.cy));
  }
  FitFormViewToWidth(*this, formSize_);
  FillList();
  ShowTimeSpan();
  form_.SetHasRecords(!rows_.empty());
}

void CMonitorListView::FillList() {
  rows_.clear();
  if (!person_.IsEmpty()) {
    auto reader = host_.Store().Read();
    rows_ = MonitoringRows(reader.FindRecordList(person_));
  }
  list_.SetRowCount(rows_.size());
}

// The same span as the trend view shows of the person.
void CMonitorListView::ShowTimeSpan() {
  MonitoringSpan span;
  if (!person_.IsEmpty()) span = SpanOfMonitoring(host_.Store().Read().FindRecordList(person_));
  form_.ShowTimeSpan(span.first, span.last);
}

void CMonitorListView::PlaceList(int top, int bottom) {
  const RECT client = ClientRect();
  list_.Place(RECT{client.left, top, client.right, bottom});
}

int CMonitorListView::BottomOf(int controlId) const {
  return RectInForm(hwnd(), Child(controlId)).bottom;
}

void CMonitorListView::ShowTrend() { host_.PostShowViewOf(ViewCode::Trend, person_); }
void CMonitorListView::ShowReport() { host_.PostShowViewOf(ViewCode::Report, person_); }

void CMonitorListView::ExportCsv() {
  const std::vector<std::u16string> titles = ColumnTitles(kMonitoringColumns);
  RunCsvExport(host_, Widen(person_.DisplayText()),
               MonitoringListCsv(titles, rows_, {.byteOrderMark = true}));
}

// Collapsed, nothing is left below the list to scroll to: the view drops its bars; expanded, it
// gets them back. The list sits under whichever of the two buttons shows.
void CMonitorListView::OnCollapsed(bool collapsed) {
  if (collapsed) {
    expandedSize_ = TotalSize();
    ScrollToPosition(POINT{0, 0});
    SetScrollSizes(SIZE{1, 1});
    PlaceList(BottomOf(IDC_EXPAND_FORM) + kGapBelowButton, ClientRect().bottom);
  } else {
    SetScrollSizes(expandedSize_);
    PlaceList(BottomOf(IDC_COLLAPSE_FORM) + kGapBelowButton, ClientRect().bottom);
  }
}

HBRUSH CMonitorListView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  return form_.OnCtlColor(dc, control, kind);
}

bool CMonitorListView::OnNotify(NMHDR& header, LRESULT& result) {
  return list_.OnNotify(header, result) || CFormViewDPI::OnNotify(header, result);
}

// The list keeps its top and follows the client's width and height (and, while the form is
// shown, reaches at least the form's bottom, so a short window scrolls to it).
void CMonitorListView::OnSize(UINT type, int width, int height) {
  CFormViewDPI::OnSize(type, width, height);
  if (list_.hwnd() == nullptr) return;
  const int formBottom = form_.Collapsed() ? 0 : formSize_.cy - ScrollPosition().y;
  PlaceList(RectInForm(hwnd(), list_.hwnd()).top, std::max<int>(ClientRect().bottom, formBottom));
}

}  // namespace wd
