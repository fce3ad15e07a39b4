#include "framework/dialog_template.h"

#include <cstring>
#include <string>

namespace fw {
namespace {

constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::size_t kClassicHeader = 18;   // style, exStyle, count, x, y, cx, cy
constexpr std::size_t kExtendedHeader = 26;  // version, signature, help id, exStyle, style, ...
constexpr std::size_t kLargestTemplate = 1 << 20;

// Reads through a byte span without ever stepping past its end.
class Reader {
 public:
  Reader(std::span<const std::byte> bytes, std::size_t at) : bytes_(bytes), at_(at) {}

  std::optional<std::uint16_t> Word() {
    if (at_ + 2 > bytes_.size()) return std::nullopt;
    const auto low = std::to_integer<std::uint16_t>(bytes_[at_]);
    const auto high = std::to_integer<std::uint16_t>(bytes_[at_ + 1]);
    at_ += 2;
    return static_cast<std::uint16_t>(low | (high << 8));
  }
  std::optional<std::uint32_t> DoubleWord() {
    const auto low = Word();
    const auto high = Word();
    if (!low || !high) return std::nullopt;
    return static_cast<std::uint32_t>(*low | (std::uint32_t{*high} << 16));
  }
  // A zero-terminated UTF-16 string.
  bool SkipString() { return String().has_value(); }
  std::optional<std::u16string> String() {
    std::u16string text;
    for (;;) {
      const auto unit = Word();
      if (!unit) return std::nullopt;
      if (*unit == 0) return text;
      text.push_back(static_cast<char16_t>(*unit));
    }
  }
  // A class or title field of a control: empty, an ordinal (predefined classes by name), or
  // a string.
  std::optional<std::u16string> StringOrOrdinal() {
    const auto first = Word();
    if (!first) return std::nullopt;
    if (*first == 0) return std::u16string();
    if (*first == kOrdinalMarker) {
      const auto ordinal = Word();
      if (!ordinal) return std::nullopt;
      return OrdinalName(*ordinal);
    }
    at_ -= 2;
    return String();
  }
  bool AlignToDoubleWord() { return Skip((4 - at_ % 4) % 4); }
  // A menu or class field: empty, an ordinal, or a string.
  bool SkipStringOrOrdinal() {
    const auto first = Word();
    if (!first) return false;
    if (*first == 0) return true;
    if (*first == kOrdinalMarker) return Word().has_value();
    return SkipString();
  }
  bool Skip(std::size_t count) {
    if (at_ + count > bytes_.size()) return false;
    at_ += count;
    return true;
  }
  std::size_t at() const noexcept { return at_; }

 private:
  static std::u16string OrdinalName(std::uint16_t ordinal) {
    switch (ordinal) {
      case 0x80: return u"Button";
      case 0x81: return u"Edit";
      case 0x82: return u"Static";
      case 0x83: return u"ListBox";
      case 0x84: return u"ScrollBar";
      case 0x85: return u"ComboBox";
      default: {
        std::u16string name = u"#";
        for (char digit : std::to_string(ordinal)) name.push_back(static_cast<char16_t>(digit));
        return name;
      }
    }
  }

  std::span<const std::byte> bytes_;
  std::size_t at_;
};

}  // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(std::span<const std::byte> bytes) {
  // Real templates are a few kilobytes; the bound keeps a corrupt size from allocating.
  if (bytes.size() < kClassicHeader || bytes.size() > kLargestTemplate) return std::nullopt;
  DialogTemplate result;
  result.size_ = bytes.size();
  result.words_.resize((bytes.size() + 3) / 4);
  std::memcpy(result.words_.data(), bytes.data(), bytes.size());

  result.extended_ = result.Word(0) == 1 && result.Word(2) == kOrdinalMarker;
  const std::size_t header = result.extended_ ? kExtendedHeader : kClassicHeader;
  if (bytes.size() < header) return std::nullopt;

  Reader reader(bytes, header);
  if (!reader.SkipStringOrOrdinal() || !reader.SkipStringOrOrdinal()) return std::nullopt;
  auto caption = reader.String();
  if (!caption) return std::nullopt;
  result.caption_ = std::move(*caption);
  if ((result.Style() & kSetFontStyle) != 0) {
    result.fontOffset_ = reader.at();
    // point size; then weight, italic and charset in the extended layout; then the face
    if (!reader.Skip(result.extended_ ? 6 : 2) || !reader.SkipString()) return std::nullopt;
  }
  const std::size_t count = result.Word(result.extended_ ? 16 : 8);
  if (!result.ParseControls(bytes, reader.at(), count)) return std::nullopt;
  return result;
}

