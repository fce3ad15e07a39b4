#pragma once
// The frame's ribbon: our own custom-drawn Office 2007-style bar. Its top row is the window's
// caption (title and close box, the frame showing no caption of its own), then the tab row
// with the round application button overlapping both, then the panels of the active
// category. A click on an enabled element sends WM_COMMAND(id) to the frame; element states
// follow the frame's command rules (FrameWindow::QueryCommandState).
//
//   ribbon.Create(frame, 59398);                  // child, visible, the frame's top bar
//   ribbon.SetCaption(L"Pulsora Pro");
//   ribbon.SetApplicationButton(appBitmap, L"PM7700Q", SIZE{50, 50});
//   ribbon.RemoveAllCategories();                 // build, and rebuild on a language switch
//   fw::RibbonCategory& category = ribbon.AddCategory(fw::LoadStringResource(137), small, large);
//   category.AddPanel(fw::LoadStringResource(138), panelIcon).AddButton(32828, caption, icon, tip);
//   ribbon.RecalcLayout();
//
// The caption row answers WM_NCHITTEST with HTTRANSPARENT (except over the application
// button), so the frame's own WM_NCHITTEST sees those points and asks HitTestCaption.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/frame_window.h"
#include "framework/ribbon/docked_bar.h"
#include "framework/handles.h"
#include "framework/ribbon/icon_image.h"
#include "framework/ribbon/pixel_canvas.h"
#include "framework/ribbon/ribbon_layout.h"
#include "framework/ribbon/ribbon_painter.h"
#include "framework/ribbon/ribbon_panel.h"
#include "framework/ribbon/ribbon_panel_popup.h"
#include "framework/ribbon/ribbon_tooltips.h"

namespace fw {

class RibbonBar : public DockedBar, private RibbonHost, private RibbonPanelPopup::Owner {
 public:
  RibbonBar() : DockedBar(Edge::Top) {}
  ~RibbonBar() override;

  void SetCaption(std::wstring title);
  // `image` is the frame's (a 32-bit bitmap with straight alpha); the bar copies its pixels.
  void SetApplicationButton(HBITMAP image, std::wstring tooltip, SIZE size);

  void RemoveAllCategories();
  // The image strips are accepted for the frame's build code; elements draw their own icons.
  RibbonCategory& AddCategory(std::wstring title, HBITMAP smallImages, HBITMAP largeImages);
  std::size_t CategoryCount() const noexcept { return categories_.size(); }
  RibbonCategory* Category(std::size_t index) const noexcept;
  void RecalcLayout();

  // Enabled/checked of every element from the frame's rules; repaints what changed. Runs by
  // itself on a short timer and after every click, and may be called at any time.
  void RefreshCommandStates();

  RibbonElement* FindElement(int category, int panel, int element) const;

  // Keyboard access, as in Office: Alt released on its own (or F10) shows the key tips of the
  // panels that have one; a panel's letter shows the tips of its elements (dropping a
  // collapsed panel down), and an element's letter runs it. Escape goes back a level, and
  // from the panels leaves; a click or another key leaves too. The frame offers every
  // message here before anything else translates it; true when the bar took it.
  bool PreTranslateKey(const MSG& message);
  void LeaveKeyTips();
  enum class KeyTipLevel { Off, Panels, Elements };
  KeyTipLevel keyTipLevel() const noexcept { return keyTipLevel_; }
  // The panel whose element tips show, at KeyTipLevel::Elements.
  const RibbonPanel* KeyTipPanel() const noexcept;

  // HTCLOSE on the close box, HTCAPTION elsewhere in the caption row, HTNOWHERE otherwise
  // (the application button is the bar's own).
  LRESULT HitTestCaption(POINT screen) const;

  // FrameBar
  int BarHeight(int frameWidth) const override;

  // Geometry in client coordinates, and the tooltip control (tests, the frame's layout).
  RECT CloseBoxRect() const;
  RECT AppButtonRect() const;
  HWND TooltipWindow() const noexcept { return tooltips_.hwnd(); }
  // The drop-down of a collapsed panel, while one is open.
  HWND PopupWindow() const noexcept { return popup_.hwnd(); }
  const RibbonMetrics& metrics() const noexcept { return metrics_; }

  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshIntervalMs = 200;
  static constexpr UINT_PTR kCloseTrackTimer = 2;  // follows the pointer over the close box

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(const CREATESTRUCTW& create) override;
  void OnDestroy() override;
  void OnPaint() override;
  bool OnEraseBackground(HDC dc) override;
  void OnSize(UINT type, int width, int height) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(UINT keys, POINT point) override;
  void OnMouseLeave() override;
  void OnLButtonDown(UINT keys, POINT point) override;
  void OnCancelMode() override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;

 private:
  // What the pointer is over.
  struct Target {
    enum class Kind { None, AppButton, Tab, CollapsedPanel, Element } kind = Kind::None;
    RibbonElement* element = nullptr;
    std::size_t index = 0;  // of the tab or the collapsed panel
    friend bool operator==(const Target&, const Target&) = default;
  };

  void InvalidateElement(const RibbonElement& element) override;
  void ContentChanged() override;
  void PopupElementClicked(const RibbonElement& element) override { SendCommandOf(element); }
  void PopupClosed() override;

  Target HitTest(POINT client) const;
  bool InAppButton(POINT client) const;
  RibbonCategory* ActiveCategory() const noexcept;
  void InvalidateTarget(const Target& target) const;
  void SetHot(const Target& target);
  void OnLButtonUp(POINT point);
  void OpenPopup(std::size_t panel);
  // Asks the rule once more, then posts the element's command to the frame.
  void SendCommandOf(const RibbonElement& element);
  void ReleasePress();
  ButtonLook LookOf(const Target& target) const;
  void Layout();
  void RebuildTooltips();
  void OnTooltipText(NMTTDISPINFOW& info);
  LRESULT OnNcHitTest(POINT screen);
  void TrackCloseBox();

  // ribbon_bar_key_tips.cpp
  bool OnKeyDown(UINT key, bool repeat);
  void ShowKeyTips();
  void KeyTipBack();
  void PressKeyTip(wchar_t letter);
  void PaintKeyTips();

  std::wstring caption_;
  IconImage appImage_;
  std::wstring appTooltip_;
  SIZE appSize_{50, 50};
  std::vector<std::unique_ptr<RibbonCategory>> categories_;
  std::size_t activeCategory_ = 0;

  RibbonPanelPopup popup_;
  RibbonMetrics metrics_ = RibbonMetrics::For(96, 16);
  PixelCanvas canvas_;
  RibbonTooltips tooltips_;
  std::vector<RibbonElement*> toolElements_;  // tool id - kFirstElementTool

  Target hot_;
  Target pressed_;
  bool trackingLeave_ = false;
  KeyTipLevel keyTipLevel_ = KeyTipLevel::Off;
  std::size_t keyTipPanel_ = 0;
  bool altAlone_ = false;  // Alt is down and no other key came since
  UINT swallowKeyUp_ = 0;  // the release of a key whose press the bar took
  bool layoutDirty_ = true;
  ButtonLook closeLook_ = ButtonLook::Normal;
};

}  // namespace fw
