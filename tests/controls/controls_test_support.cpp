#include "controls_test_support.h"

#include <gtest/gtest.h>

#include "framework/resource_module.h"
#include "tests/ui_support/message_pump.h"

namespace controls_test {
namespace {

// The program's manifest declares DPI awareness; the tests say so themselves.
[[maybe_unused]] const bool kDpiAware = ::SetProcessDPIAware() != FALSE;

}  // namespace

void HomeForm::OnInitialUpdate() {
  for (const HomeButtonIcons& icons : kHomeButtons) {
    auto button = std::make_unique<wd::CButtonST>();
    ASSERT_TRUE(BindControl(icons.id, *button));
    fw::Icon idle = fw::LoadIconResource(icons.idle, icons.size, icons.size);
    const DWORD set =
        icons.active == 0
            ? button->SetIcons(std::move(idle), wd::CButtonST::kAutomaticGrey)
            : button->SetIcons(std::move(idle),
                               fw::LoadIconResource(icons.active, icons.size, icons.size));
    EXPECT_EQ(set, wd::CButtonST::kOk);
    button->SetColor(wd::CButtonST::kFocusBackground, kViewBackground);
    button->SetColor(wd::CButtonST::kNormalBackground, kViewBackground);
    button->SetColor(wd::CButtonST::kHoverBackground, kViewBackground);
    button->SetColor(wd::CButtonST::kHoverText, kWhite);
    button->ShiftHoverBackground(30);
    button->SetImageAlignment(wd::CButtonST::kImageLeft);
    buttons_[icons.id] = std::move(button);
  }
}

bool HostedForm::Open(wd::CFormViewDPI& form, int width, int height) {
  ::SetCursorPos(1270, 790);  // no hover left over from an earlier test
  if (!host.Open(width, height)) return false;
  const RECT client = host.ClientRect();
  if (!form.Create(0, client, host.hwnd(), fw::kPaneFirstId, nullptr)) return false;
  form.InitialUpdate();
  ::SetForegroundWindow(host.hwnd());
  form.Redraw();
  ui_support::PumpMessagesFor(30);
  return true;
}

void MoveMouseOver(HWND window, std::optional<POINT> offset, UINT keys) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  POINT point = offset.value_or(POINT{rect.right / 2, rect.bottom / 2});
  POINT screen = point;
  ::ClientToScreen(window, &screen);
  ::SetCursorPos(screen.x, screen.y);
  ::SendMessageW(window, WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
  // The system's own notice of the move arrives later; take it while the cursor is still
  // there. With a button held it would tell otherwise, so it stays queued then.
  if (keys == 0) ui_support::PumpMessagesFor(20);
}

bool MoveMouseAway(const wd::CButtonST& button) {
  ::SetCursorPos(1270, 790);
  return ui_support::PumpUntil([&button] { return !button.IsHovering(); }, 3000);
}

ui_support::WindowImage Capture(HWND window) {
  auto image = ui_support::CaptureWindow(window);
  EXPECT_TRUE(image.has_value());
  return image.value_or(ui_support::WindowImage{});
}

std::wstring ProgramFolderFile(const std::wstring& relative) {
  wchar_t exe[MAX_PATH]{};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + relative;
}

std::wstring ScreenshotPath(const std::wstring& name) {
  std::wstring folder = ProgramFolderFile(L"..\\..\\screens");
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\controls";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + name + L".png";
}

}  // namespace controls_test
