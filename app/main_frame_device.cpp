// The device side of the frame: starting a download, its progress, the presence poll and the
// worker thread's lifetime.

#include <system_error>

#include "app/main_frame.h"
#include "device/acquisition.h"
#include "device/clock.h"
#include "device/win32/serial_port_win32.h"
#include "framework/message_box.h"
#include "framework/message_loop.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"

namespace wd {
namespace {

constexpr RECT kProgressRect{300, 0, 800, 30};

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring_view(className) == L"#32770") ::PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

}  // namespace

void CMainFrame::StartDownload(bool monitoring, bool wardRound) {
  if (download_.Busy() || closing_) return;
  JoinFinishedWorker();
  download_.PrepareStart(monitoring, wardRound);
  SetLoadIndicator(false);
  port_ = OpenMonitorPort();
  if (!port_) return;
  StartJournal();
  download_.portOpen = true;
  download_.threadRunning = true;
  try {
    worker_ = std::thread([this, link = port_.get()] {
      workerThreadId_ = ::GetCurrentThreadId();
      SteadyClock clock;
      AcquisitionJob job{download_, store_, *link, clock, *listeners_};
      AcquisitionThread(job);
      // The last act: from here on the frame may join and release the port.
      download_.threadRunning = false;
    });
  } catch (const std::system_error&) {
    port_->Close();
    port_.reset();
    download_.portOpen = false;
    download_.threadRunning = false;
    ShowStringMessage(IDS_CREATE_THREAD_FAILED);
  }
  RefreshRibbon();
}

// The monitor's port, found and opened; null after telling the user why not.
std::unique_ptr<ByteLink> CMainFrame::OpenMonitorPort() {
  int port = 0;
  if (!FindSerialPort(port)) {
    ShowMessage(DeviceMessage::NoDevice);
    return nullptr;
  }
  portName_ = L"COM" + std::to_wstring(port);
  SerialPortOpen open = OpenSerialPort();
  if (!open.link && open.message) ShowMessage(*open.message);
  return std::move(open.link);
}

void CMainFrame::JoinFinishedWorker() {
  if (worker_.joinable() && !download_.threadRunning) {
    worker_.join();
    port_.reset();
    workerThreadId_ = 0;
  }
}

void CMainFrame::StopWorkerAndWait() {
  if (!worker_.joinable()) return;
  download_.stopRequested = true;
  // Keep messages flowing: a message box of the worker disables this window through messages
  // to this thread. A box already up is answered, so the wait always ends.
  fw::RunMessageLoopUntil(
      [this] {
        DismissWorkerMessages();
        return !download_.threadRunning;
      },
      INFINITE);
  JoinFinishedWorker();
}

void CMainFrame::DismissWorkerMessages() const {
  if (const DWORD thread = workerThreadId_; thread != 0) {
    ::EnumThreadWindows(thread, CloseMessageBox, 0);
  }
}

void CMainFrame::OnCommProgress(WPARAM phase, LPARAM value) {
  if (closing_) return;
  switch (static_cast<ProgressPhase>(phase)) {
    case ProgressPhase::Started:
      statusBar_.AddProgress(ID_PANE_PROGRESS, L"COM", kProgressRect, 0, 100);
      statusBar_.SetProgressPos(ID_PANE_PROGRESS, 0);
      statusBar_.Redraw();
      break;
    case ProgressPhase::Counted:
      statusBar_.SetProgressPos(ID_PANE_PROGRESS, 10);
      totalsText_ =
          FormatNumbers(fw::LoadStringResource(IDS_DOWNLOAD_TOTALS),
                        {download_.monitoringTotal.load(), download_.wardRoundTotal.load()});
      ShowStatusText();
      break;
    case ProgressPhase::Receiving:
      statusBar_.SetProgressPos(ID_PANE_PROGRESS, static_cast<int>(value));
      break;
    case ProgressPhase::Finished:
      statusBar_.RemoveElement(ID_PANE_PROGRESS);
      statusBar_.Redraw();
      if (value == 1) {
        SetLoadIndicator(true);
        ShowView(ViewCode::DataOverview, nullptr);
      }
      break;
  }
  RefreshRibbon();
}

void CMainFrame::PollForDevice() {
  int port = 0;
  devicePresent_ = FindSerialPort(port);
  SetConnectionIndicator(devicePresent_);
  RefreshRibbon();
}

void CMainFrame::ShowMessage(DeviceMessage message) {
  fw::ShowMessageBox(hwnd(), DeviceMessageText(message), MessageCaption(), MB_OK | MB_ICONWARNING);
}

void CMainFrame::ShowStringMessage(UINT stringId) {
  fw::ShowMessageBox(hwnd(), fw::LoadStringResource(stringId), MessageCaption(),
                     MB_OK | MB_ICONWARNING);
}

}  // namespace wd
