#include "framework/dialog_template.h"

#include <cstring>

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
    // A zero-terminated UTF-16 string.
    bool SkipString() {
        for (;;) {
            const auto unit = Word();
            if (!unit) return false;
            if (*unit == 0) return true;
        }
    }
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
    if (!reader.SkipStringOrOrdinal() || !reader.SkipStringOrOrdinal() || !reader.SkipString()) {
        return std::nullopt;
    }
    if ((result.Style() & kSetFontStyle) != 0) {
        result.fontOffset_ = reader.at();
        // point size; then weight, italic and charset in the extended layout; then the face
        if (!reader.Skip(result.extended_ ? 6 : 2) || !reader.SkipString()) return std::nullopt;
    }
    return result;
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
void DialogTemplate::SetExStyle(std::uint32_t exStyle) noexcept { PutDoubleWord(extended_ ? 8 : 4, exStyle); }
int DialogTemplate::Width() const noexcept { return static_cast<std::int16_t>(Word(extended_ ? 22 : 14)); }
int DialogTemplate::Height() const noexcept { return static_cast<std::int16_t>(Word(extended_ ? 24 : 16)); }

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
