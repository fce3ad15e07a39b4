#include "views/child_view.h"

#include <commctrl.h>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "framework/window_class.h"
#include "res/resource.h"
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

constexpr ListColumn kColumns[] = {{IDS_COL_ITEM, nullptr, 250}, {IDS_COL_DATA, nullptr, 300}};

}  // namespace

int CChildView::OnCreate(const CREATESTRUCTW& create) {
  if (fw::Window::OnCreate(create) == -1) return -1;
  const RECT client = ClientRect();
  if (!list_.Create(hwnd(), kListId, client, kColumns, LVCFMT_LEFT,
                    [this](std::size_t row, int column) { return CellOf(row, column); })) {
    return -1;
  }
  Fill();
  return 0;
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
    rows_.push_back({person.key, ToU16(Widen(person.key->DisplayText())),
                     ToU16(FormatNumbers(minutes, {static_cast<long long>(person.monitoringCount)}))});
  }
  if (overview.wardRoundTotal > 0) {
    rows_.push_back({nullptr, ToU16(fw::LoadStringResource(IDS_CHECK_DATA)),
                     ToU16(FormatNumbers(fw::LoadStringResource(IDS_RECORDS_OF_DATA),
                                         {static_cast<long long>(overview.wardRoundTotal)}))});
  }
  list_.SetRowCount(rows_.size());
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
  list_.Place(RECT{0, 0, width, height});
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
