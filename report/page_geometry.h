#pragma once
// Page coordinates of the report: tenths of a millimetre from the paper's top-left corner, so
// one plan serves the screen preview and any printer (the painter scales by the device's
// resolution: device units = tenths * dots per inch / 254).

namespace wd {

struct PaperSize {
  int width;
  int height;
  friend bool operator==(const PaperSize&, const PaperSize&) = default;
};
inline constexpr PaperSize kA4Portrait{2100, 2970};
inline constexpr PaperSize kLetterPortrait{2159, 2794};

struct Rect {
  int left, top, right, bottom;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// What a text is; the painter takes its font from the role.
enum class TextRole { Title, Heading, Body, Small, Notice, Footer };
enum class Align { Left, Centre, Right };

struct TextStyle {
  int fontHeight;  // character cell height, tenths of a millimetre
  int lineHeight;  // the room a line takes in the plan
  bool bold;
};
constexpr TextStyle StyleOf(TextRole role) {
  switch (role) {
    case TextRole::Title: return {60, 90, true};
    case TextRole::Heading: return {40, 55, true};
    case TextRole::Body: return {33, 45, false};
    case TextRole::Small: return {30, 40, false};
    case TextRole::Notice: return {40, 55, true};
    case TextRole::Footer: return {28, 40, false};
  }
  return {33, 45, false};
}

}  // namespace wd
