// A form view made from a dialog template: creation, binding, colours, template adjustment and
// scrolling like a document view.
#include <gtest/gtest.h>

#include "framework/form_view.h"
#include "framework/frame_window.h"
#include "framework/gdi_objects.h"
#include "framework/message_loop.h"
#include "test_host.h"
#include "test_resource_ids.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace {

using fw_test::ChildRect;
using fw_test::HostWindow;

constexpr COLORREF kViewBackground = RGB(180, 200, 255);

class TestForm : public fw::FormView {
 public:
  explicit TestForm(UINT templateId = IDD_FORM) : FormView(templateId) {}

  int initialUpdates = 0;
  int barScrolls = 0;
  HWND lastBar = nullptr;
  UINT lastBarCode = 0;
  int pointSize = 0;  // 0: template unchanged
  fw::Window firstEdit;
  fw::Brush background = fw::CreateSolidBrush(kViewBackground);

 protected:
  void AdjustTemplate(fw::DialogTemplate& form) override {
    if (pointSize != 0) form.SetPointSize(static_cast<std::uint16_t>(pointSize));
  }
  void OnInitialUpdate() override {
    ++initialUpdates;
    BindControl(IDC_FIRST_EDIT, firstEdit);
  }
  HBRUSH OnCtlColor(HDC, HWND, UINT kind) override {
    return kind == WM_CTLCOLORDLG ? background.get() : nullptr;
  }
  void OnScrollBarControl(UINT message, UINT code, int, HWND bar) override {
    if (message != WM_HSCROLL) return;
    ++barScrolls;
    lastBar = bar;
    lastBarCode = code;
  }
};

class FormViewTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open(900, 700)); }

  SIZE TemplatePixels(HWND form, int widthUnits, int heightUnits) {
    RECT units{0, 0, widthUnits, heightUnits};
    ::MapDialogRect(form, &units);
    return SIZE{units.right, units.bottom};
  }
  void Scroll(const TestForm& form, UINT message, UINT code) {
    ::SendMessageW(form.hwnd(), message, MAKEWPARAM(code, 0), 0);
  }

  HostWindow host;
};

TEST_F(FormViewTest, IsAChildPaneSizedAsAskedWithTheTemplateAsItsTotalSize) {
  TestForm form;
  ASSERT_TRUE(form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 300, 200}));
  const HWND window = form.hwnd();
  EXPECT_EQ(::GetParent(window), host.hwnd());
  EXPECT_EQ(::GetDlgCtrlID(window), static_cast<int>(fw::kPaneFirstId));
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_NE(style & WS_CHILD, 0);
  EXPECT_NE(style & WS_VISIBLE, 0);
  EXPECT_NE(style & WS_BORDER, 0) << "style 0 means child, visible, bordered";
  EXPECT_EQ(ChildRect(window).right, 300);

  const SIZE total = form.TotalSize();
  const SIZE expected = TemplatePixels(window, 400, 300);
  EXPECT_EQ(total.cx, expected.cx);
  EXPECT_EQ(total.cy, expected.cy);
  EXPECT_EQ(form.initialUpdates, 0) << "the owner runs the initial update";
  form.InitialUpdate();
  EXPECT_EQ(form.initialUpdates, 1);
  EXPECT_EQ(form.firstEdit.hwnd(), form.Child(IDC_FIRST_EDIT));
}

TEST_F(FormViewTest, AMissingTemplateFailsCleanly) {
  TestForm form(4242);
  EXPECT_FALSE(form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 100, 100}));
  EXPECT_EQ(form.hwnd(), nullptr);
}

TEST_F(FormViewTest, TheTemplateHookShapesTheFormBeforeItIsCreated) {
  TestForm normal;
  ASSERT_TRUE(normal.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 100, 100}));
  TestForm small;
  small.pointSize = 6;
  ASSERT_TRUE(small.Create(host.hwnd(), fw::kPaneFirstId + 1, RECT{0, 0, 100, 100}));
  EXPECT_LT(small.TotalSize().cx, normal.TotalSize().cx);
  EXPECT_LT(small.TotalSize().cy, normal.TotalSize().cy);
  // Dialog units follow the font: the same control is proportionally smaller.
  EXPECT_LT(ChildRect(small.Child(IDC_FIRST_EDIT)).right,
            ChildRect(normal.Child(IDC_FIRST_EDIT)).right);
}

