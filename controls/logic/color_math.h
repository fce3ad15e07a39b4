#pragma once
// Colour arithmetic of the image button, kept apart from GDI so it can be tested anywhere.

#include <cstdint>
#include <optional>

namespace wd {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Brightens (offset > 0) or darkens every channel by the same amount, the largest that keeps
// all three within 0..255, so the hue stays. Offsets outside -255..255 are refused.
std::optional<Rgb> ShiftBrightness(Rgb colour, int offset);

// The grey of the disabled/hover icon copy: trunc(0.299 R + 0.587 G + 0.114 B), in exact
// integer arithmetic so pure white stays 255.
std::uint8_t GreyLevel(Rgb colour);

}  // namespace wd
