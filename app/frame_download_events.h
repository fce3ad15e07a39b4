#pragma once
// The download thread's side of the frame: progress as posted messages, user messages as
// message boxes owned by the frame — none once a stop was asked, so closing never waits on one.

#include <windows.h>

#include <string>

#include "data/download_state.h"
#include "device/acquisition.h"

namespace wd {

// The text of a device message: its string in the current resources, or its literal text.
std::wstring DeviceMessageText(DeviceMessage message);
std::wstring MessageCaption();

class FrameDownloadEvents final : public DownloadEvents {
 public:
  FrameDownloadEvents(HWND frame, const DownloadState& state) : frame_(frame), state_(state) {}

  void OnProgress(ProgressPhase phase, int value) override;
  void OnMessage(DeviceMessage message) override;
  // Through the program's one report of exceptions stopped at a boundary.
  void OnUnexpectedError(const char* what) override;

 private:
  HWND frame_;
  const DownloadState& state_;
};

}  // namespace wd
