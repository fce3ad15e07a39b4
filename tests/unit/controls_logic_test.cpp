#include <gtest/gtest.h>

#include "controls/logic/color_math.h"
#include "controls/logic/form_rules.h"

namespace wd {
namespace {

TEST(ShiftBrightness, MovesAllChannelsByTheLargestAmountThatFits) {
  EXPECT_EQ(ShiftBrightness({180, 200, 255}, 30), (Rgb{180, 200, 255}));  // blue allows 0
  EXPECT_EQ(ShiftBrightness({100, 100, 100}, 30), (Rgb{130, 130, 130}));
  EXPECT_EQ(ShiftBrightness({250, 10, 10}, 30), (Rgb{255, 15, 15}));
  EXPECT_EQ(ShiftBrightness({20, 100, 100}, -30), (Rgb{0, 80, 80}));
  EXPECT_EQ(ShiftBrightness({20, 100, 100}, 0), (Rgb{20, 100, 100}));
  EXPECT_FALSE(ShiftBrightness({1, 2, 3}, 256));
  EXPECT_FALSE(ShiftBrightness({1, 2, 3}, -256));
  EXPECT_EQ(ShiftBrightness({0, 0, 0}, 255), (Rgb{255, 255, 255}));
}

TEST(GreyLevel, WeightsTheChannelsExactly) {
  EXPECT_EQ(GreyLevel({255, 255, 255}), 255);
  EXPECT_EQ(GreyLevel({255, 0, 0}), 76);   // 76.245
  EXPECT_EQ(GreyLevel({0, 255, 0}), 149);  // 149.685
  EXPECT_EQ(GreyLevel({0, 0, 255}), 29);   // 29.07
  EXPECT_EQ(GreyLevel({0, 0, 1}), 0);
}

TEST(ScaledFormPointSize, ShrinksAboveNinetySixDpi) {
  EXPECT_EQ(ScaledFormPointSize(10, 120), 8);
  EXPECT_EQ(ScaledFormPointSize(8, 120), 6);
  EXPECT_EQ(ScaledFormPointSize(10, 144), 6);
  EXPECT_EQ(ScaledFormPointSize(8, 144), 5);
  EXPECT_EQ(ScaledFormPointSize(9, 96), 9);
  EXPECT_EQ(ScaledFormPointSize(9, 72), 9);
}

TEST(EditAcceptsCharacter, LimitIsCheckedBeforeInsertion) {
  // Age, limit 3: typing 1 2 3 4 5 leaves 1234.
  std::size_t length = 0;
  for (wchar_t c : std::wstring(L"12345")) length += EditAcceptsCharacter(length, 3, c);
  EXPECT_EQ(length, 4u);
  EXPECT_TRUE(EditAcceptsCharacter(4, 3, L'\b'));
  EXPECT_TRUE(EditAcceptsCharacter(10, 10, L'x'));
  EXPECT_FALSE(EditAcceptsCharacter(11, 10, L'x'));
  // Texts longer than the 249 characters the buffer reads count as 249.
  EXPECT_TRUE(EditAcceptsCharacter(5000, 250, L'x'));
}

}  // namespace
}  // namespace wd
