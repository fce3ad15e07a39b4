#include "framework/ribbon/caption_text.h"

#include <algorithm>
#include <limits>

namespace fw {

CaptionParts SplitCaption(const std::wstring& text) {
  const auto lineBreak = text.find(L'\n');
  if (lineBreak == std::wstring::npos) return CaptionParts{text, std::wstring()};
  return CaptionParts{text.substr(0, lineBreak), text.substr(lineBreak + 1)};
}

std::vector<std::wstring> WrapCaption(const std::wstring& caption, const TextWidth& width) {
  const auto first = caption.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  const auto last = caption.find_last_not_of(L' ');
  const std::wstring text = caption.substr(first, last - first + 1);

  std::wstring bestTop, bestBottom;
  int bestWidth = std::numeric_limits<int>::max();
  for (auto space = text.find(L' '); space != std::wstring::npos;
       space = text.find(L' ', space + 1)) {
    std::wstring top = text.substr(0, space);
    std::wstring bottom = text.substr(space + 1);
    top.erase(top.find_last_not_of(L' ') + 1);
    bottom.erase(0, bottom.find_first_not_of(L' '));
    if (top.empty() || bottom.empty()) continue;
    const int wider = std::max(width(top), width(bottom));
    if (wider < bestWidth) {
      bestWidth = wider;
      bestTop = std::move(top);
      bestBottom = std::move(bottom);
    }
  }
  if (bestTop.empty()) return {text};
  return {bestTop, bestBottom};
}

}  // namespace fw
