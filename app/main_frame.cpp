#include "app/main_frame.h"

#include "app/real_file_chooser.h"
#include "app/settings.h"
#include "framework/form_view.h"
#include "app/wardDesk_app.h"
#include "framework/message_loop.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {
namespace {

constexpr UINT kStatusBarId = 59393;
constexpr UINT_PTR kStatusPaneTimer = 1;
constexpr UINT_PTR kPresenceTimer = 2;
constexpr int kStatusPaneRight = 200;

}  // namespace

CMainFrame::CMainFrame(CwardDeskApp& app)
    : app_(app),
      dataFolders_(CurrentDataFolders(app.ProgramFolder())),
      files_(std::make_unique<RealFileChooser>()),
      printers_(std::make_unique<PrintDialogChooser>()) {
  // The language is decided before any window or resource of the frame exists.
  app_.m_bChinese = ReadLanguageSetting();
  if (app_.m_bChinese == 0 && app_.m_hEnglishRes)
    fw::ResourceModule::SetCurrent(app_.m_hEnglishRes.get());
  lookId_ = ReadApplicationLook();
}

CMainFrame::~CMainFrame() {
  StopWorkerAndWait();
  JoinCatalogWarmer();
  view_ = {};
  spares_.Clear();
  Destroy();
}

const std::filesystem::path& CMainFrame::RegisterFolder() const { return dataFolders_.data; }

bool CMainFrame::CreateMainWindow() {
  // Caption, system menu and sizing border; no minimise or maximise box. The ribbon draws the
  // caption itself.
  constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  if (!CreateFrame(fw::LoadStringResource(IDS_APP_TITLE), kStyle)) return false;
  fw::Icon big = fw::LoadProgramIcon(IDR_MAINFRAME, ::GetSystemMetrics(SM_CXICON),
                                     ::GetSystemMetrics(SM_CYICON));
  fw::Icon small = fw::LoadProgramIcon(IDR_MAINFRAME, ::GetSystemMetrics(SM_CXSMICON),
                                       ::GetSystemMetrics(SM_CYSMICON));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  windowIcons_[0] = std::move(big);
  windowIcons_[1] = std::move(small);
  return true;
}

int CMainFrame::OnCreate(const CREATESTRUCTW& create) {
  if (fw::FrameWindow::OnCreate(create) == -1) return -1;
  events_ = std::make_unique<FrameDownloadEvents>(hwnd(), download_);
  ::RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);

  ShowView(ViewCode::Home, nullptr);
  if (!view_.window) return -1;
  WarmCatalog();

  LoadIcons();
  BuildRibbon();
  if (!statusBar_.Create(*this, kStatusBarId)) return -1;
  statusBar_.AddTextPane(ID_PANE_STATUS_TEXT, L" ");
  SetTopBar(&ribbon_);
  SetBottomBar(&statusBar_);

  SetOneShotTimer(kStatusPaneTimer, 500);
  SetTimer(kPresenceTimer, 1000);
  return 0;
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kPendingViewTimer) {
    ShowPendingView();
  } else if (id == kSpareViewTimer) {
    MakeSpareView();
  } else if (id == kStatusPaneTimer) {
    statusBar_.SetPaneRightEdge(ID_PANE_STATUS_TEXT, kStatusPaneRight);
    statusBar_.Redraw();
  } else if (id == kPresenceTimer) {
    PollForDevice();
  }
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWVIEW: OnShowView(wParam, lParam); return 1;
    case WM_COMMPROGRESS: OnCommProgress(wParam, lParam); return 1;
    case WM_SETLANGUAGE: OnSetLanguage(wParam); return 1;
    case WM_ARCHIVEFAILED: OnArchiveFailed(); return 1;
    case WM_ERASECOUNTED: OnEraseCounted(); return 1;
    case WM_NCCALCSIZE:
      if (wParam) {
        // No system caption: the ribbon draws the caption row inside the client area.
        auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        const LONG top = params.rgrc[0].top;
        const LRESULT result = Default();
        const int border = ::IsZoomed(hwnd()) ? ::GetSystemMetrics(SM_CYFRAME) +
                                                    ::GetSystemMetrics(SM_CXPADDEDBORDER)
                                              : 0;
        params.rgrc[0].top = top + border;
        return result;
      }
      break;
    case WM_NCHITTEST: {
      const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const LRESULT ribbonHit = ribbon_.hwnd() ? ribbon_.HitTestCaption(screen) : HTNOWHERE;
      if (ribbonHit == HTCLOSE) return HTCLOSE;
      const LRESULT hit = ribbonHit == HTCAPTION ? HTCAPTION : Default();
      // The window cannot be dragged by its caption.
      return hit == HTCAPTION ? HTCLIENT : hit;
    }
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCLOSE) CloseMainWindow();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) ribbon_.LeaveKeyTips();
      break;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDBLCLK: return 0;
    default: break;
  }
  return fw::FrameWindow::HandleMessage(message, wParam, lParam);
}

bool CMainFrame::PreTranslateMessage(MSG& message) {
  if (ribbon_.PreTranslateKey(message)) return true;
  return fw::FrameWindow::PreTranslateMessage(message);
}

void CMainFrame::OnClose() { CloseMainWindow(); }

void CMainFrame::CloseMainWindow() {
  if (closing_) return;
  closing_ = true;
  if (download_.threadRunning) {
    download_.stopRequested = true;
    StopWorkerAndWait();
  }
  JoinFinishedWorker();
  JoinCatalogWarmer();
  // The view points into the store: it goes first.
  SetCurrentView(nullptr);
  view_ = {};
  spares_.Clear();
  store_.Write().RemoveAll();
  Destroy();
}

void CMainFrame::OnDestroy() {
  KillTimer(kPresenceTimer);
  KillTimer(kPendingViewTimer);
  KillTimer(kSpareViewTimer);
  fw::FrameWindow::OnDestroy();
  ::PostQuitMessage(0);
}

}  // namespace wd
