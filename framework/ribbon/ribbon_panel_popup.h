#pragma once
// A collapsed panel dropped down under its button: the panel drawn whole in a popup window,
// its elements working as on the bar. It holds the mouse while open, so a press anywhere
// else closes it, as a menu does.
#include <windows.h>

#include "framework/ribbon/pixel_canvas.h"
#include "framework/ribbon/ribbon_layout.h"
#include "framework/ribbon/ribbon_panel.h"
#include "framework/window.h"

namespace fw {

class RibbonPanelPopup : public Window {
 public:
  // What the bar does for its popup.
  class Owner {
   public:
    // An element was clicked: the bar checks the rule and sends the command.
    virtual void PopupElementClicked(const RibbonElement& element) = 0;
    virtual void PopupClosed() = 0;

   protected:
    ~Owner() = default;
  };

  ~RibbonPanelPopup() override;

  // Shows `panel` (collapsed: its elements are laid out from (0, 0)) with its top left at
  // `screen`, kept on the monitor. The font and metrics are the bar's.
  bool Open(Owner& owner, HWND ownerWindow, const RibbonPanel& panel, POINT screen, HFONT font,
            const RibbonMetrics& metrics);
  void Close();
  bool IsOpen() const noexcept { return hwnd() != nullptr; }
  // Shows the key tips of the panel's elements (the bar's key-tip mode).
  void ShowKeyTips(bool shown);
  const RibbonPanel* panel() const noexcept { return panel_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  bool OnEraseBackground(HDC dc) override;
  void OnMouseMove(UINT keys, POINT point) override;
  void OnLButtonDown(UINT keys, POINT point) override;
  void OnFinalMessage() override;

 private:
  RibbonElement* ElementAt(POINT client) const;
  void SetHot(RibbonElement* element);
  void OnLButtonUp(POINT point);

  Owner* owner_ = nullptr;
  const RibbonPanel* panel_ = nullptr;
  HFONT font_ = nullptr;
  RibbonMetrics metrics_;
  PixelCanvas canvas_;
  RibbonElement* hot_ = nullptr;
  RibbonElement* pressed_ = nullptr;
  bool closing_ = false;
  bool keyTips_ = false;
};

}  // namespace fw
