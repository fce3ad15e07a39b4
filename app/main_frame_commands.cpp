// The frame's command table: each ribbon command with its rule, and the simple actions.

#include "app/main_frame.h"
#include "app/settings.h"
#include "app/wardDesk_app.h"
#include "app/about_dialog.h"
#include "data/data_files.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {
bool CMainFrame::ExecuteCommand(UINT id) {
  const bool handled = Commands().Execute(*this, id);
  if (handled) RefreshRibbon();
  return handled;
}

std::optional<fw::CommandState> CMainFrame::QueryCommand(UINT id) const {
  return Commands().Query(*this, id);
}

bool CMainFrame::CanStartComm() const { return devicePresent_ && !download_.threadRunning; }
bool CMainFrame::CanStopComm() const { return devicePresent_ && download_.threadRunning; }
bool CMainFrame::CanUseDevice() const { return devicePresent_ && !download_.portOpen; }
bool CMainFrame::EnglishNotChosen() const { return app_.m_bChinese == 1; }
bool CMainFrame::ChineseNotChosen() const { return app_.m_bChinese == 0; }

fw::CommandState CMainFrame::LookState(UINT id) const {
  fw::CommandState state;
  state.enabled = true;
  state.checked = static_cast<int>(id) == lookId_;
  state.radio = true;
  return state;
}

void CMainFrame::OnStartComm() { StartDownload(true, true); }
void CMainFrame::OnStopComm() { download_.stopRequested = true; }

void CMainFrame::OnShowWardRoundList() { ShowView(ViewCode::WardRoundList, nullptr); }
void CMainFrame::OnShowTrend() { ShowView(ViewCode::Trend, PersonForView(ViewCode::Trend)); }
void CMainFrame::OnShowMonitoringList() {
  ShowView(ViewCode::MonitoringList, PersonForView(ViewCode::MonitoringList));
}
void CMainFrame::OnShowHome() { ShowView(ViewCode::Home, nullptr); }
void CMainFrame::OnShowReport() { ShowView(ViewCode::Report, PersonForView(ViewCode::Report)); }
void CMainFrame::OnShowArchive() { ShowView(ViewCode::Archive, nullptr); }

void CMainFrame::OnHistoryBack() {
  if (const std::optional<HistoryEntry> entry = history_.Back()) {
    ShowView(entry->view, entry->person, HistoryUpdate::Keep);
  }
}

void CMainFrame::OnHistoryForward() {
  if (const std::optional<HistoryEntry> entry = history_.Forward()) {
    ShowView(entry->view, entry->person, HistoryUpdate::Keep);
  }
}

void CMainFrame::OnLanguageChinese() {
  ::PostMessageW(hwnd(), WM_SETLANGUAGE, 0, 0);
  app_.m_bChinese = 1;
  WriteLanguageSetting(true);
}

void CMainFrame::OnLanguageEnglish() {
  ::PostMessageW(hwnd(), WM_SETLANGUAGE, 1, 0);
  app_.m_bChinese = 0;
  WriteLanguageSetting(false);
}

// The look commands have no ribbon element; the visual style is the one Office-like look.
void CMainFrame::OnLook(UINT id) {
  lookId_ = static_cast<int>(id);
  ::RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CMainFrame::ShowAbout() { CAboutDlg().DoModal(hwnd()); }

void CMainFrame::OnImportCheck() { ImportFile(true); }
void CMainFrame::OnImportMonitor() { ImportFile(false); }

void CMainFrame::ImportFile(bool wardRound) {
  fw::FileDialogOptions options;
  options.owner = hwnd();
  options.title = fw::LoadStringResource(IDS_IMPORT);
  options.filter =
      wardRound ? L"Check Files (*.cDat)|*.cDat||" : L"Monitor Files (*.mDat)|*.mDat||";
  options.defaultExtension = wardRound ? L"cDat" : L"mDat";
  const std::optional<std::wstring> path = files_->ChooseFileToOpen(options);
  if (!path) return;
  const FileResult result =
      wardRound ? ReadCheckFile(store_, *path) : ReadMonitorFile(store_, *path);
  if (!result) {
    // A silent failure would read as success.
    ShowStringMessage(IDS_IMPORT_FAILED);
    return;
  }
  SetLoadIndicator(true);
  ShowView(ViewCode::DataOverview, nullptr);
}

const fw::CommandTable<CMainFrame>& CMainFrame::Commands() {
  using Entry = fw::CommandEntry<CMainFrame>;
  static const fw::CommandTable<CMainFrame> table{
      {ID_START_COMM, &CMainFrame::OnStartComm, &CMainFrame::CanStartComm},
      {ID_STOP_COMM, &CMainFrame::OnStopComm, &CMainFrame::CanStopComm},
      {ID_CLEAR_DEVICE, &CMainFrame::OnClearDevice, &CMainFrame::CanUseDevice},
      {ID_CLEAR_MONITOR_CHOICE, &CMainFrame::OnToggleClearMonitoring, &CMainFrame::CanUseDevice,
       &CMainFrame::ClearMonitoringChosen},
      {ID_CLEAR_CHECK_CHOICE, &CMainFrame::OnToggleClearWardRound, &CMainFrame::CanUseDevice,
       &CMainFrame::ClearWardRoundChosen},
      {ID_SHOW_CHECK_LIST, &CMainFrame::OnShowWardRoundList, &CMainFrame::NotShowingWardRoundList},
      {ID_SHOW_TREND, &CMainFrame::OnShowTrend, &CMainFrame::NotShowingTrend},
      {ID_SHOW_MONITOR_LIST, &CMainFrame::OnShowMonitoringList,
       &CMainFrame::NotShowingMonitoringList},
      {ID_HISTORY_BACK, &CMainFrame::OnHistoryBack, &CMainFrame::CanGoBack},
      {ID_HISTORY_FORWARD, &CMainFrame::OnHistoryForward, &CMainFrame::CanGoForward},
      {ID_IMPORT_CHECK, &CMainFrame::OnImportCheck, &CMainFrame::PortIdle},
      {ID_IMPORT_MONITOR, &CMainFrame::OnImportMonitor, &CMainFrame::PortIdle},
      {ID_SHOW_HOME, &CMainFrame::OnShowHome, &CMainFrame::NotShowingHome},
      {ID_SHOW_REPORT, &CMainFrame::OnShowReport, &CMainFrame::CanShowReport},
      {ID_SHOW_ARCHIVE, &CMainFrame::OnShowArchive, &CMainFrame::NotShowingArchive},
      {ID_LANGUAGE_CHINESE, &CMainFrame::OnLanguageChinese, &CMainFrame::ChineseNotChosen,
       &CMainFrame::EnglishNotChosen},
      {ID_LANGUAGE_ENGLISH, &CMainFrame::OnLanguageEnglish, &CMainFrame::EnglishNotChosen,
       &CMainFrame::ChineseNotChosen},
      {ID_STATUS_INDICATOR, &CMainFrame::OnIndicator},
      {ID_APP_ABOUT, &CMainFrame::OnAppAbout},
      Entry::Range(ID_LOOK_FIRST, ID_LOOK_LAST, &CMainFrame::OnLook, &CMainFrame::LookState),
  };
  return table;
}

}  // namespace wd
