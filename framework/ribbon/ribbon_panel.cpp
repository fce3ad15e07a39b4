#include "framework/ribbon/ribbon_panel.h"

#include <cwctype>
#include <utility>

#include "framework/ribbon/caption_text.h"

namespace fw {

RibbonPanel::RibbonPanel(RibbonHost& host, std::wstring caption, HICON panelIcon)
    : host_(host), icon_(IconImage::FromIcon(panelIcon, 16)) {
  CaptionParts parts = SplitCaption(caption);
  caption_ = std::move(parts.caption);
  if (!parts.rest.empty()) keyTip_ = static_cast<wchar_t>(std::towupper(parts.rest[0]));
}

RibbonElement& RibbonPanel::Add(RibbonElementKind kind, UINT id, std::wstring caption,
                                std::wstring tooltip, HICON icon) {
  elements_.push_back(
      std::make_unique<RibbonElement>(host_, kind, id, std::move(caption), std::move(tooltip)));
  RibbonElement& element = *elements_.back();
  host_.ContentChanged();
  if (icon != nullptr) element.SetIcon(icon);
  return element;
}

RibbonElement& RibbonPanel::AddButton(UINT id, std::wstring caption, HICON icon,
                                      std::wstring tooltip) {
  return Add(RibbonElementKind::Button, id, std::move(caption), std::move(tooltip), icon);
}

RibbonElement& RibbonPanel::AddCheckBox(UINT id, std::wstring caption, std::wstring tooltip) {
  return Add(RibbonElementKind::CheckBox, id, std::move(caption), std::move(tooltip), nullptr);
}

RibbonElement& RibbonPanel::AddIndicator(UINT id, std::wstring caption, HICON icon,
                                         std::wstring tooltip) {
  return Add(RibbonElementKind::Indicator, id, std::move(caption), std::move(tooltip), icon);
}

RibbonElement& RibbonPanel::AddIconButton(UINT id, HICON icon, std::wstring tooltip,
                                          bool /*alphaBlended*/) {
  return Add(RibbonElementKind::IconButton, id, std::wstring(), std::move(tooltip), icon);
}

RibbonElement* RibbonPanel::Element(std::size_t index) const noexcept {
  return index < elements_.size() ? elements_[index].get() : nullptr;
}

RibbonCategory::RibbonCategory(RibbonHost& host, std::wstring title)
    : host_(host), title_(SplitCaption(title).caption) {}

RibbonPanel& RibbonCategory::AddPanel(std::wstring caption, HICON panelIcon) {
  panels_.push_back(std::make_unique<RibbonPanel>(host_, std::move(caption), panelIcon));
  host_.ContentChanged();
  return *panels_.back();
}

RibbonPanel* RibbonCategory::Panel(std::size_t index) const noexcept {
  return index < panels_.size() ? panels_[index].get() : nullptr;
}

}  // namespace fw
