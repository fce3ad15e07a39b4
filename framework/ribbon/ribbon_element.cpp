#include "framework/ribbon/ribbon_element.h"

#include <utility>

#include "framework/ribbon/caption_text.h"

namespace fw {

RibbonElement::RibbonElement(RibbonHost& host, RibbonElementKind kind, UINT id,
                             std::wstring caption, std::wstring tooltip)
    : host_(host), kind_(kind), id_(id) {
  // A resource string may hold "caption\ntooltip": the tooltip fills in when none was given.
  CaptionParts parts = SplitCaption(caption);
  caption_ = std::move(parts.caption);
  tooltip_ = tooltip.empty() ? std::move(parts.rest) : std::move(tooltip);
}

void RibbonElement::SetIcon(HICON icon) {
  image_ = IconImage::FromIcon(icon, kLargeIconSize);
  greyImage_ = image_.Greyed();
  host_.InvalidateElement(*this);
}

bool RibbonElement::SetState(bool enabled, bool checked) {
  if (enabled == enabled_ && checked == checked_) return false;
  enabled_ = enabled;
  checked_ = checked;
  return true;
}

}  // namespace fw
