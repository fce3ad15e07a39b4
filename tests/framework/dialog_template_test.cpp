// Parsing and adjusting dialog templates of both layouts, built byte by byte.
#include "framework/dialog_template.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kSetFont = 0x40;
constexpr std::uint32_t kChildControl = 0x40000000u | 0x0400u;  // WS_CHILD | DS_CONTROL

// Writes a template's header fields in little-endian order.
class Builder {
 public:
  Builder& Word(std::uint16_t value) {
    bytes_.push_back(std::byte(value & 0xFF));
    bytes_.push_back(std::byte(value >> 8));
    return *this;
  }
  Builder& DoubleWord(std::uint32_t value) {
    return Word(value & 0xFFFF).Word(static_cast<std::uint16_t>(value >> 16));
  }
  Builder& Text(const std::u16string& text) {
    for (char16_t unit : text) Word(unit);
    return Word(0);
  }
  Builder& Ordinal(std::uint16_t value) { return Word(0xFFFF).Word(value); }
  Builder& Byte(std::uint8_t value) {
    bytes_.push_back(std::byte(value));
    return *this;
  }
  // Controls start on a DWORD boundary.
  Builder& Align() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(std::byte{0});
    return *this;
  }
  const std::vector<std::byte>& bytes() const { return bytes_; }

 private:
  std::vector<std::byte> bytes_;
};

enum class Field { None, Ordinal, Text };

void PutMenuOrClass(Builder& b, Field kind, std::uint16_t ordinal, const std::u16string& text) {
  if (kind == Field::None) b.Word(0);
  if (kind == Field::Ordinal) b.Ordinal(ordinal);
  if (kind == Field::Text) b.Text(text);
}

std::vector<std::byte> Classic(std::uint32_t style, Field menu, Field windowClass,
                               std::optional<std::uint16_t> points = 8) {
  Builder b;
  b.DoubleWord(style).DoubleWord(0x00000200).Word(2).Word(0).Word(0).Word(400).Word(300);
  PutMenuOrClass(b, menu, 100, u"MAINMENU");
  PutMenuOrClass(b, windowClass, 0x8002, u"MyFormClass");
  b.Text(u"Title");
  if (points) b.Word(*points).Text(u"MS Shell Dlg");
  // A button by ordinal, then a list by class name with creation data (its size word counts
  // itself in this layout).
  b.Align().DoubleWord(0x50010001).DoubleWord(0).Word(7).Word(8).Word(50).Word(14).Word(1);
  b.Ordinal(0x80).Text(u"OK").Word(0);
  b.Align()
      .DoubleWord(0x50010001)
      .DoubleWord(0x200)
      .Word(10)
      .Word(30)
      .Word(300)
      .Word(200)
      .Word(1004);
  b.Text(u"SysListView32").Text(u"").Word(4).Byte(0xAB).Byte(0xCD);
  return b.bytes();
}

std::vector<std::byte> Extended(std::uint32_t style, Field menu, Field windowClass,
                                std::optional<std::uint16_t> points = 10) {
  Builder b;
  b.Word(1).Word(0xFFFF).DoubleWord(77).DoubleWord(0x00000200).DoubleWord(style).Word(1);
  b.Word(5).Word(6).Word(795).Word(529);
  PutMenuOrClass(b, menu, 100, u"MAINMENU");
  PutMenuOrClass(b, windowClass, 0x8002, u"MyFormClass");
  b.Text(u"");
  if (points) b.Word(*points).Word(700).Byte(1).Byte(134).Text(u"宋体");
  // An icon: the static class and the icon's resource id as ordinals, two bytes of data.
  b.Align()
      .DoubleWord(0)
      .DoubleWord(0x20000)
      .DoubleWord(0x50000003)
      .Word(7)
      .Word(5)
      .Word(20)
      .Word(20);
  b.DoubleWord(1028).Ordinal(0x82).Ordinal(372).Word(2).Byte(1).Byte(2);
  return b.bytes();
}

