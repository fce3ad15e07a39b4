#pragma once
// The form views' font scaling: a p-point font at d DPI is drawn as p * 96 / d points, so a
// form keeps about the pixel size it has at 96 DPI.

#include <cstddef>
#include <cstdint>

namespace wd {

// trunc(points / (dpi / 96)) with the ratio as a single-precision float; unchanged at 96 DPI
// and below.
std::uint16_t ScaledFormPointSize(int points, int dpi);

// The filtered edit's rule: a typed character is accepted while the text (as far as a
// 250-character buffer reads it) is not longer than the limit; backspace always is. So typing
// can reach limit + 1 characters.
bool EditAcceptsCharacter(std::size_t textLength, std::uint32_t limit, wchar_t character);

}  // namespace wd