TEST_F(FormViewTest, ScrollBarsAppearOnlyWhenTheClientIsSmallerThanTheForm) {
  TestForm form;
  ASSERT_TRUE(
      form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 850, 650}, WS_CHILD | WS_VISIBLE));
  const SIZE total = form.TotalSize();
  ASSERT_LT(total.cx, 850);
  ASSERT_LT(total.cy, 650);
  LONG_PTR style = ::GetWindowLongPtrW(form.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0);

  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, total.cx + 5, total.cy / 2, SWP_NOZORDER | SWP_NOMOVE);
  style = ::GetWindowLongPtrW(form.hwnd(), GWL_STYLE);
  EXPECT_NE(style & WS_VSCROLL, 0);
  // The vertical bar takes more width than the 5 spare pixels, so the horizontal one follows.
  EXPECT_NE(style & WS_HSCROLL, 0);

  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 850, 650, SWP_NOZORDER | SWP_NOMOVE);
  style = ::GetWindowLongPtrW(form.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST_F(FormViewTest, ScrollingMovesTheChildrenAndStaysWithinTheForm) {
  TestForm form;
  ASSERT_TRUE(
      form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 300, 200}, WS_CHILD | WS_VISIBLE));
  const HWND edit = form.Child(IDC_FIRST_EDIT);
  const RECT before = ChildRect(edit);
  const fw::ScrollSizes sizes = form.Sizes();
  EXPECT_EQ(sizes.page.cy, sizes.total.cy / 10);
  EXPECT_EQ(sizes.line.cy, sizes.page.cy / 10);

  Scroll(form, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(form.ScrollPosition().y, sizes.line.cy);
  EXPECT_EQ(ChildRect(edit).top, before.top - sizes.line.cy);
  Scroll(form, WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(form.ScrollPosition().y, sizes.line.cy + sizes.page.cy);

  Scroll(form, WM_VSCROLL, SB_BOTTOM);
  Scroll(form, WM_HSCROLL, SB_BOTTOM);
  const SIZE client = fw_test::ClientSizeOf(form.hwnd());
  EXPECT_EQ(form.ScrollPosition().y, sizes.total.cy - client.cy);
  EXPECT_EQ(form.ScrollPosition().x, sizes.total.cx - client.cx);
  Scroll(form, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(form.ScrollPosition().y, sizes.total.cy - client.cy) << "never past the end";
  EXPECT_EQ(ChildRect(edit).left, before.left - form.ScrollPosition().x);

  // Growing the window so that everything fits scrolls back to the origin.
  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 880, 690, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(form.ScrollPosition().x, 0);
  EXPECT_EQ(form.ScrollPosition().y, 0);
  EXPECT_EQ(ChildRect(edit).top, before.top);
}

TEST_F(FormViewTest, TheMouseWheelScrollsByLinesDownward) {
  TestForm form;
  ASSERT_TRUE(
      form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 300, 200}, WS_CHILD | WS_VISIBLE));
  UINT lines = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ::SendMessageW(form.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(form.ScrollPosition().y, static_cast<LONG>(lines) * form.Sizes().line.cy);
  ::SendMessageW(form.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  EXPECT_EQ(form.ScrollPosition().y, static_cast<LONG>(lines) * form.Sizes().line.cy)
      << "half a notch waits";
  ::SendMessageW(form.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  EXPECT_EQ(form.ScrollPosition().y, 0);
}

TEST_F(FormViewTest, AScrollBarControlOnTheFormIsTheViewsOwnBusiness) {
  TestForm form;
  ASSERT_TRUE(
      form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 300, 200}, WS_CHILD | WS_VISIBLE));
  const HWND bar = form.Child(IDC_TIME_BAR);
  ASSERT_NE(bar, nullptr);
  ::SendMessageW(form.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                 reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(form.barScrolls, 1);
  EXPECT_EQ(form.lastBar, bar);
  EXPECT_EQ(form.lastBarCode, static_cast<UINT>(SB_LINERIGHT));
  EXPECT_EQ(form.ScrollPosition().x, 0) << "the view itself does not move";
}

TEST_F(FormViewTest, TheDialogColourHookPaintsTheFormBackground) {
  TestForm form;
  ASSERT_TRUE(
      form.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 600, 500}, WS_CHILD | WS_VISIBLE));
  form.Redraw();
  ui_support::PumpMessagesFor(50);
  RECT client{};
  ::GetClientRect(form.hwnd(), &client);  // without the scroll bars a large font may bring
  const auto pixel = ui_support::ReadWindowPixel(form.hwnd(), client.right - 5, 250);
  ASSERT_TRUE(pixel.has_value());
  EXPECT_EQ(*pixel, kViewBackground);
}

TEST_F(FormViewTest, TabMovesBetweenTheFormsControlsThroughTheMessageLoop) {
  fw::FrameWindow frame;
  ASSERT_TRUE(frame.CreateFrame(L"tab", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{0, 0, 500, 400}));
  TestForm form;
  ASSERT_TRUE(form.Create(frame.hwnd(), fw::kPaneFirstId, frame.PaneRect()));
  frame.SetCurrentView(&form);
  ::SetForegroundWindow(frame.hwnd());
  ::SetFocus(form.Child(IDC_FIRST_EDIT));
  ASSERT_EQ(::GetFocus(), form.Child(IDC_FIRST_EDIT));

  MSG tab = fw_test::MakeMessage(form.Child(IDC_FIRST_EDIT), WM_KEYDOWN, VK_TAB, 0x000F0001);
  fw::ProcessMessage(tab);
  EXPECT_EQ(::GetFocus(), form.Child(IDC_SECOND_EDIT));
}

}  // namespace
