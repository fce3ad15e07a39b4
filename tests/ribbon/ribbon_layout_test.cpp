// The ribbon's layout in both languages: panels in a row, elements inside their panels without
// overlapping, and every caption whole (no clipped label).
#include <gtest/gtest.h>

#include "framework/device_context.h"
#include "framework/resource_module.h"
#include "framework/ribbon/ui_font.h"
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
    const auto width = [&](const std::wstring& text) { return fw::TextWidthOf(dc.get(), font.get(), text); };

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
        const RECT content{box.left + 1, box.top + 1, box.right - 1, box.bottom - metrics.panelCaptionHeight};
        for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
            const fw::RibbonElement& element = *panel.Element(e);
            SCOPED_TRACE(::testing::Message() << "element " << element.id());
            EXPECT_TRUE(Inside(element.rect(), content));
            for (std::size_t other = e + 1; other < panel.ElementCount(); ++other) {
                EXPECT_FALSE(Overlap(element.rect(), panel.Element(other)->rect()));
            }
            std::wstring shown;
            for (const auto& line : element.lines()) {
                const int room = element.rect().right - element.rect().left -
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
    // The application button is 50 x 50 and overlaps the caption and tab rows.
    const RECT app = frame.ribbon.AppButtonRect();
    EXPECT_EQ(app.right - app.left, 50);
    EXPECT_EQ(app.bottom - app.top, 50);
    EXPECT_LT(app.top, frame.ribbon.metrics().captionRowHeight);
    EXPECT_GT(app.bottom, frame.ribbon.metrics().captionRowHeight);
}

}  // namespace
