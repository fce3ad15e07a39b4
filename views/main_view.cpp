#include "views/main_view.h"

#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/form_fit.h"
#include "views/logic/form_layout.h"
#include "views/view_colours.h"

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
constexpr std::array<HomeButton, 7> kButtons = {{
    {IDC_ABOUT, IDI_HOME_ABOUT, IDI_HOME_ABOUT_ACTIVE},
    {IDC_SETTINGS, IDI_HOME_SETTINGS, IDI_HOME_SETTINGS_ACTIVE},
    {IDC_VIEW_DATA, IDI_HOME_VIEW_DATA, IDI_HOME_VIEW_DATA_ACTIVE},
    {IDC_GET_CHECK, IDI_HOME_GET_CHECK, IDI_HOME_GET_CHECK_ACTIVE},
    {IDC_GET_MONITORING, IDI_HOME_GET_MONITORING, IDI_HOME_GET_MONITORING_ACTIVE},
    {IDC_HOME_ARCHIVE, IDI_HOME_ARCHIVE, IDI_HOME_ARCHIVE_ACTIVE},
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

const fw::CommandTable<CMainView>& CMainView::Commands() {
  static const fw::CommandTable<CMainView> table{
      {IDC_GET_MONITORING, &CMainView::GetMonitoringData},
      {IDC_GET_CHECK, &CMainView::GetWardRoundData},
      {IDC_VIEW_DATA, &CMainView::ViewData},
      {IDC_SETTINGS, &CMainView::Settings},
      {IDC_ABOUT, &CMainView::About},
      {IDC_HOME_ARCHIVE, &CMainView::ShowArchive},
      {IDC_EXIT, &CMainView::Exit},
  };
  return table;
}

void CMainView::GetMonitoringData() { host_.StartDownload(true, false); }
void CMainView::GetWardRoundData() { host_.StartDownload(false, true); }
void CMainView::ViewData() { host_.PostShowView(ViewCode::DataOverview, nullptr); }
void CMainView::About() { host_.ShowAbout(); }
void CMainView::ShowArchive() { host_.PostShowView(ViewCode::Archive, nullptr); }
void CMainView::Exit() { ::PostMessageW(host_.FrameWindow(), WM_CLOSE, 0, 0); }

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
  const std::vector<FormChild> children = FormChildren(hwnd());
  MoveChildren(children, ScaleLeftEdges(BoxesOf(children), width, designedWidth_));
  SetScrollSizes(SIZE{width, TotalSize().cy});
}

}  // namespace wd
