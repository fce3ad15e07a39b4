// The ribbon's layout in both languages: panels in a row, elements inside their panels without
// overlapping, and every caption whole (no clipped label).
#include <gtest/gtest.h>

#include "framework/device_context.h"
#include "framework/resource_module.h"
#include "framework/ribbon/ui_font.h"
#include "ribbon_screens.h"
#include "ribbon_test_frame.h"
#include "tests/ui_support/message_pump.h"

namespace {

using namespace ribbon_test;

bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return ::IntersectRect(&both, &a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

void ExpectWholeLayout(const TestFrame& frame, const char* language) {
  SCOPED_TRACE(language);
  const fw::RibbonBar& ribbon = frame.ribbon;
  const fw::RibbonMetrics& metrics = ribbon.metrics();
  fw::Font font = fw::CreateMessageFont();
  fw::WindowDc dc(ribbon.hwnd());
  const auto width = [&](const std::wstring& text) {
    return fw::TextWidthOf(dc.get(), font.get(), text);
  };

  const fw::RibbonCategory& category = *ribbon.Category(0);
  EXPECT_LE(width(category.title()), category.tabRect().right - category.tabRect().left);
  EXPECT_GT(category.tabRect().left, ribbon.AppButtonRect().right);
  ASSERT_EQ(category.PanelCount(), 5u);
  LONG previousRight = 0;
  for (std::size_t p = 0; p < category.PanelCount(); ++p) {
    const fw::RibbonPanel& panel = *category.Panel(p);
    const RECT& box = panel.rect();
    EXPECT_GT(box.left, previousRight) << "panel " << p;
    EXPECT_LE(box.bottom, metrics.TotalHeight());
    EXPECT_GE(box.top, metrics.BodyTop());
    EXPECT_LE(width(panel.caption()) + 4, box.right - box.left) << "panel " << p;
    previousRight = box.right;
    // A collapsed panel's elements are laid out in its drop-down, from (0, 0).
    const RECT whole =
        panel.collapsed() ? RECT{0, 0, panel.popupSize().cx, panel.popupSize().cy} : box;
    const RECT content{whole.left + 1, whole.top + 1, whole.right - 1,
                       whole.bottom - metrics.panelCaptionHeight};
    if (panel.collapsed()) {
      EXPECT_LE(width(panel.caption()) + 4, whole.right - whole.left);
    }
    for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
      const fw::RibbonElement& element = *panel.Element(e);
      SCOPED_TRACE(::testing::Message() << "element " << element.id());
      EXPECT_TRUE(Inside(element.rect(), content));
      for (std::size_t other = e + 1; other < panel.ElementCount(); ++other) {
        EXPECT_FALSE(Overlap(element.rect(), panel.Element(other)->rect()));
      }
      std::wstring shown;
      for (const auto& line : element.lines()) {
        const int room =
            element.rect().right - element.rect().left -
            (element.kind() == fw::RibbonElementKind::CheckBox ? metrics.checkBoxSize + 4 : 0);
        EXPECT_LE(width(line), room);
        shown += (shown.empty() ? L"" : L" ") + line;
      }
      EXPECT_EQ(shown, element.caption());  // the wrap loses no word
    }
  }
  EXPECT_LT(previousRight, ribbon.CloseBoxRect().right);
}

TEST(RibbonLayout, EveryCaptionIsWholeInBothLanguages) {
  TestFrame frame;
  ASSERT_TRUE(frame.Open());
  ExpectWholeLayout(frame, "zh");
  EXPECT_EQ(frame.ribbon.Category(0)->Panel(2)->caption(), L"数据通讯");  // no keytip shown

  fw::Module english = fw::LoadResourceLibrary(ProgramFolder() + L"..\\..\\bin\\rc_en.dll");
  ASSERT_TRUE(english);
  fw::ResourceModule::SetCurrent(english.get());
  frame.BuildRibbon();
  ExpectWholeLayout(frame, "en");
  fw::ResourceModule::SetCurrent(nullptr);
}

TEST(RibbonLayout, TheBarsLeaveTheViewItsPane) {
  TestFrame frame;
  ASSERT_TRUE(frame.Open());
  RECT ribbon{};
  ::GetWindowRect(frame.ribbon.hwnd(), &ribbon);
  ::MapWindowPoints(nullptr, frame.hwnd(), reinterpret_cast<POINT*>(&ribbon), 2);
  EXPECT_EQ(ribbon.top, 0);
  EXPECT_EQ(ribbon.bottom - ribbon.top, frame.ribbon.metrics().TotalHeight());
  EXPECT_EQ(frame.PaneRect().top, ribbon.bottom);
  // The application button is 50 x 50 (at 96 DPI) and overlaps the caption and tab rows.
  const RECT app = frame.ribbon.AppButtonRect();
  EXPECT_EQ(app.right - app.left, MulDiv(50, ScreenDpi(), 96));
  EXPECT_EQ(app.bottom - app.top, MulDiv(50, ScreenDpi(), 96));
  EXPECT_LT(app.top, frame.ribbon.metrics().captionRowHeight);
  EXPECT_GT(app.bottom, frame.ribbon.metrics().captionRowHeight);
}

}  // namespace