bool DialogTemplate::ParseControls(std::span<const std::byte> bytes, std::size_t at,
                                   std::size_t count) {
  Reader reader(bytes, at);
  for (std::size_t i = 0; i < count; ++i) {
    if (!reader.AlignToDoubleWord()) return false;
    DialogControl control;
    std::size_t styleOffset = 0;
    if (extended_) {
      if (!reader.Skip(4)) return false;  // help id
      const auto exStyle = reader.DoubleWord();
      styleOffset = reader.at();
      const auto style = reader.DoubleWord();
      if (!exStyle || !style) return false;
      control.exStyle = *exStyle;
      control.style = *style;
    } else {
      styleOffset = reader.at();
      const auto style = reader.DoubleWord();
      const auto exStyle = reader.DoubleWord();
      if (!style || !exStyle) return false;
      control.style = *style;
      control.exStyle = *exStyle;
    }
    std::int16_t* place[] = {&control.x, &control.y, &control.cx, &control.cy};
    for (std::int16_t* value : place) {
      const auto word = reader.Word();
      if (!word) return false;
      *value = static_cast<std::int16_t>(*word);
    }
    if (extended_) {
      const auto id = reader.DoubleWord();
      if (!id) return false;
      control.id = static_cast<int>(static_cast<std::int32_t>(*id));
    } else {
      const auto id = reader.Word();
      if (!id) return false;
      control.id = static_cast<std::int16_t>(*id);
    }
    auto className = reader.StringOrOrdinal();
    auto text = className ? reader.StringOrOrdinal() : std::nullopt;
    const auto extra = text ? reader.Word() : std::nullopt;
    if (!extra) return false;
    // The extended layout counts the creation data after its size word; the classic one
    // counts the size word too.
    const std::size_t data = extended_ ? *extra : (*extra >= 2 ? *extra - 2u : 0u);
    if (!reader.Skip(data)) return false;
    control.className = std::move(*className);
    control.text = std::move(*text);
    controls_.push_back(std::move(control));
    styleOffsets_.push_back(styleOffset);
  }
  return true;
}

const DialogControl* DialogTemplate::FindControl(int id) const noexcept {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &controls_[static_cast<std::size_t>(index)];
}

int DialogTemplate::IndexOf(int id) const noexcept {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

bool DialogTemplate::SetControlStyle(int id, std::uint32_t style) noexcept {
  const int index = IndexOf(id);
  if (index < 0) return false;
  PutDoubleWord(styleOffsets_[static_cast<std::size_t>(index)], style);
  controls_[static_cast<std::size_t>(index)].style = style;
  return true;
}

std::uint16_t DialogTemplate::Word(std::size_t offset) const noexcept {
  std::uint16_t value = 0;
  std::memcpy(&value, reinterpret_cast<const std::byte*>(words_.data()) + offset, sizeof(value));
  return value;
}

std::uint32_t DialogTemplate::DoubleWord(std::size_t offset) const noexcept {
  std::uint32_t value = 0;
  std::memcpy(&value, reinterpret_cast<const std::byte*>(words_.data()) + offset, sizeof(value));
  return value;
}

void DialogTemplate::PutWord(std::size_t offset, std::uint16_t value) noexcept {
  std::memcpy(reinterpret_cast<std::byte*>(words_.data()) + offset, &value, sizeof(value));
}

void DialogTemplate::PutDoubleWord(std::size_t offset, std::uint32_t value) noexcept {
  std::memcpy(reinterpret_cast<std::byte*>(words_.data()) + offset, &value, sizeof(value));
}

std::uint32_t DialogTemplate::Style() const noexcept { return DoubleWord(extended_ ? 12 : 0); }
void DialogTemplate::SetStyle(std::uint32_t style) noexcept {
  // The font field's presence is part of the layout already parsed; keep it as it is.
  const std::uint32_t font = Style() & kSetFontStyle;
  PutDoubleWord(extended_ ? 12 : 0, (style & ~kSetFontStyle) | font);
}
std::uint32_t DialogTemplate::ExStyle() const noexcept { return DoubleWord(extended_ ? 8 : 4); }
void DialogTemplate::SetExStyle(std::uint32_t exStyle) noexcept {
  PutDoubleWord(extended_ ? 8 : 4, exStyle);
}
int DialogTemplate::Width() const noexcept {
  return static_cast<std::int16_t>(Word(extended_ ? 22 : 14));
}
int DialogTemplate::Height() const noexcept {
  return static_cast<std::int16_t>(Word(extended_ ? 24 : 16));
}

std::optional<std::uint16_t> DialogTemplate::PointSize() const noexcept {
  if (!HasFont()) return std::nullopt;
  return Word(fontOffset_);
}

bool DialogTemplate::SetPointSize(std::uint16_t points) noexcept {
  if (!HasFont()) return false;
  PutWord(fontOffset_, points);
  return true;
}

std::u16string DialogTemplate::FaceName() const {
  std::u16string face;
  if (!HasFont()) return face;
  for (std::size_t at = fontOffset_ + (extended_ ? 6 : 2); at + 2 <= size_; at += 2) {
    const std::uint16_t unit = Word(at);
    if (unit == 0) break;
    face.push_back(static_cast<char16_t>(unit));
  }
  return face;
}

std::uint16_t ScaledPointSizeForDpi(std::uint16_t points, int dpi) {
  if (dpi <= 96) return points;
  const float factor = static_cast<float>(dpi) / 96.0f;
  return static_cast<std::uint16_t>(static_cast<int>(static_cast<float>(points) / factor));
}

}  // namespace fw
