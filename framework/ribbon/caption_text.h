#pragma once
// Texts of ribbon elements: resource strings carry "caption\ntooltip" (or "caption\nkeytip" for
// panels), and large buttons show their caption on one or two lines as Office does.
#include <functional>
#include <string>
#include <vector>

namespace fw {

struct CaptionParts {
  std::wstring caption;  // before the first line break
  std::wstring rest;     // after it: a tooltip or a keytip
};
CaptionParts SplitCaption(const std::wstring& text);

using TextWidth = std::function<int(const std::wstring&)>;

// One line for a single word; a caption of several words is split at the space that makes
// the wider of the two lines narrowest.
std::vector<std::wstring> WrapCaption(const std::wstring& caption, const TextWidth& width);

}  // namespace fw
