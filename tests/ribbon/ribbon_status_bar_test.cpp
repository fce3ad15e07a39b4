// The status bar: its text pane with the 200-pixel edge, and the download's progress element.
#include <gtest/gtest.h>

#include "ribbon_test_frame.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace {

using namespace ribbon_test;

bool IsProgressGreen(COLORREF c) {
  return GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 20;
}

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Open());
    ui_support::PumpMessagesFor(50);
  }

  // Colour in the bar's middle row at x.
  COLORREF At(int x) const {
    const auto image = ui_support::CaptureWindow(frame.status.hwnd());
    EXPECT_TRUE(image);
    return image ? image->At(x, image->height / 2) : RGB(0, 0, 0);
  }

  TestFrame frame;
};

TEST_F(StatusBarTest, SitsAtTheBottomInTheSilverHeight) {
  RECT client{}, bar{};
  ::GetClientRect(frame.hwnd(), &client);
  ::GetWindowRect(frame.status.hwnd(), &bar);
  ::MapWindowPoints(nullptr, frame.hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.right - bar.left, client.right);
  EXPECT_GE(bar.bottom - bar.top, MulDiv(24, ScreenDpi(), 96));
  EXPECT_LE(bar.bottom - bar.top, MulDiv(30, ScreenDpi(), 96));
  // The view's pane ends where the status bar begins.
  EXPECT_EQ(frame.PaneRect().bottom, bar.top);
}

TEST_F(StatusBarTest, TheTextPaneReachesItsRightEdgeAndWidensOnlyUpToTheProgressBar) {
  EXPECT_EQ(frame.status.PaneText(kTextPane), L" ");
  EXPECT_LT(frame.status.ElementRect(kTextPane).right, 200);
  frame.status.SetPaneRightEdge(kTextPane, 200);
  EXPECT_EQ(frame.status.ElementRect(kTextPane).right, 200);

  frame.status.SetPaneText(kTextPane,
                           L"Monitor holds 1440 monitoring records and 12 ward-round records");
  EXPECT_GT(frame.status.ElementRect(kTextPane).right, 200);  // no progress bar: room to the end
  frame.status.AddProgress(kProgress, L"COM", RECT{300, 0, 800, 30}, 0, 100);
  EXPECT_LE(frame.status.ElementRect(kTextPane).right, 300);
  EXPECT_GE(frame.status.ElementRect(kTextPane).right, 200);
  EXPECT_EQ(frame.status.PaneText(kTextPane),
            L"Monitor holds 1440 monitoring records and 12 ward-round records");

  // Text is drawn in the pane: some dark pixel in its first characters.
  const auto image = ui_support::CaptureWindow(frame.status.hwnd());
  ASSERT_TRUE(image);
  bool inked = false;
  for (int y = 0; y < image->height && !inked; ++y) {
    for (int x = 4; x < 60 && !inked; ++x) inked = GetRValue(image->At(x, y)) < 100;
  }
  EXPECT_TRUE(inked);

  // Unknown ids change nothing.
  frame.status.SetPaneText(999, L"x");
  frame.status.SetPaneRightEdge(kProgress, 900);
  EXPECT_EQ(frame.status.PaneText(999), L"");
  EXPECT_EQ(frame.status.ElementRect(kProgress).right, 800);
}

TEST_F(StatusBarTest, TheProgressBarFillsWithItsPositionAndGoesAwayWhenRemoved) {
  frame.status.AddProgress(kProgress, L"COM", RECT{300, 0, 800, 30}, 0, 100);
  ASSERT_TRUE(frame.status.HasElement(kProgress));
  EXPECT_EQ(frame.status.ElementRect(kProgress).left, 300);
  EXPECT_EQ(frame.status.ElementRect(kProgress).right, 800);
  EXPECT_EQ(frame.status.ProgressPos(kProgress), 0);
  EXPECT_FALSE(IsProgressGreen(At(700)));

  frame.status.SetProgressPos(kProgress, 50);
  EXPECT_TRUE(IsProgressGreen(At(450)));  // the trough starts after the label, so half is past 450
  EXPECT_FALSE(IsProgressGreen(At(780)));
  frame.status.SetProgressPos(kProgress, 250);  // clamped to the range
  EXPECT_EQ(frame.status.ProgressPos(kProgress), 100);
  EXPECT_TRUE(IsProgressGreen(At(780)));

  // A second start replaces the element rather than stacking another.
  frame.status.AddProgress(kProgress, L"COM", RECT{300, 0, 800, 30}, 0, 100);
  EXPECT_EQ(frame.status.ProgressPos(kProgress), 0);
  frame.status.RemoveElement(kProgress);
  EXPECT_FALSE(frame.status.HasElement(kProgress));
  EXPECT_EQ(frame.status.ProgressPos(kProgress), -1);
  EXPECT_FALSE(IsProgressGreen(At(450)));
  EXPECT_TRUE(frame.status.HasElement(kTextPane));
}

}  // namespace
