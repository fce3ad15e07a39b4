#pragma once
// A window that scrolls its content (children included) in pixels: scroll bars appear when the
// client area is smaller than the total size, and the bars, the keyboard-less scroll requests
// and the mouse wheel move the content with ScrollWindowEx.
#include <windows.h>

#include "framework/scroll_geometry.h"
#include "framework/window.h"

namespace fw {

class ScrollView : public Window {
 public:
  // Zero page or line sizes take the defaults (a tenth of the total, a tenth of the page).
  void SetScrollSizes(SIZE total, SIZE page = SIZE{0, 0}, SIZE line = SIZE{0, 0});
  SIZE TotalSize() const noexcept { return sizes_.total; }
  const ScrollSizes& Sizes() const noexcept { return sizes_; }
  // The content point shown at the client's top-left corner.
  POINT ScrollPosition() const noexcept { return position_; }
  void ScrollToPosition(POINT position);

 protected:
  void OnSize(UINT type, int width, int height) override;
  void OnHScroll(UINT code, int position, HWND scrollBar) override;
  void OnVScroll(UINT code, int position, HWND scrollBar) override;
  bool OnMouseWheel(int delta, UINT keys, POINT screenPoint) override;

  // WM_HSCROLL/WM_VSCROLL of a scroll-bar control on the view (a chart's time bar, say).
  virtual void OnScrollBarControl(UINT message, UINT code, int position, HWND scrollBar);

 private:
  void UpdateBars();
  void ScrollContent(UINT message, UINT code);
  SIZE ClientSize() const noexcept;

  ScrollSizes sizes_;
  POINT position_{0, 0};
  bool updatingBars_ = false;
  int wheelRemainder_ = 0;
};

}  // namespace fw
