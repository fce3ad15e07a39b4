#include "views/child_view.h"

#include <commctrl.h>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "framework/window_class.h"
#include "res/resource.h"
#include "views/csv_export.h"
#include "views/logic/list_rows.h"
#include "views/text_format.h"
#include "views/view_colours.h"

namespace wd {

bool CChildView::Create(HWND frame, UINT id, const RECT& rect) {
  const fw::ClassLook look{CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)};
  const std::wstring windowClass = fw::RegisterPrivateClass(look);
  fw::WindowSpec windowSpec;
  windowSpec.className = windowClass.c_str();
  windowSpec.style = WS_CHILD | WS_VISIBLE;
  windowSpec.exStyle = WS_EX_CLIENTEDGE;
  windowSpec.rect = rect;
  windowSpec.parent = frame;
  windowSpec.id = id;
  return fw::Window::Create(windowSpec);
}

namespace {

constexpr ListColumn kOverviewColumns[] = {{IDS_COL_ITEM, nullptr, 250},
                                           {IDS_COL_DATA, nullptr, 300}};
// The button strip above the list, at 96 DPI.
constexpr int kStripMargin = 6;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 26;

int Scaled(HWND window, int pixels) {
  const fw::WindowDc dc(window);
  return ::MulDiv(pixels, dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96, 96);
}

}  // namespace

const fw::CommandTable<CChildView>& CChildView::Commands() {
  static const fw::CommandTable<CChildView> table{
      {IDC_OVERVIEW_EXPORT_CSV, &CChildView::ExportCsv, &CChildView::HasRows},
  };
  return table;
}

int CChildView::OnCreate(const CREATESTRUCTW& create) {
  if (fw::Window::OnCreate(create) == -1) return -1;
  const RECT client = ClientRect();
  listTop_ = Scaled(hwnd(), 2 * kStripMargin + kButtonHeight);
  if (!list_.Create(hwnd(), kListId, RECT{0, listTop_, client.right, client.bottom},
                    kOverviewColumns, LVCFMT_LEFT,
                    [this](std::size_t row, int column) { return CellOf(row, column); })) {
    return -1;
  }
  // After the list, which comes first in the tab order and takes the keyboard.
  const std::wstring caption = fw::LoadStringResource(IDS_EXPORT_CSV);
  exportButton_ = ::CreateWindowExW(
      0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
      hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_OVERVIEW_EXPORT_CSV)),
      ::GetModuleHandleW(nullptr), nullptr);
  if (exportButton_ == nullptr) return -1;
  ::SendMessageW(exportButton_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  Layout(client.right, client.bottom);
  Fill();
  return 0;
}

void CChildView::Layout(int width, int height) {
  const int margin = Scaled(hwnd(), kStripMargin);
  ::MoveWindow(exportButton_, margin, margin, Scaled(hwnd(), kButtonWidth),
               Scaled(hwnd(), kButtonHeight), TRUE);
  list_.Place(RECT{0, listTop_, width, height});
}

void CChildView::ExportCsv() {
  CsvWriter csv({.byteOrderMark = true});
  csv.AddRow(ColumnTitles(kOverviewColumns));
  for (const Row& row : rows_) {
    const std::u16string cells[] = {row.item, row.data};
    csv.AddRow(std::span<const std::u16string>(cells));
  }
  RunCsvExport(host_, L"overview", csv);
}

void CChildView::Fill() {
  rows_.clear();
  const std::wstring minutes = fw::LoadStringResource(IDS_MINUTES_OF_DATA);
  StoreOverview overview;
  {
    auto reader = host_.Store().Read();
    overview = SummariseStore(reader.entries());
  }
  for (const OverviewRow& person : overview.persons) {
    rows_.push_back(
        {person.key, ToU16(Widen(person.key->DisplayText())),
         ToU16(FormatNumbers(minutes, {static_cast<long long>(person.monitoringCount)}))});
  }
  if (overview.wardRoundTotal > 0) {
    rows_.push_back({nullptr, ToU16(fw::LoadStringResource(IDS_CHECK_DATA)),
                     ToU16(FormatNumbers(fw::LoadStringResource(IDS_RECORDS_OF_DATA),
                                         {static_cast<long long>(overview.wardRoundTotal)}))});
  }
  list_.SetRowCount(rows_.size());
  UpdateControls();
}

std::u16string CChildView::CellOf(std::size_t row, int column) const {
  return column == 0 ? rows_[row].item : rows_[row].data;
}

void CChildView::OnPaint() {
  fw::PaintDc dc(hwnd());
  const RECT client = ClientRect();
  fw::Brush background = fw::CreateSolidBrush(kViewBackground);
  ::FillRect(dc.get(), &client, background.get());
}

void CChildView::OnSize(UINT type, int width, int height) {
  fw::Window::OnSize(type, width, height);
  if (list_.hwnd() == nullptr) return;
  Layout(width, height);
  ::ShowWindow(list_.hwnd(), mode_ == 1 ? SW_SHOW : SW_HIDE);
}

bool CChildView::OnNotify(NMHDR& header, LRESULT& result) {
  if (list_.OnNotify(header, result)) return true;
  if (header.idFrom == kListId && header.code == NM_CLICK) {
    OpenRow(reinterpret_cast<NMITEMACTIVATE&>(header).iItem);
    result = 0;
    return true;
  }
  return fw::Window::OnNotify(header, result);
}

void CChildView::OpenRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  if (const PatientId* key = rows_[static_cast<std::size_t>(row)].key) {
    host_.PostShowView(ViewCode::MonitoringList, key);
  } else {
    host_.PostShowView(ViewCode::WardRoundList, nullptr);
    mode_ = 3;
  }
}

void CChildView::OnLButtonDblClk(UINT keys, POINT point) {
  if (mode_ != 1) {
    mode_ = 1;
    ::ShowWindow(list_.hwnd(), SW_SHOW);
  }
  fw::Window::OnLButtonDblClk(keys, point);
}

void CChildView::Step(int bar, UINT code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  if (!::GetScrollInfo(hwnd(), bar, &info)) return;
  int position = info.nPos;
  switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP: position = std::max(info.nMin, position - 1); break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: position = std::min(info.nMax, position + 1); break;
    default: break;
  }
  ::SetScrollPos(hwnd(), bar, position, TRUE);
}

void CChildView::OnHScroll(UINT code, int position, HWND scrollBar) {
  Step(SB_HORZ, code);
  fw::Window::OnHScroll(code, position, scrollBar);
  Redraw();
}

void CChildView::OnVScroll(UINT code, int position, HWND scrollBar) {
  Step(SB_VERT, code);
  fw::Window::OnVScroll(code, position, scrollBar);
  Redraw();
}

}  // namespace wd
