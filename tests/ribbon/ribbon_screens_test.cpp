// Pictures of the ribbon and status bar in both languages and in their states, for a person
// to look at; each also checks that the state it shows is the one asked for.
#include <gtest/gtest.h>

#include "framework/resource_module.h"
#include "ribbon_screens.h"
#include "ribbon_test_frame.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace {

using namespace ribbon_test;

// Share of the rectangle's pixels in the warm orange of a hot or pressed element; the silver
// face of a resting one has next to none (its icon at most).
double WarmShare(HWND window, const RECT& rect) {
  const auto image = ui_support::CaptureWindow(window);
  if (!image) return -1;
  int warm = 0, all = 0;
  for (int y = rect.top; y < rect.bottom && y < image->height; ++y) {
    for (int x = rect.left; x < rect.right && x < image->width; ++x, ++all) {
      const COLORREF c = image->At(x, y);
      warm += GetRValue(c) > GetBValue(c) + 40 && GetGValue(c) > GetBValue(c) + 15;
    }
  }
  return all == 0 ? -1 : static_cast<double>(warm) / all;
}

// The status bar's progress element filled up to its position: green before, none after.
bool IsGreen(COLORREF c) {
  return GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30;
}

class RibbonScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Open(1270, 420));
    ui_support::PumpMessagesFor(50);
  }
  void TearDown() override { fw::ResourceModule::SetCurrent(nullptr); }

  fw::RibbonElement* ById(UINT id) const { return FindById(frame.ribbon, id); }

  // Connected and loaded, one button hovered: the everyday look.
  void ShowConnectedWithHover(UINT hovered) {
    frame.ribbon.FindElement(0, 1, 0)->SetIcon(frame.lamps[0].get());
    frame.ribbon.RefreshCommandStates();
    HoverAt(frame.ribbon.hwnd(),
            Centre(ById(hovered)->rect()));  // panels 0 and 3 fit even at 120 DPI
  }

  TestFrame frame;
};

TEST_F(RibbonScreens, ChineseWithHoverAndUnpluggedDevice) {
  const RECT trend = ById(kShowTrend)->rect();
  const double resting = WarmShare(frame.ribbon.hwnd(), trend);
  ShowConnectedWithHover(kShowTrend);
  EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_zh_hover.png"));
  // The hovered button is painted hot, and only it.
  EXPECT_GT(WarmShare(frame.ribbon.hwnd(), trend), 0.3);
  EXPECT_LT(resting, 0.15);
  EXPECT_LT(WarmShare(frame.ribbon.hwnd(), ById(kHome)->rect()), 0.15);

  frame.devicePresent = false;
  frame.clearCheck = false;
  frame.ribbon.FindElement(0, 1, 0)->SetIcon(frame.lamps[1].get());
  frame.ribbon.RefreshCommandStates();
  EXPECT_FALSE(ById(kStart)->enabled());
  EXPECT_FALSE(ById(kClearCheck)->checked());
  HoverAt(frame.ribbon.hwnd(), Centre(ById(kImportMonitor)->rect()));
  EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_zh_disabled.png"));
  // A disabled button shows no hover.
  HoverAt(frame.ribbon.hwnd(), Centre(ById(kStart)->rect()));
  EXPECT_LT(WarmShare(frame.ribbon.hwnd(), ById(kStart)->rect()), 0.15);
}

TEST_F(RibbonScreens, EnglishWithHoverAndARunningDownload) {
  fw::Module english = fw::LoadResourceLibrary(ProgramFolder() + L"..\\..\\bin\\rc_en.dll");
  ASSERT_TRUE(english);
  frame.english = english.get();
  ClickElement(frame.ribbon, kEnglish);
  ASSERT_EQ(ById(kHome)->caption(), L"Home");
  ShowConnectedWithHover(kImportCheck);
  EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_en_hover.png"));

  frame.downloading = true;
  frame.portOpen = true;
  frame.ribbon.RefreshCommandStates();
  frame.status.SetPaneRightEdge(kTextPane, 200);
  frame.status.AddProgress(kProgress, L"COM", RECT{300, 0, 800, 30}, 0, 100);
  frame.status.SetPaneText(kTextPane,
                           L"Monitor holds 1440 monitoring records and 12 ward-round records");
  frame.status.SetProgressPos(kProgress, 40);
  HoverAt(frame.ribbon.hwnd(), Centre(ById(kStop)->rect()));
  EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_en_download.png"));
}

TEST_F(RibbonScreens, StatusBarWithProgressInChinese) {
  frame.status.SetPaneRightEdge(kTextPane, 200);
  frame.status.AddProgress(kProgress, L"COM", RECT{300, 0, 800, 30}, 0, 100);
  frame.status.SetPaneText(kTextPane, L"总共1440帧监护数据,共有12帧查房数据");
  frame.status.SetProgressPos(kProgress, 65);
  HoverAt(frame.hwnd(), POINT{600, 300});
  EXPECT_TRUE(SaveScreenshot(frame.status.hwnd(), L"status_zh_progress.png"));
  // At 65 % the trough is filled well before its middle and empty near its end.
  const RECT bar = frame.status.ElementRect(kProgress);
  const int middle = (bar.top + bar.bottom) / 2;
  const auto filled = ui_support::ReadWindowPixel(
      frame.status.hwnd(), bar.left + (bar.right - bar.left) * 45 / 100, middle);
  const auto empty = ui_support::ReadWindowPixel(frame.status.hwnd(),
                                                 bar.right - (bar.right - bar.left) / 10, middle);
  ASSERT_TRUE(filled && empty);
  EXPECT_TRUE(IsGreen(*filled)) << std::hex << *filled;
  EXPECT_FALSE(IsGreen(*empty)) << std::hex << *empty;
}

}  // namespace
