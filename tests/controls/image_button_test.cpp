// The image button's behaviour: icons and colours it is given, how the dialog manager and the
// mouse see it, and where the focus goes when it is disabled.
#include <gtest/gtest.h>

#include "controls_test_ids.h"
#include "controls_test_support.h"
#include "framework/gui_object_counter.h"
#include "framework/resource_module.h"
#include "tests/ui_support/message_pump.h"

namespace {

using controls_test::HostedForm;
using controls_test::TestForm;
using wd::CButtonST;

class ImageButton : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hosted.Open(form, 500, 200)); }

  CButtonST& Bound(int id, CButtonST& button) {
    EXPECT_TRUE(form.BindControl(id, button));
    return button;
  }

  TestForm form{IDD_TEST_BUTTONS};
  HostedForm hosted;
};

TEST_F(ImageButton, AttachingMakesItOwnerDrawnAndRemembersTheDefaultButton) {
  CButtonST first;
  CButtonST byDefault;
  Bound(IDC_TEST_BUTTON, first);
  Bound(IDC_TEST_DEFAULT, byDefault);
  for (HWND window : {first.hwnd(), byDefault.hwnd()}) {
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  }
  EXPECT_FALSE(first.IsDefaultButton());
  EXPECT_TRUE(byDefault.IsDefaultButton());
  const auto brush =
      ::SendMessageW(form.hwnd(), WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(first.hwnd()));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(HOLLOW_BRUSH))
      << "nothing behind the drawing";
  EXPECT_NE(::SendMessageW(byDefault.hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
  EXPECT_NE(::SendMessageW(first.hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON, 0);

  // The dialog manager moves the default look by restyling: the button follows and stays
  // owner-drawn.
  ::SendMessageW(byDefault.hwnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  ::SendMessageW(first.hwnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_FALSE(byDefault.IsDefaultButton());
  EXPECT_TRUE(first.IsDefaultButton());
  EXPECT_EQ(::GetWindowLongPtrW(first.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_NE(::SendMessageW(first.hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
}

TEST_F(ImageButton, IconsAreOwnedSizedFromTheirHotSpotAndReleased) {
  const long icons = fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon);
  {
    CButtonST button;
    Bound(IDC_TEST_BUTTON, button);
    EXPECT_EQ(button.SetIcons(fw::LoadIconResource(349, 90, 90), fw::LoadIconResource(368, 90, 90)),
              CButtonST::kOk);
    EXPECT_EQ(button.IconSize(false).cx, 90);
    EXPECT_EQ(button.IconSize(true).cy, 90);
    EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons + 2);

    // Replacing releases the old pair.
    EXPECT_EQ(button.SetIcons(fw::LoadIconResource(355, 64, 64), CButtonST::kAutomaticGrey),
              CButtonST::kOk);
    EXPECT_EQ(button.IconSize(true).cx, 64);
    EXPECT_NE(button.ActiveIcon(), nullptr);
    EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons + 2);

    // A handle the system cannot describe: both released, caption only.
    EXPECT_EQ(button.SetIcons(fw::LoadIconResource(349, 90, 90),
                              fw::Icon(reinterpret_cast<HICON>(0x5a5a0))),
              CButtonST::kInvalidResource);
    EXPECT_EQ(button.ActiveIcon(), nullptr);
    EXPECT_EQ(button.IdleIcon(), nullptr);
    EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons);

    // No grey copy of a missing idle icon: no active icon either, and no failure.
    EXPECT_EQ(button.SetIcons(fw::Icon(), CButtonST::kAutomaticGrey), CButtonST::kOk);
    EXPECT_EQ(button.ActiveIcon(), nullptr);
    EXPECT_EQ(button.SetIcons(fw::LoadIconResource(372, 32, 32), fw::LoadIconResource(372, 32, 32)),
              CButtonST::kOk);
  }
  EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons)
      << "destruction releases them";
}

TEST_F(ImageButton, ColoursStartAsTheSystemsAndStayInTheirTable) {
  CButtonST button;
  EXPECT_EQ(button.GetColor(CButtonST::kNormalBackground), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(button.GetColor(CButtonST::kHoverText), ::GetSysColor(COLOR_BTNTEXT));
  EXPECT_FALSE(button.SetColor(CButtonST::kColorCount, RGB(1, 2, 3)));
  EXPECT_FALSE(button.SetColor(-1, RGB(1, 2, 3)));

  ASSERT_TRUE(button.SetColor(CButtonST::kHoverBackground, RGB(100, 100, 100)));
  EXPECT_EQ(button.ShiftHoverBackground(30), CButtonST::kOk);
  EXPECT_EQ(button.GetColor(CButtonST::kHoverBackground), RGB(130, 130, 130));
  EXPECT_EQ(button.ShiftHoverBackground(256), CButtonST::kBadParam);
  EXPECT_EQ(button.ShiftHoverBackground(-256), CButtonST::kBadParam);
  EXPECT_EQ(button.GetColor(CButtonST::kHoverBackground), RGB(130, 130, 130));
}

TEST_F(ImageButton, AFlatButtonHoversOnlyWhenEnteredWithTheLeftButtonUp) {
  CButtonST button;
  Bound(IDC_TEST_BUTTON, button);
  controls_test::MoveMouseOver(button.hwnd(), std::nullopt, MK_LBUTTON);
  EXPECT_FALSE(button.IsHovering()) << "a drag from elsewhere does not light it up";
  controls_test::MoveMouseOver(button.hwnd());
  EXPECT_TRUE(button.IsHovering());
  TRACKMOUSEEVENT tracking{sizeof(tracking), TME_QUERY, nullptr, 0};
  ASSERT_TRUE(::TrackMouseEvent(&tracking));
  EXPECT_EQ(tracking.hwndTrack, button.hwnd())
      << "the system is asked to tell when the mouse leaves";
  EXPECT_NE(tracking.dwFlags & TME_LEAVE, 0u);
  controls_test::MoveMouseOver(button.hwnd(), std::nullopt, MK_LBUTTON);
  EXPECT_TRUE(button.IsHovering()) << "pressing on a hovered button keeps it";
  ::SendMessageW(button.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button.IsHovering());
  controls_test::MoveMouseOver(button.hwnd());
  EXPECT_TRUE(controls_test::MoveMouseAway(button));

  CButtonST raised;
  Bound(IDC_TEST_DEFAULT, raised);
  raised.SetFlat(false);
  controls_test::MoveMouseOver(raised.hwnd());
  EXPECT_FALSE(raised.IsHovering());
}

TEST_F(ImageButton, HoveringEndsOnFocusLossCancelModeAndDisabling) {
  CButtonST button;
  Bound(IDC_TEST_BUTTON, button);
  const auto hoverThen = [&button](auto end) {
    controls_test::MoveMouseOver(button.hwnd());
    EXPECT_TRUE(button.IsHovering());
    end();
    EXPECT_FALSE(button.IsHovering());
  };
  ::SetFocus(button.hwnd());
  hoverThen([&] { ::SetFocus(form.Child(IDC_TEST_EDIT)); });
  hoverThen([&] { ::SendMessageW(button.hwnd(), WM_CANCELMODE, 0, 0); });
  hoverThen([&] { ::SendMessageW(button.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0); });
  hoverThen([&] { ::EnableWindow(button.hwnd(), FALSE); });
}

TEST_F(ImageButton, ADoubleClickRunsTheCommandTwiceAndTakesTheFocus) {
  CButtonST button;
  Bound(IDC_TEST_BUTTON, button);
  ::SetFocus(form.Child(IDC_TEST_EDIT));
  const LPARAM centre = MAKELPARAM(20, 20);
  ::SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
  ::SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, centre);
  ::SendMessageW(button.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, centre);
  ::SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, centre);
  EXPECT_EQ(form.commands[IDC_TEST_BUTTON], 2);
  EXPECT_EQ(::GetFocus(), button.hwnd());

  // A click that did not come through the mouse (a mnemonic, a program) takes the focus too.
  ::SetFocus(form.Child(IDC_TEST_EDIT));
  ::SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.hwnd()));
  EXPECT_EQ(form.commands[IDC_TEST_BUTTON], 3);
  EXPECT_EQ(::GetFocus(), button.hwnd());
}

