#pragma once
// A ribbon category (one tab) and its panels (captioned groups of elements). Elements belong
// to their panel and keep their address for the panel's life.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ribbon/icon_image.h"
#include "framework/ribbon/ribbon_element.h"

namespace fw {

class RibbonPanel {
 public:
  // `caption` may hold "caption\nkeytip"; only the caption is shown, the key tip's first
  // letter becomes the panel's key tip.
  RibbonPanel(RibbonHost& host, std::wstring caption, HICON panelIcon);
  RibbonPanel(const RibbonPanel&) = delete;
  RibbonPanel& operator=(const RibbonPanel&) = delete;

  // `icon` is drawn large (32 x 32); the element keeps a copy of its pixels.
  RibbonElement& AddButton(UINT id, std::wstring caption, HICON icon, std::wstring tooltip);
  RibbonElement& AddCheckBox(UINT id, std::wstring caption, std::wstring tooltip);
  // Never hovers or presses, and clicks do nothing. `caption` may hold "caption\ntooltip".
  RibbonElement& AddIndicator(UINT id, std::wstring caption, HICON icon, std::wstring tooltip = {});
  // An icon without caption. Every icon is drawn with its alpha channel; the flag is kept
  // for callers that state it.
  RibbonElement& AddIconButton(UINT id, HICON icon, std::wstring tooltip, bool alphaBlended);

  const std::wstring& caption() const noexcept { return caption_; }
  // The letter that opens the panel's element key tips; a panel without one has none shown.
  void SetKeyTip(wchar_t letter) noexcept { keyTip_ = letter; }
  wchar_t keyTip() const noexcept { return keyTip_; }
  const IconImage& icon() const noexcept { return icon_; }
  std::size_t ElementCount() const noexcept { return elements_.size(); }
  RibbonElement* Element(std::size_t index) const noexcept;

  // On the bar: the whole panel, or the button standing for it while it is collapsed.
  void SetRect(const RECT& rect) noexcept { rect_ = rect; }
  const RECT& rect() const noexcept { return rect_; }
  // A collapsed panel's elements are laid out in a drop-down of `popupSize`, from (0, 0).
  void SetCollapsed(bool collapsed, SIZE popupSize = SIZE{}) noexcept {
    collapsed_ = collapsed;
    popupSize_ = popupSize;
  }
  bool collapsed() const noexcept { return collapsed_; }
  SIZE popupSize() const noexcept { return popupSize_; }

 private:
  RibbonElement& Add(RibbonElementKind kind, UINT id, std::wstring caption, std::wstring tooltip,
                     HICON icon);

  RibbonHost& host_;
  std::wstring caption_;
  wchar_t keyTip_ = 0;
  IconImage icon_;
  std::vector<std::unique_ptr<RibbonElement>> elements_;
  RECT rect_{};
  bool collapsed_ = false;
  SIZE popupSize_{};
};

class RibbonCategory {
 public:
  RibbonCategory(RibbonHost& host, std::wstring title);
  RibbonCategory(const RibbonCategory&) = delete;
  RibbonCategory& operator=(const RibbonCategory&) = delete;

  RibbonPanel& AddPanel(std::wstring caption, HICON panelIcon);

  const std::wstring& title() const noexcept { return title_; }
  std::size_t PanelCount() const noexcept { return panels_.size(); }
  RibbonPanel* Panel(std::size_t index) const noexcept;

  void SetTabRect(const RECT& rect) noexcept { tabRect_ = rect; }
  const RECT& tabRect() const noexcept { return tabRect_; }

 private:
  RibbonHost& host_;
  std::wstring title_;
  std::vector<std::unique_ptr<RibbonPanel>> panels_;
  RECT tabRect_{};
};

}  // namespace fw
