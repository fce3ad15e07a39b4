#include "views/check_list_view.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/csv_export.h"
#include "views/export_dialog.h"
#include "views/form_fit.h"
#include "views/logic/list_export.h"
#include "views/logic/list_rows.h"
#include "views/text_format.h"
#include "views/view_colours.h"

namespace wd {
namespace {

constexpr std::array<ListColumn, kWardRoundColumnCount> kWardRoundColumns = {{
    {IDS_COL_NUMBER, nullptr, 70},
    {IDS_COL_ID_CARD, nullptr, 180},
    {IDS_COL_DATE, nullptr, 90},
    {IDS_COL_TIME, nullptr, 90},
    {IDS_COL_NAME, nullptr, 120},
    {IDS_COL_SEX, nullptr, 60},
    {IDS_COL_AGE, nullptr, 60},
    {IDS_COL_HEIGHT, nullptr, 60},
    {IDS_COL_WEIGHT, nullptr, 60},
    {IDS_COL_SPO2, nullptr, 60},
    {IDS_COL_PULSE_RATE, nullptr, 60},
    {0, L"PI", 70},
    {IDS_COL_SYSTOLIC, nullptr, 60},
    {IDS_COL_DIASTOLIC, nullptr, 60},
    {IDS_COL_MEAN, nullptr, 60},
    {IDS_COL_TEMPERATURE, nullptr, 70},
    {0, L"ETCO2", 60},
    {0, L"FICO2", 60},
    {IDS_COL_RESPIRATION, nullptr, 60},
}};

constexpr int kIdColumn = 1;
constexpr int kDateColumn = 2;
constexpr int kSexColumn = 5;

constexpr COLORREF kWardRoundLabelText = RGB(127, 127, 127);
constexpr COLORREF kButtonText = RGB(255, 255, 255);

}  // namespace

CCheckListView::CCheckListView(ViewHost& host)
    : CFormViewDPI(IDD_CHECK_LIST_VIEW),
      host_(host),
      background_(fw::CreateSolidBrush(kViewBackground)) {}

const fw::CommandTable<CCheckListView>& CCheckListView::Commands() {
  static const fw::CommandTable<CCheckListView> table{
      {IDC_EXPORT_CHECK, &CCheckListView::Export, &CCheckListView::HasRows},
      {IDC_EXPORT_CHECK_CSV, &CCheckListView::ExportCsv, &CCheckListView::HasRows},
  };
  return table;
}

void CCheckListView::AdjustTemplate(fw::DialogTemplate& form) {
  CFormViewDPI::AdjustTemplate(form);
  DataListPanel::MakeVirtual(form, IDC_CHECK_LIST);
}

void CCheckListView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  sexTexts_ = {ToU16(fw::LoadStringResource(IDS_SEX_MALE)),
               ToU16(fw::LoadStringResource(IDS_SEX_FEMALE))};
  const auto cell = [this](std::size_t row, int column) {
    return WardRoundCell(rows_[row], row, column, sexTexts_);
  };
  if (list_.Attach(hwnd(), IDC_CHECK_LIST, kWardRoundColumns, LVCFMT_LEFT, cell)) {
    FitColumnsToTexts();
    listTop_ = RectInForm(hwnd(), list_.hwnd()).top + ScrollPosition().y;
  }
  ::SetDlgItemTextW(
      hwnd(), IDC_CHECK_UNITS,
      Widen(UnitsLabelText(ToU16(fw::LoadStringResource(IDS_DISPLAY_UNITS)))).c_str());
  PlaceList();
  FillList();
}

void CCheckListView::Export() { RunExport(host_, ExportKind::WardRound); }

void CCheckListView::ExportCsv() {
  RunCsvExport(
      host_, L"wardround",
      WardRoundListCsv(ColumnTitles(kWardRoundColumns), rows_, sexTexts_, {.byteOrderMark = true}));
}

// A column is never narrower than designed, but wide enough for its title and for the longest
// text it can hold where that is known: the 18-character id, a two-digit month and day, and the
// sex in the current language ("Female" does not fit the designed 60 pixels).
void CCheckListView::FitColumnsToTexts() const {
  constexpr int kCellMargin = 16;
  for (int column = 0; column < kWardRoundColumnCount; ++column) {
    const ListColumn& designed = kWardRoundColumns[static_cast<std::size_t>(column)];
    std::vector<std::wstring> texts = {designed.title != 0 ? fw::LoadStringResource(designed.title)
                                                           : std::wstring(designed.literal)};
    if (column == kIdColumn) texts.emplace_back(L"00000000000000000X");
    if (column == kDateColumn) texts.emplace_back(L"0000-00-00");
    if (column == kSexColumn) {
      texts.push_back(Widen(sexTexts_.male));
      texts.push_back(Widen(sexTexts_.female));
    }
    int needed = 0;
    for (const std::wstring& text : texts)
      needed = std::max(needed, ListView_GetStringWidth(list_.hwnd(), text.c_str()));
    if (needed + kCellMargin > designed.width)
      ListView_SetColumnWidth(list_.hwnd(), column, needed + kCellMargin);
  }
}

void CCheckListView::FillList() {
  // The register is read once for the whole list, before the store is locked.
  people_ = LoadRegister(host_.RegisterFolder());
  {
    auto reader = host_.Store().Read();
    rows_ = WardRoundListRows(reader.entries(), people_);
  }
  list_.SetRowCount(rows_.size());
}

// Below the units label and the export button, across the client and down to its bottom.
void CCheckListView::PlaceList() {
  const RECT client = ClientRect();
  list_.Place(RECT{client.left, listTop_ - ScrollPosition().y, client.right, client.bottom});
}

const PatientId* CCheckListView::SelectedPerson() const {
  const int row = list_.SelectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
  return rows_[static_cast<std::size_t>(row)].key;
}

HBRUSH CCheckListView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  switch (kind) {
    case WM_CTLCOLORDLG: return background_.get();
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      ::SetBkColor(dc, kViewBackground);
      ::SetTextColor(dc, kind == WM_CTLCOLORSTATIC ? kWardRoundLabelText : kButtonText);
      return background_.get();
    default: return CFormViewDPI::OnCtlColor(dc, control, kind);
  }
}

bool CCheckListView::OnNotify(NMHDR& header, LRESULT& result) {
  return list_.OnNotify(header, result) || CFormViewDPI::OnNotify(header, result);
}

void CCheckListView::OnSize(UINT type, int width, int height) {
  CFormViewDPI::OnSize(type, width, height);
  PlaceList();
}

}  // namespace wd