TEST_F(ImageButton, DisablingHandsTheFocusOnButLeavesItWithAnotherControl) {
  CButtonST first;
  CButtonST second;
  Bound(IDC_TEST_BUTTON, first);
  Bound(IDC_TEST_DEFAULT, second);

  ::SetFocus(first.hwnd());
  ::EnableWindow(first.hwnd(), FALSE);
  EXPECT_EQ(::GetFocus(), second.hwnd()) << "to the next tab stop";

  ::EnableWindow(first.hwnd(), TRUE);
  ::SetFocus(form.Child(IDC_TEST_EDIT));
  ::EnableWindow(first.hwnd(), FALSE);
  EXPECT_EQ(::GetFocus(), form.Child(IDC_TEST_EDIT)) << "the user's place is kept";
}

TEST(ImageButtonAlone, DisablingTheOnlyTabStopFocusesTheForm) {
  TestForm form(IDD_TEST_ONE_BUTTON);
  HostedForm hosted;
  ASSERT_TRUE(hosted.Open(form, 300, 150));
  CButtonST button;
  ASSERT_TRUE(form.BindControl(IDC_TEST_BUTTON, button));
  ::SetFocus(button.hwnd());
  ::EnableWindow(button.hwnd(), FALSE);
  EXPECT_EQ(::GetFocus(), form.hwnd());
}

}  // namespace
