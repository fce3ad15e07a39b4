// The image button's behaviour: icons and colours it is given, how the dialog manager and the
// mouse see it, and where the focus goes when it is disabled.
#include <gtest/gtest.h>

#include "controls/icon_tools.h"
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
        EXPECT_EQ(button.SetIcons(fw::LoadIconResource(355, 64, 64), CButtonST::kAutomaticGrey), CButtonST::kOk);
        EXPECT_EQ(button.IconSize(true).cx, 64);
        EXPECT_NE(button.ActiveIcon(), nullptr);
        EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons + 2);

        // A handle the system cannot describe: both released, caption only.
        EXPECT_EQ(button.SetIcons(fw::LoadIconResource(349, 90, 90), fw::Icon(reinterpret_cast<HICON>(0x5a5a0))),
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
    EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons) << "destruction releases them";
}

TEST_F(ImageButton, ColoursStayInTheirTableAndTheHoverShiftKeepsTheHue) {
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

    button.SetColor(CButtonST::kHoverBackground, controls_test::kViewBackground);
    EXPECT_EQ(button.ShiftHoverBackground(30), CButtonST::kOk);
    EXPECT_EQ(button.GetColor(CButtonST::kHoverBackground), controls_test::kViewBackground) << "blue allows 0";
    EXPECT_FALSE(button.SetImageAlignment(2));
}

TEST_F(ImageButton, AFlatButtonHoversOnlyWhenEnteredWithTheLeftButtonUp) {
    CButtonST button;
    Bound(IDC_TEST_BUTTON, button);
    controls_test::MoveMouseOver(button.hwnd(), std::nullopt, MK_LBUTTON);
    EXPECT_FALSE(button.IsHovering()) << "a drag from elsewhere does not light it up";
    controls_test::MoveMouseOver(button.hwnd());
    EXPECT_TRUE(button.IsHovering());
    controls_test::MoveMouseOver(button.hwnd(), std::nullopt, MK_LBUTTON);
    EXPECT_TRUE(button.IsHovering()) << "pressing on a hovered button keeps it";
    EXPECT_TRUE(controls_test::MoveMouseAway(button)) << "the mouse-leave notice ends it";

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

    ::SetFocus(form.Child(IDC_TEST_EDIT));
    ::SendMessageW(button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.commands[IDC_TEST_BUTTON], 3);
    EXPECT_EQ(::GetFocus(), button.hwnd()) << "a click from the keyboard or a program takes the focus too";
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
    ::EnableWindow(second.hwnd(), FALSE);
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

TEST(GreyIcon, KeepsBlackAndTheMaskAndGreysEveryColour) {
    // A 2 x 2 icon: red, black, white and a masked-out pixel.
    const std::uint32_t colours[4] = {0x00FF0000u, 0x00000000u, 0x00FFFFFFu, 0x0000FF00u};
    fw::Bitmap colour(::CreateBitmap(2, 2, 1, 32, colours));
    const std::uint16_t maskRows[2] = {0x0000, 0x0040};  // bottom-right masked; rows are word-aligned
    fw::Bitmap mask(::CreateBitmap(2, 2, 1, 1, maskRows));
    ICONINFO info{TRUE, 1, 1, mask.get(), colour.get()};
    fw::Icon source(::CreateIconIndirect(&info));
    ASSERT_TRUE(source);

    fw::Icon grey = wd::MakeGreyIcon(source.get());
    ASSERT_TRUE(grey);
    ICONINFO made{};
    ASSERT_TRUE(::GetIconInfo(grey.get(), &made));
    fw::Bitmap madeMask(made.hbmMask);
    fw::Bitmap madeColour(made.hbmColor);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::uint32_t pixels[4]{};
    fw::WindowDc screen(nullptr);
    ASSERT_EQ(::GetDIBits(screen.get(), madeColour.get(), 0, 2, pixels, &format, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0] & 0xFFFFFFu, 0x4C4C4Cu) << "red: trunc(0.299 * 255) = 76";
    EXPECT_EQ(pixels[1] & 0xFFFFFFu, 0u);
    EXPECT_EQ(pixels[2] & 0xFFFFFFu, 0xFFFFFFu);
    std::uint32_t maskPixels[4]{};
    ASSERT_EQ(::GetDIBits(screen.get(), madeMask.get(), 0, 2, maskPixels, &format, DIB_RGB_COLORS), 2);
    EXPECT_EQ(maskPixels[0] & 0xFFFFFFu, 0u);
    EXPECT_EQ(maskPixels[3] & 0xFFFFFFu, 0xFFFFFFu) << "the source's mask";

    EXPECT_FALSE(wd::MakeGreyIcon(nullptr));
    EXPECT_FALSE(wd::IconSizeFromHotSpot(reinterpret_cast<HICON>(0x5a5a0)));
}

}  // namespace
