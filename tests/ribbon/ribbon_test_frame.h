// A frame like the program's main window: its command rules, its non-client handling of the
// caption, and a ribbon and status bar built from the program's real strings and icons.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "framework/command_table.h"
#include "framework/frame_window.h"
#include "framework/handles.h"
#include "framework/ribbon/ribbon_bar.h"
#include "framework/ribbon/ribbon_status_bar.h"

namespace ribbon_test {

// Ids of the program (res/resource.h holds them too; the test names what it drives).
enum : UINT {
  kStart = 220,
  kStop = 221,
  kIndicator = 32819,
  kClearDevice = 32821,
  kClearMonitoring = 32822,
  kClearCheck = 32823,
  kShowCheckList = 32825,
  kShowTrend = 32826,
  kShowMonitorList = 32827,
  kBack = 32828,
  kForward = 32829,
  kImportCheck = 32830,
  kImportMonitor = 32831,
  kHome = 32833,
  kChinese = 32835,
  kEnglish = 32836,
  kTextPane = 120,
  kProgress = 32818,
};

class TestFrame : public fw::FrameWindow {
 public:
  // Rule inputs, as the program's frame keeps them.
  bool devicePresent = true;
  bool downloading = false;
  bool portOpen = false;
  bool clearMonitoring = true;
  bool clearCheck = true;
  bool chinese = true;
  bool canGoBack = true;

  std::vector<UINT> received;  // every command that reached the frame
  std::vector<UINT> executed;  // those its rules let run
  int closePresses = 0;
  // A language command switches the resources and rebuilds, as the program does.
  HMODULE english = nullptr;

  bool Open(int width = 1180, int height = 420);
  void BuildRibbon();

  fw::RibbonBar ribbon;
  fw::RibbonStatusBar status;
  std::array<fw::Icon, 2> lamps;  // 314 on, 315 off

  bool ExecuteCommand(UINT id) override;
  std::optional<fw::CommandState> QueryCommand(UINT id) const override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void Record(UINT id) { executed.push_back(id); }
  void SwitchLanguage(bool toChinese);

  std::vector<fw::Icon> icons_;
  fw::Bitmap appImage_;
  fw::Bitmap panelStrip_;
  fw::Icon viewsPanelIcon_;
  fw::Icon statusPanelIcon_;
};

// The first element of the ribbon's only category with command `id`; null when none.
fw::RibbonElement* FindById(const fw::RibbonBar& ribbon, UINT id);

// The screen's DPI (the tests also run in a 120-DPI prefix).
int ScreenDpi();

// Presses the element with command `id` as a user would: through its panel's drop-down when
// the panel is collapsed.
void ClickElement(const fw::RibbonBar& ribbon, UINT id);

// Client-coordinate helpers for driving the ribbon.
POINT Centre(const RECT& rect);
// Press and release at `point` (ribbon client coordinates) as the mouse would, then pump.
void Click(const fw::RibbonBar& ribbon, POINT point);
// Moves the real pointer to `point` of `window`'s client area and pumps a little.
void HoverAt(HWND window, POINT point);
// The folder of the test program, with a trailing backslash.
std::wstring ProgramFolder();

}  // namespace ribbon_test
