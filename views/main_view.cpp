#include "views/main_view.h"

#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/list_control.h"
#include "views/logic/form_layout.h"

namespace wd {
namespace {

constexpr UINT_PTR kLayoutTimer = 1;
constexpr int kHomeIconSize = 90;
constexpr int kExitIconSize = 64;

struct HomeButton {
  int id;
  UINT idleIcon;
  UINT activeIcon;  // 0: a grey copy of the idle icon
};
// In the order the buttons are configured.
constexpr std::array<HomeButton, 6> kButtons = {{
    {IDC_ABOUT, IDI_HOME_ABOUT, IDI_HOME_ABOUT_ACTIVE},
    {IDC_SETTINGS, IDI_HOME_SETTINGS, IDI_HOME_SETTINGS_ACTIVE},
    {IDC_VIEW_DATA, IDI_HOME_VIEW_DATA, IDI_HOME_VIEW_DATA_ACTIVE},
    {IDC_GET_CHECK, IDI_HOME_GET_CHECK, IDI_HOME_GET_CHECK_ACTIVE},
    {IDC_GET_MONITORING, IDI_HOME_GET_MONITORING, IDI_HOME_GET_MONITORING_ACTIVE},
    {IDC_EXIT, IDI_HOME_EXIT, 0},
}};

}  // namespace

CMainView::CMainView(ViewHost& host)
    : CFormViewDPI(IDD_HOME_VIEW), host_(host), m_brBack(fw::CreateSolidBrush(kViewBackground)) {}

void CMainView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  designedWidth_ = TotalSize().cx;
  for (std::size_t i = 0; i < kButtons.size(); ++i) BindControl(kButtons[i].id, buttons_[i]);
  ConfigureButtons();
  SetOneShotTimer(kLayoutTimer, 500);
}

void CMainView::ConfigureButtons() {
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    CButtonST& button = buttons_[i];
    const HomeButton& windowSpec = kButtons[i];
    if (windowSpec.activeIcon == 0) {
      button.SetIcons(fw::LoadIconResource(windowSpec.idleIcon, kExitIconSize, kExitIconSize),
                      CButtonST::kAutomaticGrey);
    } else {
      button.SetIcons(fw::LoadIconResource(windowSpec.idleIcon, kHomeIconSize, kHomeIconSize),
                      fw::LoadIconResource(windowSpec.activeIcon, kHomeIconSize, kHomeIconSize));
    }
    button.SetColor(CButtonST::kFocusBackground, kViewBackground);
    button.SetColor(CButtonST::kNormalBackground, kViewBackground);
    button.SetColor(CButtonST::kHoverBackground, kViewBackground);
    button.SetColor(CButtonST::kHoverText, RGB(255, 255, 255));
    button.ShiftHoverBackground(30);
    button.SetImageAlignment(CButtonST::kImageLeft);
  }
}

HBRUSH CMainView::OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage) {
  if (ctlColorMessage == WM_CTLCOLORDLG) return m_brBack.get();
  return CFormViewDPI::OnCtlColor(dc, control, ctlColorMessage);
}

bool CMainView::OnCommand(UINT id, UINT code, HWND control) {
  if (code != BN_CLICKED) return CFormViewDPI::OnCommand(id, code, control);
  switch (id) {
    case IDC_GET_MONITORING: host_.StartDownload(true, false); return true;
    case IDC_GET_CHECK: host_.StartDownload(false, true); return true;
    case IDC_VIEW_DATA: host_.PostShowView(ViewCode::DataOverview, nullptr); return true;
    case IDC_SETTINGS: return true;  // hidden, and does nothing
    case IDC_ABOUT: host_.ShowAbout(); return true;
    case IDC_EXIT: ::PostMessageW(host_.FrameWindow(), WM_CLOSE, 0, 0); return true;
    default: return CFormViewDPI::OnCommand(id, code, control);
  }
}

// Half a second after the view is shown, a window narrower than the form moves the buttons
// left in proportion (sizes and heights stay); a wide enough one leaves the form as designed.
void CMainView::OnTimer(UINT_PTR id) {
  if (id == kLayoutTimer) FitToWidth();
  CFormViewDPI::OnTimer(id);
}

void CMainView::FitToWidth() {
  const RECT client = ClientRect();
  const int width = client.right - client.left;
  if (width <= 0 || width >= designedWidth_) return;
  std::vector<ChildBox> boxes;
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    boxes.push_back({::GetDlgCtrlID(child), rect.left, rect.top, rect.right, rect.bottom});
    children.push_back(child);
  }
  const std::vector<ChildBox> moved = ScaleLeftEdges(boxes, width, designedWidth_);
  for (std::size_t i = 0; i < children.size(); ++i) {
    ::MoveWindow(children[i], moved[i].left, moved[i].top, moved[i].right - moved[i].left,
                 moved[i].bottom - moved[i].top, TRUE);
  }
  SetScrollSizes(SIZE{width, TotalSize().cy});
}

}  // namespace wd
