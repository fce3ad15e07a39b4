// Pictures of the ribbon and status bar in both languages and in their states, for a person
// to look at; each also checks that the state it shows is the one asked for.
#include <gtest/gtest.h>

#include "framework/resource_module.h"
#include "ribbon_screens.h"
#include "ribbon_test_frame.h"
#include "tests/ui_support/message_pump.h"

namespace {

using namespace ribbon_test;

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
        HoverAt(frame.ribbon.hwnd(), Centre(ById(hovered)->rect()));  // panels 0 and 3 fit even at 120 DPI
    }

    TestFrame frame;
};

TEST_F(RibbonScreens, ChineseWithHoverAndUnpluggedDevice) {
    ShowConnectedWithHover(kShowTrend);
    EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_zh_hover.png"));

    frame.devicePresent = false;
    frame.clearCheck = false;
    frame.ribbon.FindElement(0, 1, 0)->SetIcon(frame.lamps[1].get());
    frame.ribbon.RefreshCommandStates();
    EXPECT_FALSE(ById(kStart)->enabled());
    EXPECT_FALSE(ById(kClearCheck)->checked());
    HoverAt(frame.ribbon.hwnd(), Centre(ById(kImportMonitor)->rect()));
    EXPECT_TRUE(SaveScreenshot(frame.hwnd(), L"ribbon_zh_disabled.png"));
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
    frame.status.SetPaneText(kTextPane, L"Monitor holds 1440 monitoring records and 12 ward-round records");
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
}

}  // namespace