struct LayoutCase {
  const char* name;
  bool extended;
  Field menu;
  Field windowClass;
};

class DialogTemplateLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DialogTemplateLayouts, FindsAndRewritesThePointSizeBehindMenuClassAndTitle) {
  const LayoutCase& c = GetParam();
  const std::uint32_t style = kChildControl | kSetFont;
  const auto original =
      c.extended ? Extended(style, c.menu, c.windowClass) : Classic(style, c.menu, c.windowClass);
  auto form = fw::DialogTemplate::Parse(original);
  ASSERT_TRUE(form.has_value());
  EXPECT_EQ(form->IsExtended(), c.extended);
  EXPECT_EQ(form->Style(), style);
  EXPECT_EQ(form->ExStyle(), 0x200u);
  EXPECT_EQ(form->Width(), c.extended ? 795 : 400);
  EXPECT_EQ(form->Height(), c.extended ? 529 : 300);
  EXPECT_EQ(form->PointSize(), std::optional<std::uint16_t>(c.extended ? 10 : 8));
  EXPECT_EQ(form->FaceName(), c.extended ? u"宋体" : u"MS Shell Dlg");

  ASSERT_TRUE(form->SetPointSize(6));
  // Only the two bytes of the point size change, and a fresh parse reads the new value.
  const auto* changed = static_cast<const std::byte*>(form->data());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < original.size(); ++i) differing += changed[i] != original[i] ? 1 : 0;
  EXPECT_EQ(differing, 1u);
  auto reparsed = fw::DialogTemplate::Parse(std::span<const std::byte>(changed, form->size()));
  ASSERT_TRUE(reparsed.has_value());
  EXPECT_EQ(reparsed->PointSize(), std::optional<std::uint16_t>(6));
  EXPECT_EQ(reparsed->FaceName(), form->FaceName());
}

INSTANTIATE_TEST_SUITE_P(
    BothLayouts, DialogTemplateLayouts,
    ::testing::Values(LayoutCase{"ClassicPlain", false, Field::None, Field::None},
                      LayoutCase{"ClassicMenuOrdinalClassText", false, Field::Ordinal, Field::Text},
                      LayoutCase{"ClassicMenuTextClassOrdinal", false, Field::Text, Field::Ordinal},
                      LayoutCase{"ExtendedPlain", true, Field::None, Field::None},
                      LayoutCase{"ExtendedMenuOrdinalClassOrdinal", true, Field::Ordinal,
                                 Field::Ordinal},
                      LayoutCase{"ExtendedMenuTextClassText", true, Field::Text, Field::Text}),
    [](const ::testing::TestParamInfo<LayoutCase>& param) {
      return std::string(param.param.name);
    });

TEST(DialogTemplate, WithoutSetFontThereIsNoPointSizeToChange) {
  for (bool extended : {false, true}) {
    const auto bytes = extended ? Extended(kChildControl, Field::None, Field::None, std::nullopt)
                                : Classic(kChildControl, Field::None, Field::None, std::nullopt);
    auto form = fw::DialogTemplate::Parse(bytes);
    ASSERT_TRUE(form.has_value());
    EXPECT_FALSE(form->HasFont());
    EXPECT_FALSE(form->PointSize().has_value());
    EXPECT_FALSE(form->SetPointSize(6));
    EXPECT_EQ(std::memcmp(form->data(), bytes.data(), bytes.size()), 0);
  }
}

TEST(DialogTemplate, TruncatedOrUnterminatedTemplatesAreRefused) {
  for (bool extended : {false, true}) {
    const auto whole = extended ? Extended(kChildControl | kSetFont, Field::Text, Field::Ordinal)
                                : Classic(kChildControl | kSetFont, Field::Ordinal, Field::Text);
    ASSERT_TRUE(fw::DialogTemplate::Parse(whole).has_value());
    // Every cut before the end loses a terminator, a field or a control.
    for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
      EXPECT_FALSE(fw::DialogTemplate::Parse(std::span(whole.data(), length)).has_value())
          << (extended ? "extended" : "classic") << " cut at " << length;
    }
  }
}

