// The ribbon in a frame like the program's: commands, rule states, indicators, the caption's
// hit test, tooltips, rebuilding in another language, and GDI objects over many rebuilds.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "framework/gui_object_counter.h"
#include "framework/resource_module.h"
#include "ribbon_test_frame.h"
#include "ribbon_screens.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace {

using namespace ribbon_test;

class RibbonBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Open());
    ui_support::PumpMessagesFor(50);
  }
  void TearDown() override { fw::ResourceModule::SetCurrent(nullptr); }

  fw::RibbonElement& Element(UINT id) {
    fw::RibbonElement* element = FindById(frame.ribbon, id);
    EXPECT_NE(element, nullptr) << id;
    return *element;
  }
  void ClickElement(UINT id) { ribbon_test::ClickElement(frame.ribbon, id); }

  TestFrame frame;
};

TEST_F(RibbonBarTest, AClickSendsItsCommandOnlyWhileTheRuleEnablesIt) {
  ClickElement(kStart);
  ClickElement(kShowTrend);
  EXPECT_EQ(frame.received, (std::vector<UINT>{kStart, kShowTrend}));
  EXPECT_EQ(frame.executed, frame.received);

  // The rule changes after the last refresh: the click still asks it first, so nothing is
  // even sent.
  frame.devicePresent = false;
  frame.received.clear();
  ClickElement(kStart);
  ClickElement(kClearDevice);
  ClickElement(kStop);
  ClickElement(kForward);
  EXPECT_TRUE(frame.received.empty());

  // Pressed on one element and released over another is no click at all.
  frame.devicePresent = true;
  frame.ribbon.RefreshCommandStates();
  const HWND bar = frame.ribbon.hwnd();
  const POINT start = Centre(Element(kStart).rect());
  const POINT home = Centre(Element(kHome).rect());
  ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
  ::SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(home.x, home.y));
  ui_support::PumpMessagesFor(50);
  EXPECT_TRUE(frame.received.empty());
  EXPECT_NE(::GetCapture(), bar);
}

