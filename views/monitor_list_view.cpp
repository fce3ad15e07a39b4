#include "views/monitor_list_view.h"

#include <algorithm>
#include <array>

#include "framework/gdi_objects.h"
#include "res/resource.h"
#include "views/form_fit.h"
#include "views/list_control.h"
#include "views/logic/list_cells.h"
#include "views/logic/trend_view_layout.h"
#include "views/logic/list_rows.h"
#include "views/text_format.h"
#include "views/virtual_list.h"

namespace wd {
namespace {

constexpr std::array<ListColumn, kMonitoringColumnCount> kColumns = {{
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

CMonitorListView::CMonitorListView(ViewHost& host)
    : CFormViewDPI(IDD_MONITOR_LIST_VIEW), host_(host), form_(host) {}

void CMonitorListView::SetPerson(const PatientId* key) { person_ = key != nullptr ? *key : PatientId{}; }

void CMonitorListView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  formSize_ = TotalSize();
  listFont_ = fw::CreatePointFont(150, L"Arial");
  form_.Attach(*this, person_);
  SetUpList();
  FitFormViewToWidth(*this, formSize_);
  FillList();
  ShowTimeSpan();
  form_.EnableCommands(!rows_.empty());
}

void CMonitorListView::SetUpList() {
  list_ = ReplaceWithVirtualList(hwnd(), IDC_MONITOR_LIST);
  if (list_ == nullptr) return;
  PlaceList(RectInForm(hwnd(), list_).top, std::max<int>(ClientRect().bottom, formSize_.cy));
  StyleDataList(list_, listFont_.get());
  InsertListColumns(list_, kColumns, LVCFMT_CENTER);
}

void CMonitorListView::FillList() {
  rows_.clear();
  if (!person_.IsEmpty()) {
    auto reader = host_.Store().Read();
    rows_ = MonitoringRows(reader.FindRecordList(person_));
  }
  if (list_ != nullptr) {
    ::SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
  }
}

// The same span as the trend view shows of the person.
void CMonitorListView::ShowTimeSpan() {
  MonitoringSpan span;
  if (!person_.IsEmpty()) span = SpanOfMonitoring(host_.Store().Read().FindRecordList(person_));
  form_.ShowTimeSpan(span.first, span.last);
}

void CMonitorListView::PlaceList(int top, int bottom) {
  if (list_ == nullptr) return;
  const RECT client = ClientRect();
  ::MoveWindow(list_, client.left, top, client.right - client.left, std::max(0, bottom - top), TRUE);
}

int CMonitorListView::BottomOf(int controlId) const { return RectInForm(hwnd(), Child(controlId)).bottom; }

bool CMonitorListView::ExecuteCommand(UINT id) {
  if (form_.ExecuteCommand(id)) return true;
  switch (id) {
    case IDC_SHOW_TREND: ShowTrend(); return true;
    case IDC_COLLAPSE_FORM: Collapse(); return true;
    case IDC_EXPAND_FORM: Expand(); return true;
    default: return CFormViewDPI::ExecuteCommand(id);
  }
}

void CMonitorListView::ShowTrend() {
  host_.PostShowViewOf(ViewCode::Trend, person_);
}

// The list takes the whole view: every control of the form goes, only the expand button stays.
void CMonitorListView::Collapse() {
  for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id != IDC_MONITOR_LIST && id != IDC_EXPAND_FORM) ::ShowWindow(child, SW_HIDE);
  }
  collapsed_ = true;
  // Nothing is left below the list to scroll to: the view drops its bars.
  expandedSize_ = TotalSize();
  ScrollToPosition(POINT{0, 0});
  SetScrollSizes(SIZE{1, 1});
  PlaceList(BottomOf(IDC_EXPAND_FORM) + kGapBelowButton, ClientRect().bottom);
  ::ShowWindow(Child(IDC_EXPAND_FORM), SW_SHOW);
  ::SetFocus(Child(IDC_EXPAND_FORM));
}

void CMonitorListView::Expand() {
  for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::ShowWindow(child, ::GetDlgCtrlID(child) == IDC_EXPAND_FORM ? SW_HIDE : SW_SHOW);
  }
  collapsed_ = false;
  SetScrollSizes(expandedSize_);
  PlaceList(BottomOf(IDC_COLLAPSE_FORM) + kGapBelowButton, ClientRect().bottom);
  ::SetFocus(Child(IDC_COLLAPSE_FORM));
}

HBRUSH CMonitorListView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  return form_.OnCtlColor(dc, control, kind);
}

bool CMonitorListView::OnNotify(NMHDR& header, LRESULT& result) {
  const auto cell = [this](std::size_t row, int column) { return MonitoringCell(*rows_[row], row, column); };
  if (AnswerDisplayInfo(header, list_, rows_.size(), cell)) {
    result = 0;
    return true;
  }
  return CFormViewDPI::OnNotify(header, result);
}

// The list keeps its top and follows the client's width and height (and, while the form is
// shown, reaches at least the form's bottom, so a short window scrolls to it).
void CMonitorListView::OnSize(UINT type, int width, int height) {
  CFormViewDPI::OnSize(type, width, height);
  if (list_ == nullptr) return;
  const int formBottom = collapsed_ ? 0 : formSize_.cy - ScrollPosition().y;
  PlaceList(RectInForm(hwnd(), list_).top, std::max<int>(ClientRect().bottom, formBottom));
}

}  // namespace wd