TEST(DialogTemplate, StyleChangesKeepTheFontFieldThatShapesTheLayout) {
  auto form =
      fw::DialogTemplate::Parse(Classic(kChildControl | kSetFont, Field::None, Field::None));
  ASSERT_TRUE(form.has_value());
  form->SetStyle(0x40000000u);
  EXPECT_EQ(form->Style(), 0x40000000u | kSetFont);
  EXPECT_EQ(form->PointSize(), std::optional<std::uint16_t>(8));
  form->SetExStyle(0);
  EXPECT_EQ(form->ExStyle(), 0u);
}

TEST(DialogTemplate, ControlsOfBothLayoutsAreReadAndTheirStylesRewritten) {
  auto classic =
      fw::DialogTemplate::Parse(Classic(kChildControl | kSetFont, Field::Ordinal, Field::Text));
  ASSERT_TRUE(classic.has_value());
  ASSERT_EQ(classic->Controls().size(), 2u);
  const fw::DialogControl& ok = classic->Controls()[0];
  EXPECT_EQ(ok.className, u"Button");
  EXPECT_EQ(ok.text, u"OK");
  EXPECT_EQ(ok.id, 1);
  EXPECT_EQ(ok.cx, 50);
  const fw::DialogControl* list = classic->FindControl(1004);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->className, u"SysListView32");
  EXPECT_EQ(list->exStyle, 0x200u);
  EXPECT_EQ(list->y, 30);
  EXPECT_EQ(classic->IndexOf(1004), 1);
  EXPECT_EQ(classic->IndexOf(5), -1);

  auto extended =
      fw::DialogTemplate::Parse(Extended(kChildControl | kSetFont, Field::Text, Field::Text));
  ASSERT_TRUE(extended.has_value());
  ASSERT_EQ(extended->Controls().size(), 1u);
  EXPECT_EQ(extended->Controls()[0].className, u"Static");
  EXPECT_EQ(extended->Controls()[0].text, u"#372");
  EXPECT_EQ(extended->Controls()[0].id, 1028);
  EXPECT_EQ(extended->Controls()[0].style, 0x50000003u);

  // A control's style is rewritten in place: four bytes change, and a new parse reads them.
  for (fw::DialogTemplate* form : {&*classic, &*extended}) {
    const int id = form->Controls().back().id;
    const auto before =
        std::vector<std::byte>(static_cast<const std::byte*>(form->data()),
                               static_cast<const std::byte*>(form->data()) + form->size());
    ASSERT_TRUE(form->SetControlStyle(id, 0x50011003));
    EXPECT_FALSE(form->SetControlStyle(4242, 0));
    const auto* after = static_cast<const std::byte*>(form->data());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < before.size(); ++i) differing += after[i] != before[i] ? 1 : 0;
    EXPECT_LE(differing, 4u);
    EXPECT_GE(differing, 1u);
    const auto reparsed =
        fw::DialogTemplate::Parse(std::span<const std::byte>(after, form->size()));
    ASSERT_TRUE(reparsed.has_value());
    EXPECT_EQ(reparsed->FindControl(id)->style, 0x50011003u);
    EXPECT_EQ(reparsed->FindControl(id)->exStyle, form->FindControl(id)->exStyle);
  }
}

TEST(DialogTemplate, PointSizeScaledForHighDpiKeepsTheFormsPixelSize) {
  EXPECT_EQ(fw::ScaledPointSizeForDpi(10, 120), 8);
  EXPECT_EQ(fw::ScaledPointSizeForDpi(8, 120), 6);
  EXPECT_EQ(fw::ScaledPointSizeForDpi(10, 144), 6);
  EXPECT_EQ(fw::ScaledPointSizeForDpi(8, 144), 5);
  EXPECT_EQ(fw::ScaledPointSizeForDpi(10, 96), 10);
  EXPECT_EQ(fw::ScaledPointSizeForDpi(10, 72), 10);
}

}  // namespace
