#pragma once
// The program's one top-level window. It owns everything the views share: the records in
// memory, the state of a download, the view history and the view shown; it routes the ribbon's
// commands, shows download progress, polls for the monitor and switches the language.

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/frame_download_events.h"
#include "archive/download_journal.h"
#include "archive/erase_guard.h"
#include "app/logic/data_folders.h"
#include "app/logic/view_history.h"
#include "app/shown_view.h"
#include "app/spare_views.h"
#include "data/download_state.h"
#include "data/patient_store.h"
#include "device/byte_link.h"
#include "device/device_message.h"
#include "device/download_listeners.h"
#include "framework/form_view.h"
#include "framework/frame_window.h"
#include "framework/handles.h"
#include "framework/ribbon/ribbon_bar.h"
#include "framework/ribbon/ribbon_status_bar.h"
#include "res/resource.h"
#include "views/person_views.h"
#include "views/report/report_printing.h"
#include "views/view_host.h"

namespace wd {

class CwardDeskApp;

// The frame's own messages from its worker threads.
inline constexpr UINT WM_ARCHIVEFAILED = WM_USER + 0x110;  // the journal could not write
inline constexpr UINT WM_ERASECOUNTED = WM_USER + 0x111;   // the totals before an erase are known

class CMainFrame : public fw::FrameWindow, public ViewHost {
 public:
  explicit CMainFrame(CwardDeskApp& app);
  ~CMainFrame() override;

  // Creates the window: history, look, home view, ribbon, status bar, timers.
  bool CreateMainWindow();

  // ViewHost
  HWND FrameWindow() const override { return hwnd(); }
  PatientStore& Store() override { return store_; }
  const std::filesystem::path& RegisterFolder() const override;
  const std::filesystem::path& ArchiveRoot() const override { return dataFolders_.archive; }
  void MarkDataLoaded() override { SetLoadIndicator(true); }
  ArchiveCatalog& Catalog() override { return catalog_; }
  void StartDownload(bool monitoring, bool wardRound) override;
  void ShowAbout() override;
  FileChooser& Files() override { return *files_; }
  PrinterChooser& Printers() override { return *printers_; }

  // Whether showing a view adds it to the history or re-shows an entry of it.
  enum class HistoryUpdate { Push, Keep };
  // Shows a view by its code. While a modal loop (a dialog or message box of the current view)
  // runs, the switch waits until it has ended: the view that opened it must outlive it.
  void ShowView(ViewCode code, const PatientId* person, HistoryUpdate update = HistoryUpdate::Push);
  // Runs the close handling: stops a running download, waits for it, empties the store.
  void CloseMainWindow();

  // For the UI tests.
  void SetFileChooser(std::unique_ptr<FileChooser> chooser) { files_ = std::move(chooser); }
  void SetPrinterChooser(std::unique_ptr<PrinterChooser> chooser) {
    printers_ = std::move(chooser);
  }
  DownloadState& Download() { return download_; }
  const ViewHistory& History() const { return history_; }
  fw::Window* CurrentViewWindow() const { return view_.window.get(); }
  // Destroys the views made ahead (the benchmarks measure a switch without them).
  void DiscardSpareViews() { spares_.Clear(); }
  ViewCode CurrentViewCode() const { return viewCode_; }
  fw::RibbonBar& Ribbon() { return ribbon_; }
  fw::RibbonStatusBar& StatusBar() { return statusBar_; }
  bool DevicePresent() const { return devicePresent_; }
  bool DataLoaded() const { return dataLoaded_; }
  // The last download's journal once its thread has ended (null before and while one runs).
  const DownloadJournal* FinishedJournal() const;
  std::int64_t StartedUtc() const { return startedUtc_; }

  bool ExecuteCommand(UINT id) override;
  std::optional<fw::CommandState> QueryCommand(UINT id) const override;
  // The ribbon's key tips first, then the view's dialog keys.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(const CREATESTRUCTW& create) override;
  void OnClose() override;
  void OnDestroy() override;
  void OnTimer(UINT_PTR id) override;

 private:
  // main_frame_ribbon.cpp
  void LoadIcons();
  void BuildRibbon();
  void BuildCategory();
  void ShowIndicators();
  void SetConnectionIndicator(bool connected);
  void SetLoadIndicator(bool loaded);

  // main_frame_views.cpp
  ShownView CreateView(ViewCode code, const PatientId* person);
  ShownView MakeView(ViewCode code);
  ViewFit CurrentFit() const;
  void MakeSpareView();
  void OnShowView(WPARAM code, LPARAM person);
  void OnSetLanguage(WPARAM english);
  void ReshowCurrent();
  void ShowPendingView();
  void FocusView();
  const PatientId* PersonForView(ViewCode wanted) const;

  // main_frame_device.cpp
  void OnCommProgress(WPARAM phase, LPARAM value);
  void PollForDevice();
  std::unique_ptr<ByteLink> OpenMonitorPort();
  void JoinFinishedWorker();
  void StopWorkerAndWait();
  void DismissWorkerMessages() const;
  void ShowMessage(DeviceMessage message);
  void ShowStringMessage(UINT stringId);

  // main_frame_archive.cpp: the journal beside each download, and the erase's question
  void WarmCatalog();
  void JoinCatalogWarmer();
  void StartJournal();
  void OnArchiveFailed();
  void ShowStatusText();
  void OnEraseCounted();
  bool ConfirmErase(const std::optional<DeviceTotals>& totals, const ArchiveCoverage& coverage);

