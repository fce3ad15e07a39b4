#include "controls/logic/form_rules.h"

#include <algorithm>

namespace wd {

std::uint16_t ScaledFormPointSize(int points, int dpi) {
  if (dpi <= 96) return static_cast<std::uint16_t>(points);
  const float factor = static_cast<float>(dpi) / 96.0f;
  return static_cast<std::uint16_t>(static_cast<int>(static_cast<float>(points) / factor));
}

bool EditAcceptsCharacter(std::size_t textLength, std::uint32_t limit, wchar_t character) {
  constexpr std::size_t kReadable = 249;
  return std::min(textLength, kReadable) <= limit || character == L'\b';
}

}  // namespace wd
