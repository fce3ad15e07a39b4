#pragma once
// A copy of a dialog template that can be read and adjusted before the dialog is created:
// style bits, the font's point size, and each control's style. Both layouts are understood,
// the classic DLGTEMPLATE and the extended DLGTEMPLATEEX; the point size follows the menu,
// class and title fields, the controls the font. Only bytes here, so malformed templates are
// refused rather than read past their end. The program adjusts templates with it, and the
// resource tests read the compiled ones through it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fw {

// One control of a template as it stands there.
struct DialogControl {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  int id = 0;
  std::u16string className;  // "Button", "Edit", "Static", ... for the predefined ordinals
  std::u16string text;       // "#<n>" for an ordinal (an icon's resource id)
};

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
  std::u16string Caption() const { return caption_; }

  // The controls in window order.
  const std::vector<DialogControl>& Controls() const noexcept { return controls_; }
  const DialogControl* FindControl(int id) const noexcept;
  // Position of control `id` in window order, or -1.
  int IndexOf(int id) const noexcept;
  // Sets the style of control `id`; false when there is none.
  bool SetControlStyle(int id, std::uint32_t style) noexcept;

  // Start of the template, aligned for the dialog functions.
  const void* data() const noexcept { return words_.data(); }
  std::size_t size() const noexcept { return size_; }

 private:
  std::uint16_t Word(std::size_t offset) const noexcept;
  std::uint32_t DoubleWord(std::size_t offset) const noexcept;
  void PutWord(std::size_t offset, std::uint16_t value) noexcept;
  void PutDoubleWord(std::size_t offset, std::uint32_t value) noexcept;

  bool ParseControls(std::span<const std::byte> bytes, std::size_t at, std::size_t count);

  std::vector<std::uint32_t> words_;  // DWORD-aligned storage of the bytes
  std::size_t size_ = 0;
  bool extended_ = false;
  std::size_t fontOffset_ = 0;  // 0: the template has no font
  std::u16string caption_;
  std::vector<DialogControl> controls_;
  std::vector<std::size_t> styleOffsets_;  // of each control's style field
};

// The point size a form's font gets on a screen of `dpi` dots per inch so the form keeps its
// 96-DPI pixel size: trunc(points / (dpi / 96)), computed in single precision; unchanged at
// 96 DPI and below.
std::uint16_t ScaledPointSizeForDpi(std::uint16_t points, int dpi);

}  // namespace fw
