// The archive's side of the frame: a journal beside every download, the word when it cannot be
// written, and the erase that first asks whether the monitor's records are archived.

#include <string>
#include <system_error>

#include "app/main_frame.h"
#include "archive/archive_reader.h"
#include "archive/this_process.h"
#include "device/clear_device.h"
#include "device/clock.h"
#include "device/count_request.h"
#include "framework/exception_report.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"

namespace wd {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring String(UINT id) { return fw::LoadStringResource(id); }

}  // namespace

// The archive's list read once in the background, so the archive view opens quickly even the
// first time; the view reads again only what may have changed since.
void CMainFrame::WarmCatalog() {
  try {
    catalogWarmer_ = std::thread([this] {
      try {
        std::vector<DownloadSummary> downloads;
        catalog_.Refresh(dataFolders_.archive, downloads);
      } catch (const std::exception& error) {
        fw::ReportException("reading the archive's list", error.what());
      }
    });
  } catch (const std::system_error&) {
    // Without the thread the view reads the whole list when it first opens.
  }
}

void CMainFrame::JoinCatalogWarmer() {
  if (catalogWarmer_.joinable()) catalogWarmer_.join();
}

// The journal hears every event before the window does, so when the window learns that the
// download ended, the archive says so too. It writes on the download thread and its own;
// a failure only posts a message here.
void CMainFrame::StartJournal() {
  archiveProblem_.clear();
  totalsText_.clear();
  JournalSettings settings;
  settings.root = dataFolders_.archive;
  settings.port = Narrow(portName_);
  settings.onError = [frame = hwnd()](const ArchiveError&) {
    ::PostMessageW(frame, WM_ARCHIVEFAILED, 0, 0);
  };
  journal_ = std::make_unique<DownloadJournal>(download_, std::move(settings));
  listeners_ = std::make_unique<DownloadListeners>(
      std::initializer_list<DownloadEvents*>{journal_.get(), events_.get()});
}

const DownloadJournal* CMainFrame::FinishedJournal() const {
  return download_.threadRunning ? nullptr : journal_.get();
}

void CMainFrame::OnArchiveFailed() {
  if (closing_ || !journal_) return;
  const std::optional<ArchiveError> error = journal_->error();
  if (!error) return;
  archiveProblem_ = String(IDS_ARCHIVE_WRITE_FAILED_SHORT);
  ShowStatusText();
  // Modal on this thread only: the download thread goes on meanwhile.
  fw::ShowMessageBox(
      hwnd(),
      FormatText(String(IDS_ARCHIVE_WRITE_FAILED), {Widen(std::string_view(Describe(*error)))}),
      MessageCaption(), MB_OK | MB_ICONWARNING);
}

// The archive's problem first: the pane is narrow, and that is the news.
void CMainFrame::ShowStatusText() {
  std::wstring text = archiveProblem_;
  if (!text.empty() && !totalsText_.empty()) text += L"  ";
  text += totalsText_;
  statusBar_.SetPaneText(ID_PANE_STATUS_TEXT, text.empty() ? L" " : text);
  statusBar_.Redraw();
}

// The erase asks the monitor what it holds first, on a thread of its own, and looks for a
// complete download of exactly that in the archive; the answer comes back as WM_ERASECOUNTED.
void CMainFrame::OnClearDevice() {
  if (!clearMonitoring_ && !clearWardRound_) {
    ShowMessage(DeviceMessage::SelectDataToClear);
    return;
  }
  if (download_.Busy() || closing_) return;
  JoinFinishedWorker();
  port_ = OpenMonitorPort();
  if (!port_) return;
  eraseSelection_ = {clearMonitoring_, clearWardRound_};
  download_.portOpen = true;
  download_.threadRunning = true;
  const GuardScope scope{startedUtc_, ComputerName(), Narrow(portName_)};
  try {
    worker_ = std::thread([this, link = port_.get(), scope, selection = eraseSelection_] {
      workerThreadId_ = ::GetCurrentThreadId();
      EraseCheck check;
      try {
        SteadyClock clock;
        check.totals = AskDeviceTotals(*link, clock);
        std::vector<DownloadSummary> downloads;
        if (check.totals && ListArchive(dataFolders_.archive, downloads)) {
          check.coverage = CheckArchived(downloads, *check.totals, selection, scope);
        }
      } catch (const std::exception& error) {
        fw::ReportException("the count before an erase", error.what());
        check.totals.reset();
      }
      {
        const std::lock_guard lock(eraseMutex_);
        eraseCheck_ = std::move(check);
      }
      ::PostMessageW(hwnd(), WM_ERASECOUNTED, 0, 0);
      download_.threadRunning = false;
    });
  } catch (const std::system_error&) {
    port_.reset();
    download_.portOpen = false;
    download_.threadRunning = false;
    ShowStringMessage(IDS_CREATE_THREAD_FAILED);
  }
  RefreshRibbon();
}

// The port stays open from the count to the erase; "No" closes it having sent nothing more.
void CMainFrame::OnEraseCounted() {
  std::optional<EraseCheck> check;
  {
    const std::lock_guard lock(eraseMutex_);
    check = std::exchange(eraseCheck_, std::nullopt);
  }
  if (!check) return;
  if (worker_.joinable()) worker_.join();
  workerThreadId_ = 0;
  const bool erase = !closing_ && port_ && ConfirmErase(check->totals, check->coverage);
  if (erase) {
    SteadyClock clock;
    const ClearOutcome outcome = ClearDeviceData(*port_, clock, eraseSelection_);
    port_.reset();
    download_.portOpen = false;
    for (DeviceMessage message : outcome.messages) ShowMessage(message);
  } else {
    port_.reset();
    download_.portOpen = false;
  }
  RefreshRibbon();
}

// Names the stores and their counts; says first when they are not archived, and then the
// default answer is No.
bool CMainFrame::ConfirmErase(const std::optional<DeviceTotals>& totals,
                              const ArchiveCoverage& coverage) {
  if (!totals) {
    ShowMessage(DeviceMessage::CommunicationError);
    return false;
  }
  std::wstring stores;
  if (eraseSelection_.monitoring)
    stores = FormatNumbers(String(IDS_ERASE_MONITORING), {totals->monitoring});
  if (eraseSelection_.wardRound) {
    if (!stores.empty()) stores += String(IDS_ERASE_AND);
    stores += FormatNumbers(String(IDS_ERASE_WARD_ROUND), {totals->wardRound});
  }
  const std::wstring question = FormatText(String(IDS_ERASE_QUESTION), {stores});
  std::wstring text;
  if (!coverage.archived) {
    text = String(IDS_ERASE_NOT_ARCHIVED) + L"\n\n" + question;
  } else if (coverage.folders.empty()) {
    text = String(IDS_ERASE_EMPTY) + L"\n\n" + question;
  } else {
    std::wstring folders;
    for (const std::string& folder : coverage.folders) {
      if (!folders.empty()) folders += L", ";
      folders += Widen(std::string_view(folder));
    }
    text = question + L"\n\n" + FormatText(String(IDS_ERASE_ARCHIVED), {folders});
  }
  const UINT style =
      MB_YESNO | MB_ICONWARNING | (coverage.archived ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
  return fw::ShowMessageBox(hwnd(), text, MessageCaption(), style) == IDYES;
}

}  // namespace wd
