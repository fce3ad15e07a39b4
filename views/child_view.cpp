#include "views/child_view.h"

#include <commctrl.h>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "framework/window_class.h"
#include "res/resource.h"
#include "views/list_control.h"
#include "views/logic/list_rows.h"
#include "views/text_format.h"

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

int CChildView::OnCreate(const CREATESTRUCTW& create) {
  if (fw::Window::OnCreate(create) == -1) return -1;
  listFont_ = fw::CreatePointFont(150, L"Arial");
  const RECT client = ClientRect();
  // No label editing: nothing would take the edited text, and an editable id reads as if the
  // data could be changed here.
  list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_ALIGNLEFT,
                            0, 0, client.right, client.bottom, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr) return -1;
  StyleDataList(list_, listFont_.get());
  InsertListColumn(list_, 0, fw::LoadStringResource(IDS_COL_ITEM), 250, LVCFMT_LEFT);
  InsertListColumn(list_, 1, fw::LoadStringResource(IDS_COL_DATA), 300, LVCFMT_LEFT);
  Fill();
  return 0;
}

void CChildView::Fill() {
  ListView_DeleteAllItems(list_);
  const std::wstring minutes = fw::LoadStringResource(IDS_MINUTES_OF_DATA);
  auto reader = host_.Store().Read();
  const StoreOverview overview = SummariseStore(reader.entries());
  int row = 0;
  for (const OverviewRow& person : overview.persons) {
    InsertListRow(list_, row, Widen(person.key->DisplayText()), reinterpret_cast<LPARAM>(person.key));
    SetListCell(list_, row, 1, FormatNumbers(minutes, {static_cast<long long>(person.monitoringCount)}));
    ++row;
  }
  if (overview.wardRoundTotal > 0) {
    InsertListRow(list_, row, fw::LoadStringResource(IDS_CHECK_DATA), kWardRoundRow);
    SetListCell(list_, row, 1,
                FormatNumbers(fw::LoadStringResource(IDS_RECORDS_OF_DATA),
                              {static_cast<long long>(overview.wardRoundTotal)}));
  }
}

void CChildView::OnPaint() {
  fw::PaintDc dc(hwnd());
  const RECT client = ClientRect();
  fw::Brush background = fw::CreateSolidBrush(kViewBackground);
  ::FillRect(dc.get(), &client, background.get());
}

void CChildView::OnSize(UINT type, int width, int height) {
  fw::Window::OnSize(type, width, height);
  if (list_ == nullptr) return;
  ::SetWindowPos(list_, nullptr, 0, 0, width, height, SWP_NOZORDER);
  ::ShowWindow(list_, mode_ == 1 ? SW_SHOW : SW_HIDE);
}

bool CChildView::OnNotify(NMHDR& header, LRESULT& result) {
  if (header.idFrom == kListId && header.code == NM_CLICK) {
    OpenRow(reinterpret_cast<NMITEMACTIVATE&>(header).iItem);
    result = 0;
    return true;
  }
  return fw::Window::OnNotify(header, result);
}

void CChildView::OpenRow(int row) {
  if (row < 0) return;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list_, &item)) return;
  if (item.lParam == kWardRoundRow) {
    host_.PostShowView(ViewCode::WardRoundList, nullptr);
    mode_ = 3;
  } else {
    host_.PostShowView(ViewCode::MonitoringList, reinterpret_cast<const PatientId*>(item.lParam));
  }
}

void CChildView::OnLButtonDblClk(UINT keys, POINT point) {
  if (mode_ != 1) {
    mode_ = 1;
    ::ShowWindow(list_, SW_SHOW);
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
