#pragma once
// One element of a ribbon panel: a large button, a check box, an indicator (a button that
// never highlights or presses, whose icon shows a state), or an icon-only button. Its
// enabled/checked state comes from the owner's command rules at each refresh.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/ribbon/icon_image.h"

namespace fw {

class RibbonElement;

// What an element needs of the bar it sits on.
class RibbonHost {
 public:
  virtual void InvalidateElement(const RibbonElement& element) = 0;
  // A category, panel or element was added: the layout is out of date.
  virtual void ContentChanged() = 0;

 protected:
  ~RibbonHost() = default;
};

enum class RibbonElementKind { Button, CheckBox, Indicator, IconButton };

class RibbonElement {
 public:
  static constexpr int kLargeIconSize = 32;

  RibbonElement(RibbonHost& host, RibbonElementKind kind, UINT id, std::wstring caption,
                std::wstring tooltip);
  RibbonElement(const RibbonElement&) = delete;
  RibbonElement& operator=(const RibbonElement&) = delete;

  // Replaces the picture and repaints. The element does not own the icon (the frame does);
  // it keeps its own copy of the pixels, so the icon may be destroyed afterwards.
  void SetIcon(HICON icon);

  UINT id() const noexcept { return id_; }
  RibbonElementKind kind() const noexcept { return kind_; }
  const std::wstring& caption() const noexcept { return caption_; }
  const std::wstring& tooltip() const noexcept { return tooltip_; }
  // The letter that runs the element in key-tip mode (RibbonBar::PreTranslateKey).
  void SetKeyTip(wchar_t letter) noexcept { keyTip_ = letter; }
  wchar_t keyTip() const noexcept { return keyTip_; }
  bool enabled() const noexcept { return enabled_; }
  bool checked() const noexcept { return checked_; }

  // Indicators show state only: no highlight, no press, no command.
  bool IsClickable() const noexcept { return kind_ != RibbonElementKind::Indicator; }
  bool HasCaption() const noexcept { return kind_ != RibbonElementKind::IconButton; }

  // Set by the bar.
  bool SetState(bool enabled, bool checked);  // true when something changed
  void SetRect(const RECT& rect) noexcept { rect_ = rect; }
  const RECT& rect() const noexcept { return rect_; }
  void SetLines(std::vector<std::wstring> lines) { lines_ = std::move(lines); }
  const std::vector<std::wstring>& lines() const noexcept { return lines_; }

  const IconImage& image() const noexcept { return image_; }
  const IconImage& greyImage() const noexcept { return greyImage_; }

 private:
  RibbonHost& host_;
  RibbonElementKind kind_;
  UINT id_;
  std::wstring caption_;
  std::wstring tooltip_;
  IconImage image_;
  IconImage greyImage_;
  std::vector<std::wstring> lines_;
  RECT rect_{};
  wchar_t keyTip_ = 0;
  bool enabled_ = false;  // until the first refresh asks the rules
  bool checked_ = false;
};

}  // namespace fw