  // main_frame_commands.cpp: actions and their rules
  static const fw::CommandTable<CMainFrame>& Commands();
  void OnStartComm();
  void OnStopComm();
  void OnClearDevice();
  void OnToggleClearMonitoring() { clearMonitoring_ = !clearMonitoring_; }
  void OnToggleClearWardRound() { clearWardRound_ = !clearWardRound_; }
  void OnShowWardRoundList();
  void OnShowTrend();
  void OnShowMonitoringList();
  void OnShowReport();
  void OnShowHome();
  void OnShowArchive();
  void OnHistoryBack();
  void OnHistoryForward();
  void OnImportCheck();
  void OnImportMonitor();
  void OnLanguageChinese();
  void OnLanguageEnglish();
  void OnIndicator() {}
  void OnAppAbout() { ShowAbout(); }
  void OnLook(UINT id);
  bool CanStartComm() const;
  bool CanStopComm() const;
  bool CanUseDevice() const;
  bool ClearMonitoringChosen() const { return clearMonitoring_; }
  bool ClearWardRoundChosen() const { return clearWardRound_; }
  bool NotShowingWardRoundList() const { return viewCode_ != ViewCode::WardRoundList; }
  bool NotShowingTrend() const { return viewCode_ != ViewCode::Trend; }
  bool NotShowingMonitoringList() const { return viewCode_ != ViewCode::MonitoringList; }
  bool NotShowingHome() const { return viewCode_ != ViewCode::Home; }
  // A report needs its person: the one the current view shows, or its selected row's.
  bool CanShowReport() const {
    return viewCode_ != ViewCode::Report && PersonForView(ViewCode::Report) != nullptr;
  }
  bool NotShowingArchive() const { return viewCode_ != ViewCode::Archive; }
  bool CanGoBack() const { return history_.CanGoBack(); }
  bool CanGoForward() const { return history_.CanGoForward(); }
  bool PortIdle() const { return !download_.portOpen; }
  // Chinese in use: the English command is enabled and the Chinese one checked; and the reverse.
  bool EnglishNotChosen() const;
  bool ChineseNotChosen() const;
  fw::CommandState LookState(UINT id) const;
  void ImportFile(bool wardRound);
  void RefreshRibbon();

  CwardDeskApp& app_;
  // Decided once at construction, like the language.
  DataFolders dataFolders_;
  // The ribbon's icons and the others the frame loads, by slot (the table is
  // main_frame_ribbon.cpp's).
  enum IconSlot : std::size_t {
    kHomeIcon,
    kBackIcon,
    kForwardIcon,
    kMonitorListIcon,
    kTrendIcon,
    kCheckListIcon,
    kStartIcon,
    kStopIcon,
    kClearIcon,
    kImportMonitorIcon,
    kImportCheckIcon,
    kChineseIcon,
    kEnglishIcon,
    kLampOnIcon,
    kLampOffIcon,
    kReportIcon,
    kArchiveIcon,
    kSettingsIcon,
    kSaveIcon,
    kPlugOnIcon,
    kPlugOffIcon,
    kInfoIcon,
    kDownloadIcon,
    kAlertIcon,
    kIconCount
  };
  std::array<fw::Icon, kIconCount> icons_;
  // The two indicators of the status panel, as adding them returned; rebuilt with the ribbon.
  fw::RibbonElement* connectionIndicator_ = nullptr;
  fw::RibbonElement* loadIndicator_ = nullptr;
  std::array<fw::Icon, 2> windowIcons_;
  std::array<fw::Icon, 2> panelIcons_;  // images 7 and 27 of the panel strip
  fw::Bitmap smallImages_;
  fw::Bitmap largeImages_;
  fw::Bitmap applicationImage_;
  ViewHistory history_;
  // A switch asked for while a modal loop ran; shown once it has ended.
  struct PendingView {
    ViewCode code;
    const PatientId* person;
    HistoryUpdate update;
  };
  std::optional<PendingView> pendingView_;
  static constexpr UINT_PTR kPendingViewTimer = 3;
  static constexpr UINT kPendingViewPollMs = 100;
  // Spare views of the form views are made once the frame has been idle this long after a switch.
  SpareViews spares_;
  static constexpr UINT_PTR kSpareViewTimer = 4;
  static constexpr UINT kSpareViewIdleMs = 300;
  bool clearMonitoring_ = true;
  bool clearWardRound_ = true;
  PatientStore store_;
  DownloadState download_;
  std::unique_ptr<ByteLink> port_;
  std::unique_ptr<FrameDownloadEvents> events_;
  // The running or last download's journal and the listeners that tell it and the window.
  std::unique_ptr<DownloadJournal> journal_;
  std::unique_ptr<DownloadListeners> listeners_;
  std::wstring portName_;        // "COM7": the port the last download or erase opened
  std::wstring totalsText_;      // the status bar's text of the download's totals
  std::wstring archiveProblem_;  // the status bar's word that the archive was not written
  // What the count before an erase found, handed from its thread to the window's.
  struct EraseCheck {
    std::optional<DeviceTotals> totals;
    ArchiveCoverage coverage;
  };
  std::mutex eraseMutex_;
  std::optional<EraseCheck> eraseCheck_;
  ClearSelection eraseSelection_{};
  ArchiveCatalog catalog_;
  std::thread catalogWarmer_;  // reads the archive's list once at start-up
  // The start of this program: only downloads made since may vouch for an erase.
  std::int64_t startedUtc_ = static_cast<std::int64_t>(std::time(nullptr));
  std::thread worker_;
  std::atomic<DWORD> workerThreadId_{0};
  ShownView view_;
  ViewCode viewCode_ = ViewCode::Home;
  bool devicePresent_ = false;
  bool dataLoaded_ = false;
  bool closing_ = false;
  int lookId_ = ID_LOOK_DEFAULT;
  fw::RibbonStatusBar statusBar_;
  fw::RibbonBar ribbon_;
  std::unique_ptr<FileChooser> files_;
  std::unique_ptr<PrinterChooser> printers_;
};

}  // namespace wd
