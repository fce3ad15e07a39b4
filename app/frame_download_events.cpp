#include "app/frame_download_events.h"

#include "framework/exception_report.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"
#include "views/view_host.h"

namespace wd {

std::wstring DeviceMessageText(DeviceMessage message) {
  if (const int id = MessageStringId(message); id != 0) {
    std::wstring text = fw::LoadStringResource(static_cast<UINT>(id));
    if (!text.empty()) return text;
  }
  return Widen(MessageText(message));
}

std::wstring MessageCaption() { return fw::LoadStringResource(IDS_APP_TITLE); }

void FrameDownloadEvents::OnProgress(ProgressPhase phase, int value) {
  ::PostMessageW(frame_, WM_COMMPROGRESS, static_cast<WPARAM>(phase), static_cast<LPARAM>(value));
}

void FrameDownloadEvents::OnMessage(DeviceMessage message) {
  if (state_.stopRequested) return;
  fw::ShowMessageBox(frame_, DeviceMessageText(message), MessageCaption(), MB_OK | MB_ICONWARNING);
}

void FrameDownloadEvents::OnUnexpectedError(const char* what) {
  fw::ReportException("the download thread", what);
}

}  // namespace wd