TEST_F(RibbonBarTest, IndicatorsNeverLightUpPressOrSendAnything) {
  fw::RibbonElement* connection = frame.ribbon.FindElement(0, 1, 0);
  fw::RibbonElement* loaded = frame.ribbon.FindElement(0, 1, 1);
  ASSERT_NE(connection, nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(connection->kind(), fw::RibbonElementKind::Indicator);
  EXPECT_EQ(loaded->kind(), fw::RibbonElementKind::Indicator);
  EXPECT_EQ(connection->caption(), L"通讯状态");
  EXPECT_EQ(loaded->caption(), L"系统加载状态");

  const auto before = ui_support::CaptureWindow(frame.ribbon.hwnd());
  ASSERT_TRUE(before);
  const POINT centre = Centre(connection->rect());
  const HWND bar = frame.ribbon.hwnd();
  ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
  ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  EXPECT_NE(::GetCapture(), bar);
  const auto pressed = ui_support::CaptureWindow(bar);
  ::SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  ui_support::PumpMessagesFor(50);
  ASSERT_TRUE(pressed);
  const RECT area = connection->rect();
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      ASSERT_EQ(pressed->At(x, y), before->At(x, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(frame.received.empty());
}

TEST_F(RibbonBarTest, RuleChangesShowAfterOneRefreshAndByThemselvesWithinASecond) {
  EXPECT_TRUE(Element(kStart).enabled());
  EXPECT_FALSE(Element(kStop).enabled());
  EXPECT_FALSE(Element(kForward).enabled());

  frame.devicePresent = false;  // the monitor is unplugged
  frame.ribbon.RefreshCommandStates();
  for (UINT id : {kStart, kStop, kClearDevice, kClearMonitoring, kClearCheck}) {
    EXPECT_FALSE(Element(id).enabled()) << id;
  }
  EXPECT_TRUE(Element(kImportCheck).enabled());

  frame.devicePresent = true;
  frame.downloading = true;
  EXPECT_TRUE(ui_support::PumpUntil([&] { return Element(kStop).enabled(); }, 1000));
  EXPECT_FALSE(Element(kStart).enabled());
}

TEST_F(RibbonBarTest, CheckBoxesShowTheRulesCheckedStateAndToggleThroughTheFrame) {
  const POINT box{Element(kClearMonitoring).rect().left + 8,
                  Centre(Element(kClearMonitoring).rect()).y};
  EXPECT_TRUE(Element(kClearMonitoring).checked());
  const auto ticked = ui_support::ReadWindowPixel(frame.ribbon.hwnd(), box.x + 1, box.y);

  ClickElement(kClearMonitoring);
  EXPECT_FALSE(frame.clearMonitoring);
  EXPECT_FALSE(Element(kClearMonitoring).checked());
  EXPECT_TRUE(Element(kClearCheck).checked());
  const auto cleared = ui_support::ReadWindowPixel(frame.ribbon.hwnd(), box.x + 1, box.y);
  ASSERT_TRUE(ticked && cleared);
  EXPECT_NE(*ticked, *cleared);

  ClickElement(kClearMonitoring);
  EXPECT_TRUE(Element(kClearMonitoring).checked());
}

TEST_F(RibbonBarTest, RebuildingWithTheEnglishLibraryShowsEnglishCaptionsAndTheSameIcons) {
  fw::Module english = fw::LoadResourceLibrary(ProgramFolder() + L"..\\..\\bin\\rc_en.dll");
  ASSERT_TRUE(english);
  const auto chineseHome = Element(kHome).image().pixels();
  const auto chineseLamp = frame.ribbon.FindElement(0, 1, 0)->image().pixels();

  // The English button, as the user presses it: the command rebuilds the ribbon it came from.
  frame.english = english.get();
  ClickElement(kEnglish);
  ASSERT_EQ(frame.executed, std::vector<UINT>{kEnglish});
  EXPECT_EQ(frame.ribbon.Category(0)->title(), L"Operations");
  EXPECT_EQ(frame.ribbon.Category(0)->Panel(0)->caption(), L"Views");
  EXPECT_EQ(frame.ribbon.Category(0)->Panel(2)->caption(), L"Communication");  // no "\nD"
  EXPECT_EQ(Element(kHome).caption(), L"Home");
  EXPECT_EQ(Element(kImportCheck).caption(), L"Import ward rounds");
  EXPECT_EQ(Element(kImportCheck).lines().size(), 2u);
  EXPECT_EQ(frame.ribbon.FindElement(0, 1, 1)->caption(), L"Data loaded");
  EXPECT_EQ(Element(kHome).image().pixels(), chineseHome);
  EXPECT_EQ(frame.ribbon.FindElement(0, 1, 0)->image().pixels(), chineseLamp);
  EXPECT_TRUE(Element(kEnglish).checked());
  EXPECT_FALSE(Element(kEnglish).enabled());
  EXPECT_TRUE(Element(kChinese).enabled());

  ClickElement(kChinese);
  EXPECT_EQ(Element(kHome).caption(), L"主界面");
  EXPECT_TRUE(Element(kChinese).checked());
}

TEST_F(RibbonBarTest, AnIndicatorsNewIconIsPaintedAtOnce) {
  fw::RibbonElement& connection = *frame.ribbon.FindElement(0, 1, 0);
  const RECT area = connection.rect();
  // The lamp's middle: dark grey when off, green when on.
  const POINT lamp{(area.left + area.right) / 2, area.top + frame.ribbon.metrics().Scale(4) + 16};
  const auto isGreen = [](COLORREF c) {
    return GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40;
  };

  const auto off = ui_support::ReadWindowPixel(frame.ribbon.hwnd(), lamp.x, lamp.y);
  ASSERT_TRUE(off);
  EXPECT_FALSE(isGreen(*off));
  connection.SetIcon(frame.lamps[0].get());
  const auto on = ui_support::ReadWindowPixel(frame.ribbon.hwnd(), lamp.x, lamp.y);
  ASSERT_TRUE(on);
  EXPECT_TRUE(isGreen(*on));
  connection.SetIcon(frame.lamps[1].get());
  EXPECT_EQ(ui_support::ReadWindowPixel(frame.ribbon.hwnd(), lamp.x, lamp.y), off);
}

TEST_F(RibbonBarTest, AMissingIconLeavesTheElementWorkingWithoutAPicture) {
  fw::RibbonPanel& panel = frame.ribbon.Category(0)->AddPanel(L"x\nX", nullptr);
  fw::RibbonElement& bare = panel.AddButton(kHome, L"Home page", nullptr, L"");
  frame.ribbon.RecalcLayout();
  frame.ribbon.Redraw();
  EXPECT_TRUE(bare.image().empty());
  EXPECT_EQ(bare.lines(), (std::vector<std::wstring>{L"Home", L"page"}));
  EXPECT_EQ(panel.caption(), L"x");
  Click(frame.ribbon, Centre(bare.rect()));
  EXPECT_EQ(frame.received, std::vector<UINT>{kHome});
}

TEST_F(RibbonBarTest, TheCaptionRowClosesAtTheCloseBoxAndNeverDrags) {
  const HWND bar = frame.ribbon.hwnd();
  const auto screen = [bar](POINT client) {
    ::ClientToScreen(bar, &client);
    return client;
  };
  const RECT close = frame.ribbon.CloseBoxRect();
  const int captionMiddle = frame.ribbon.metrics().captionRowHeight / 2;
  EXPECT_EQ(frame.ribbon.HitTestCaption(screen(Centre(close))), HTCLOSE);
  EXPECT_EQ(frame.ribbon.HitTestCaption(screen(POINT{400, captionMiddle})), HTCAPTION);
  EXPECT_EQ(frame.ribbon.HitTestCaption(screen(Centre(frame.ribbon.AppButtonRect()))), HTNOWHERE);
  EXPECT_EQ(frame.ribbon.HitTestCaption(screen(Centre(Element(kHome).rect()))), HTNOWHERE);
  EXPECT_EQ(frame.ribbon.HitTestCaption(POINT{-5000, -5000}), HTNOWHERE);

  // Through the system: the bar lets the caption row through to the frame's own test.
  const POINT title = screen(POINT{400, captionMiddle});
  EXPECT_EQ(::SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTTRANSPARENT);
  EXPECT_EQ(::SendMessageW(frame.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCLIENT);
  const POINT box = screen(Centre(close));
  EXPECT_EQ(::SendMessageW(frame.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)), HTCLOSE);

  // A real press on the close box reaches the frame as a non-client press on HTCLOSE.
  ::SetCursorPos(box.x, box.y);
  ui_support::PumpMessagesFor(100);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, press, sizeof(INPUT));
  EXPECT_TRUE(ui_support::PumpUntil([&] { return frame.closePresses == 1; }, 2000));
}

TEST_F(RibbonBarTest, TheCloseBoxLightsUpUnderThePointerAndGoesOutWhenItLeaves) {
  const RECT close = frame.ribbon.CloseBoxRect();
  const POINT corner{close.left + 4, close.bottom - 4};  // face, away from the glyph
  const auto isRed = [](COLORREF c) { return GetRValue(c) > GetGValue(c) + 60; };
  HoverAt(frame.hwnd(), POINT{600, 380});
  ASSERT_FALSE(isRed(*ui_support::ReadWindowPixel(frame.ribbon.hwnd(), corner.x, corner.y)));

  HoverAt(frame.ribbon.hwnd(), Centre(close));
  EXPECT_TRUE(ui_support::PumpUntil(
      [&] { return isRed(*ui_support::ReadWindowPixel(frame.ribbon.hwnd(), corner.x, corner.y)); },
      1000));
  SaveScreenshot(frame.ribbon.hwnd(), L"ribbon_close_hover.png");

  HoverAt(frame.ribbon.hwnd(),
          POINT{close.left - 200, frame.ribbon.metrics().captionRowHeight / 2});
  EXPECT_TRUE(ui_support::PumpUntil(
      [&] { return !isRed(*ui_support::ReadWindowPixel(frame.ribbon.hwnd(), corner.x, corner.y)); },
      1000));
}

TEST_F(RibbonBarTest, TooltipsWrapAt200Pixels) {
  const HWND tip = frame.ribbon.TooltipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(::SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);

  // The longest description of the ribbon, in English, is far wider than 200 pixels.
  fw::Module english = fw::LoadResourceLibrary(ProgramFolder() + L"..\\..\\bin\\rc_en.dll");
  ASSERT_TRUE(english);
  fw::ResourceModule::SetCurrent(english.get());
  frame.BuildRibbon();
  const RECT trend = Element(kShowTrend).rect();
  ::SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
  HoverAt(frame.ribbon.hwnd(), Centre(trend));
  HoverAt(frame.ribbon.hwnd(), POINT{Centre(trend).x + 1, Centre(trend).y});
  ASSERT_TRUE(ui_support::PumpUntil([tip] { return ::IsWindowVisible(tip) != FALSE; }, 3000));
  RECT shown{};
  ::GetWindowRect(tip, &shown);
  // 200 pixels of text plus the control's margins and border; the title over a wrapped
  // description makes at least three lines.
  EXPECT_LE(shown.right - shown.left, 200 + 24);
  EXPECT_GE(shown.bottom - shown.top, 3 * frame.ribbon.metrics().lineHeight);
  SaveScreenshot(tip, L"tooltip_en.png", true);
  HoverAt(frame.hwnd(), POINT{600, 380});
}

TEST_F(RibbonBarTest, FiftyRebuildsLeaveNoGdiObjectBehind) {
  frame.ribbon.Redraw();
  const long baseline = fw::GuiObjectCounter::LiveTotal();
  LARGE_INTEGER frequency{}, start{}, built{}, painted{};
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < 50; ++i) {
    frame.BuildRibbon();
    frame.ribbon.FindElement(0, 1, 0)->SetIcon(frame.lamps[i % 2].get());
    frame.ribbon.Redraw();
  }
  ::QueryPerformanceCounter(&built);
  for (int i = 0; i < 50; ++i) frame.ribbon.Redraw();
  ::QueryPerformanceCounter(&painted);
  ui_support::PumpMessagesFor(50);
  EXPECT_EQ(fw::GuiObjectCounter::LiveTotal(), baseline);

  // What a language switch and a repaint cost here (the whole bar, off screen and copied).
  const auto ms = [&](LONGLONG ticks) {
    return 1000.0 * static_cast<double>(ticks) / 50.0 / static_cast<double>(frequency.QuadPart);
  };
  std::printf("ribbon: rebuild + repaint %.2f ms, repaint alone %.2f ms (%ld x %ld px)\n",
              ms(built.QuadPart - start.QuadPart), ms(painted.QuadPart - built.QuadPart),
              frame.ribbon.ClientRect().right, frame.ribbon.ClientRect().bottom);
}

}  // namespace
