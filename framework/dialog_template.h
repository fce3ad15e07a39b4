#pragma once
// A copy of a dialog template that can be read and adjusted before the dialog is created:
// style bits and the font's point size. Both layouts are understood, the classic DLGTEMPLATE
// and the extended DLGTEMPLATEEX; the point size follows the menu, class and title fields.
// Only bytes here, so malformed templates are refused rather than read past their end.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fw {

class DialogTemplate {
public:
    static constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT

    static std::optional<DialogTemplate> Parse(std::span<const std::byte> bytes);

    bool IsExtended() const noexcept { return extended_; }
    std::uint32_t Style() const noexcept;
    void SetStyle(std::uint32_t style) noexcept;
    std::uint32_t ExStyle() const noexcept;
    void SetExStyle(std::uint32_t exStyle) noexcept;
    // Width and height in dialog units.
    int Width() const noexcept;
    int Height() const noexcept;

    bool HasFont() const noexcept { return fontOffset_ != 0; }
    std::optional<std::uint16_t> PointSize() const noexcept;
    bool SetPointSize(std::uint16_t points) noexcept;
    std::u16string FaceName() const;

    // Start of the template, aligned for the dialog functions.
    const void* data() const noexcept { return words_.data(); }
    std::size_t size() const noexcept { return size_; }

private:
    std::uint16_t Word(std::size_t offset) const noexcept;
    std::uint32_t DoubleWord(std::size_t offset) const noexcept;
    void PutWord(std::size_t offset, std::uint16_t value) noexcept;
    void PutDoubleWord(std::size_t offset, std::uint32_t value) noexcept;

    std::vector<std::uint32_t> words_;  // DWORD-aligned storage of the bytes
    std::size_t size_ = 0;
    bool extended_ = false;
    std::size_t fontOffset_ = 0;  // 0: the template has no font
};

// The point size a form's font gets on a screen of `dpi` dots per inch so the form keeps its
// 96-DPI pixel size: trunc(points / (dpi / 96)), computed in single precision; unchanged at
// 96 DPI and below.
std::uint16_t ScaledPointSizeForDpi(std::uint16_t points, int dpi);

}  // namespace fw
