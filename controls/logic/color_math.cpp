#include "controls/logic/color_math.h"

#include <algorithm>

namespace wd {

std::optional<Rgb> ShiftBrightness(Rgb colour, int offset) {
  if (offset < -255 || offset > 255) return std::nullopt;
  const int channels[3] = {colour.red, colour.green, colour.blue};
  int applied = offset;
  for (int channel : channels) {
    applied = offset > 0 ? std::min(applied, 255 - channel) : std::max(applied, -channel);
  }
  auto shift = [applied](int channel) { return static_cast<std::uint8_t>(channel + applied); };
  return Rgb{shift(colour.red), shift(colour.green), shift(colour.blue)};
}

std::uint8_t GreyLevel(Rgb colour) {
  return static_cast<std::uint8_t>((299 * colour.red + 587 * colour.green + 114 * colour.blue) /
                                   1000);
}

}  // namespace wd
