// What the controls tests share: a test form on any template, the home form set up the way the
// home view sets up its six image buttons, mouse and capture helpers.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/dpi_form_view.h"
#include "framework/device_context.h"
#include "framework/frame_window.h"
#include "controls/image_button.h"
#include "framework/gdi_objects.h"
#include "tests/framework/test_host.h"
#include "tests/ui_support/window_capture.h"

namespace controls_test {

constexpr COLORREF kViewBackground = RGB(180, 200, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A form view on any template that counts the commands its buttons send.
class TestForm : public wd::CFormViewDPI {
 public:
  explicit TestForm(UINT templateId) : CFormViewDPI(templateId) {}

  std::map<UINT, int> commands;
  std::vector<UINT> notifications;  // codes of other control notifications
  fw::Brush background = fw::CreateSolidBrush(kViewBackground);

  bool ExecuteCommand(UINT id) override {
    ++commands[id];
    return true;
  }

 protected:
  bool OnCommand(UINT id, UINT code, HWND control) override {
    if (control != nullptr && code != BN_CLICKED) notifications.push_back(code);
    return CFormViewDPI::OnCommand(id, code, control);
  }
  HBRUSH OnCtlColor(HDC, HWND, UINT kind) override {
    return kind == WM_CTLCOLORDLG ? background.get() : nullptr;
  }
};

// Template 354 with its buttons configured as the home view does.
struct HomeButtonIcons {
  int id;
  UINT idle;
  UINT active;  // 0: the automatic grey copy of the idle icon
  int size;
};
inline constexpr HomeButtonIcons kHomeButtons[] = {
    {1009, 363, 366, 90}, {1008, 352, 369, 90}, {1007, 351, 365, 90},
    {1006, 364, 367, 90}, {1005, 349, 368, 90}, {1010, 355, 0, 64},
};

class HomeForm : public TestForm {
 public:
  HomeForm() : TestForm(354) {}
  wd::CButtonST& Button(int id) { return *buttons_.at(id); }

 protected:
  void OnInitialUpdate() override;

 private:
  std::map<int, std::unique_ptr<wd::CButtonST>> buttons_;
};

// A host window holding a form at its top-left corner, sized to show the whole form.
struct HostedForm {
  fw_test::HostWindow host;
  bool Open(wd::CFormViewDPI& form, int width, int height);
};

// Places the cursor over `window` (at its centre, or at `offset` from its top-left corner) and
// reports a mouse move there with the given button state.
void MoveMouseOver(HWND window, std::optional<POINT> offset = std::nullopt, UINT keys = 0);
// Moves the cursor far away and waits for the button to notice it has left.
bool MoveMouseAway(const wd::CButtonST& button);

ui_support::WindowImage Capture(HWND window);

// A path relative to the test program's folder.
std::wstring ProgramFolderFile(const std::wstring& relative);
// <test program's folder>\..\..\screens\controls\<name>.png
std::wstring ScreenshotPath(const std::wstring& name);

}  // namespace controls_test
