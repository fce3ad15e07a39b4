// Captions of resource strings and their two-line wrap under a large button.
#include <gtest/gtest.h>

#include "framework/ribbon/caption_text.h"

namespace {

// Every character one unit wide, so balance is easy to see.
int Units(const std::wstring& text) { return static_cast<int>(text.size()); }

TEST(CaptionText, SplitsCaptionFromTooltipOrKeytip) {
  EXPECT_EQ(fw::SplitCaption(L"数据通讯\nD").caption, L"数据通讯");
  EXPECT_EQ(fw::SplitCaption(L"数据通讯\nD").rest, L"D");
  EXPECT_EQ(fw::SplitCaption(L"\n中文界面").caption, L"");
  EXPECT_EQ(fw::SplitCaption(L"\n中文界面").rest, L"中文界面");
  EXPECT_EQ(fw::SplitCaption(L"操作").rest, L"");
  // Only the first break separates: a tooltip may hold more lines.
  EXPECT_EQ(fw::SplitCaption(L"a\nb\nc").rest, L"b\nc");
}

TEST(CaptionText, WrapsSeveralWordsAtTheMostBalancedSpace) {
  EXPECT_EQ(fw::WrapCaption(L"监护趋势图", Units), std::vector<std::wstring>{L"监护趋势图"});
  EXPECT_EQ(fw::WrapCaption(L"Home", Units), std::vector<std::wstring>{L"Home"});
  EXPECT_EQ(fw::WrapCaption(L"Import ward rounds", Units),
            (std::vector<std::wstring>{L"Import", L"ward rounds"}));
  EXPECT_EQ(fw::WrapCaption(L"Monitoring list", Units),
            (std::vector<std::wstring>{L"Monitoring", L"list"}));
  EXPECT_EQ(fw::WrapCaption(L"x yy zzzzzzz", Units),
            (std::vector<std::wstring>{L"x yy", L"zzzzzzz"}));
}

TEST(CaptionText, StraySpacesNeitherWrapNorLeaveEmptyLines) {
  EXPECT_EQ(fw::WrapCaption(L"  Back  ", Units), std::vector<std::wstring>{L"Back"});
  EXPECT_EQ(fw::WrapCaption(L"Data  loaded", Units),
            (std::vector<std::wstring>{L"Data", L"loaded"}));
  EXPECT_TRUE(fw::WrapCaption(L"   ", Units).empty());
  EXPECT_TRUE(fw::WrapCaption(L"", Units).empty());
}

}  // namespace
