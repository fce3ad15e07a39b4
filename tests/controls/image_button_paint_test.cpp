// What the image button shows: the home form's buttons idle, hovered and pressed, a raised
// button with the focus, and screenshots of the home form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "controls_test_ids.h"
#include "controls_test_support.h"
#include "framework/resource_module.h"
#include "tests/ui_support/message_pump.h"

namespace {

using controls_test::Capture;
using controls_test::HomeForm;
using controls_test::HostedForm;
using controls_test::kViewBackground;
using controls_test::kWhite;
using ui_support::WindowImage;
using wd::CButtonST;

bool IsGrey(COLORREF colour) {
  return GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour);
}

bool IsColourful(COLORREF colour) {
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  return std::max({r, g, b}) - std::min({r, g, b}) > 40;
}

int CountPixels(const WindowImage& image, RECT area, COLORREF colour) {
  int count = 0;
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x) count += image.At(x, y) == colour ? 1 : 0;
  }
  return count;
}

class HomeButtons : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hosted.Open(form, 1240, 740)); }

  WindowImage Settled(HWND window) {
    ui_support::PumpMessagesFor(30);
    return Capture(window);
  }

  HomeForm form;
  HostedForm hosted;
};

TEST_F(HomeButtons, HoverTurnsTheCaptionWhiteOverTheSameBackgroundWithARaisedBorder) {
  CButtonST& button = form.Button(1005);
  const WindowImage idle = Settled(button.hwnd());
  const RECT caption{96, 0, idle.width, idle.height};  // right of the 90-pixel icon
  EXPECT_EQ(CountPixels(idle, caption, kWhite), 0);
  EXPECT_EQ(idle.At(0, 0), kViewBackground) << "flat: no border while idle";

  controls_test::MoveMouseOver(button.hwnd());
  ASSERT_TRUE(button.IsHovering());
  const WindowImage hover = Settled(button.hwnd());
  EXPECT_GT(CountPixels(hover, caption, kWhite), 20);
  EXPECT_EQ(hover.At(idle.width - 4, 4), kViewBackground);
  EXPECT_EQ(hover.At(0, 0), ::GetSysColor(COLOR_BTNHILIGHT));
  EXPECT_EQ(hover.At(idle.width - 1, idle.height - 1), ::GetSysColor(COLOR_BTNSHADOW));

  ASSERT_TRUE(controls_test::MoveMouseAway(button));
  const WindowImage after = Settled(button.hwnd());
  EXPECT_EQ(CountPixels(after, caption, kWhite), 0);
}

TEST_F(HomeButtons, HoveringExitShowsItsIconInGrey) {
  CButtonST& exit = form.Button(1010);
  const WindowImage idle = Settled(exit.hwnd());
  controls_test::MoveMouseOver(exit.hwnd());
  const WindowImage hover = Settled(exit.hwnd());

  const int top = (idle.height - 64) / 2;
  int coloured = 0;
  int greyed = 0;
  for (int y = top; y < top + 64; ++y) {
    for (int x = 3; x < 3 + 64; ++x) {
      if (idle.At(x, y) == kViewBackground || !IsColourful(idle.At(x, y))) continue;
      ++coloured;
      greyed += IsGrey(hover.At(x, y)) ? 1 : 0;
    }
  }
  EXPECT_GT(coloured, 300);
  EXPECT_EQ(greyed, coloured);
  EXPECT_EQ(hover.At(3, top), kViewBackground) << "the mask still cuts the corners out";
}

TEST_F(HomeButtons, PressingMovesIconAndCaptionOnePixelRightAndDown) {
  // Same look hovered or not, so only the press itself changes the picture.
  CButtonST& button = form.Button(1005);
  button.SetIcons(fw::LoadIconResource(349, 90, 90), fw::LoadIconResource(349, 90, 90));
  button.SetColor(CButtonST::kHoverText, ::GetSysColor(COLOR_BTNTEXT));
  button.DrawBorder(false);
  const WindowImage up = Settled(button.hwnd());
  ::SendMessageW(button.hwnd(), BM_SETSTATE, TRUE, 0);
  const WindowImage down = Settled(button.hwnd());
  ::SendMessageW(button.hwnd(), BM_SETSTATE, FALSE, 0);

  int differing = 0;
  int content = 0;
  for (int y = 1; y < up.height - 2; ++y) {
    for (int x = 1; x < up.width - 2; ++x) {
      content += up.At(x, y) != kViewBackground ? 1 : 0;
      differing += up.At(x, y) != down.At(x + 1, y + 1) ? 1 : 0;
    }
  }
  EXPECT_GT(content, 1000);
  EXPECT_EQ(differing, 0);
}

TEST_F(HomeButtons, ARaisedButtonShowsABlackFrameAndAFocusRectangleWhenFocused) {
  CButtonST& button = form.Button(1006);
  button.SetFlat(false);
  controls_test::MoveMouseOver(button.hwnd());
  EXPECT_FALSE(button.IsHovering());
  ::SetFocus(form.Child(1005));
  const WindowImage plain = Settled(button.hwnd());
  EXPECT_EQ(plain.At(0, 0), ::GetSysColor(COLOR_BTNHILIGHT)) << "raised edge";
  const RECT focusRow{10, 4, plain.width - 10, 5};
  EXPECT_EQ(CountPixels(plain, focusRow, kViewBackground), plain.width - 20);

  ::SetFocus(button.hwnd());
  const WindowImage focused = Settled(button.hwnd());
  EXPECT_EQ(focused.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(focused.At(focused.width - 1, focused.height / 2), RGB(0, 0, 0));
  EXPECT_LT(CountPixels(focused, focusRow, kViewBackground), (plain.width - 20) * 3 / 4)
      << "dotted focus line";
}

TEST_F(HomeButtons, ScreenshotsIdleAndHovered) {
  const WindowImage idle = Settled(form.hwnd());
  EXPECT_EQ(idle.At(5, 5), kViewBackground);
  EXPECT_TRUE(
      ui_support::CaptureWindowToPng(form.hwnd(), controls_test::ScreenshotPath(L"home_idle")));
  controls_test::MoveMouseOver(form.Button(1005).hwnd());
  ui_support::PumpMessagesFor(30);
  EXPECT_TRUE(ui_support::CaptureWindowToPng(
      form.hwnd(), controls_test::ScreenshotPath(L"home_hover_monitoring")));
  controls_test::MoveMouseOver(form.Button(1010).hwnd());
  EXPECT_TRUE(ui_support::PumpUntil([this] { return !form.Button(1005).IsHovering(); }, 3000));
  EXPECT_TRUE(ui_support::CaptureWindowToPng(form.hwnd(),
                                             controls_test::ScreenshotPath(L"home_hover_exit")));
}

TEST(HomeButtonsInEnglish, Screenshot) {
  fw::Module english =
      fw::LoadResourceLibrary(controls_test::ProgramFolderFile(L"..\\..\\bin\\rc_en.dll"));
  ASSERT_TRUE(english);
  fw::ResourceModule::SetCurrent(english.get());
  {
    HomeForm form;
    HostedForm hosted;
    const bool opened = hosted.Open(form, 1240, 740);
    EXPECT_TRUE(opened);
    if (opened) {
      EXPECT_EQ(form.Button(1005).Text(), L"Get monitoring data");
      controls_test::MoveMouseOver(form.Button(1006).hwnd());
      EXPECT_TRUE(ui_support::CaptureWindowToPng(form.hwnd(),
                                                 controls_test::ScreenshotPath(L"home_english")));
    }
  }
  fw::ResourceModule::SetCurrent(nullptr);
}

}  // namespace