namespace {

TEST(RibbonLayout, PanelsThatDoNotFitCollapseFromTheRightAndDropDownWhenPressed) {
  TestFrame frame;
  ASSERT_TRUE(frame.Open(MulDiv(640, ScreenDpi(), 96), 400));
  ui_support::PumpMessagesFor(50);
  const fw::RibbonCategory& category = *frame.ribbon.Category(0);
  const LONG barWidth = frame.ribbon.ClientRect().right;
  bool seenCollapsed = false;
  for (std::size_t p = 0; p < category.PanelCount(); ++p) {
    const fw::RibbonPanel& panel = *category.Panel(p);
    EXPECT_LE(panel.rect().right, barWidth) << p;
    EXPECT_TRUE(!seenCollapsed || panel.collapsed()) << "collapsing goes from the right: " << p;
    seenCollapsed = seenCollapsed || panel.collapsed();
  }
  EXPECT_FALSE(category.Panel(0)->collapsed());
  const fw::RibbonPanel& import = *category.Panel(3);
  ASSERT_TRUE(import.collapsed());

  // Pressing the panel's button drops its elements down under it.
  Click(frame.ribbon, Centre(import.rect()));
  const HWND popup = frame.ribbon.PopupWindow();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(::IsWindowVisible(popup));
  RECT shown{};
  ::GetClientRect(popup, &shown);
  EXPECT_EQ(shown.right, import.popupSize().cx);
  EXPECT_EQ(shown.bottom, import.popupSize().cy);
  SaveScreenshot(frame.hwnd(), L"ribbon_narrow.png");
  SaveScreenshot(popup, L"ribbon_narrow_dropdown.png");

  // An element there works as on the bar, and the drop-down closes.
  const POINT at = Centre(FindById(frame.ribbon, kImportCheck)->rect());
  ::SendMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  ::SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  ui_support::PumpMessagesFor(50);
  EXPECT_EQ(frame.ribbon.PopupWindow(), nullptr);
  EXPECT_EQ(frame.received, std::vector<UINT>{kImportCheck});

  // A press anywhere else closes it and sends nothing; so does a rebuild.
  Click(frame.ribbon, Centre(import.rect()));
  ASSERT_NE(frame.ribbon.PopupWindow(), nullptr);
  ::SendMessageW(frame.ribbon.PopupWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-40, -40));
  ui_support::PumpMessagesFor(50);
  EXPECT_EQ(frame.ribbon.PopupWindow(), nullptr);
  Click(frame.ribbon, Centre(frame.ribbon.Category(0)->Panel(3)->rect()));
  ASSERT_NE(frame.ribbon.PopupWindow(), nullptr);
  frame.BuildRibbon();
  EXPECT_EQ(frame.ribbon.PopupWindow(), nullptr);
  EXPECT_EQ(frame.received.size(), 1u);

  // Wide enough again: every panel is back on the bar.
  ::SetWindowPos(frame.hwnd(), nullptr, 0, 0, MulDiv(1180, ScreenDpi(), 96), 400,
                 SWP_NOMOVE | SWP_NOZORDER);
  ui_support::PumpMessagesFor(50);
  frame.ribbon.Redraw();
  for (std::size_t p = 0; p < frame.ribbon.Category(0)->PanelCount(); ++p) {
    EXPECT_FALSE(frame.ribbon.Category(0)->Panel(p)->collapsed()) << p;
  }
}

}  // namespace
