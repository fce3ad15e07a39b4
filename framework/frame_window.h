#pragma once
// A top-level window hosting one view at a time between an optional top bar (the ribbon) and
// bottom bar (the status bar). Commands go to the current view first, then to the frame's own
// table; QueryCommandState answers a ribbon's refresh the same way.
//
//   class MainFrame : public fw::FrameWindow { ... };
//   frame.CreateFrame(L"Pulsora Pro", WS_OVERLAPPEDWINDOW);
//   view.Create(frame.hwnd(), fw::kPaneFirstId, frame.PaneRect());
//   frame.SetCurrentView(&view);
//   return fw::RunMessageLoop();
#include <windows.h>

#include <string>

#include "framework/command_table.h"
#include "framework/window.h"
#include "framework/window_class.h"

namespace fw {

constexpr UINT kPaneFirstId = 0xE900;  // the view pane's control id

// A bar docked to the top or bottom edge; the frame asks for its height at each layout.
class FrameBar {
 public:
  virtual ~FrameBar() = default;
  virtual HWND BarWindow() const = 0;
  virtual int BarHeight(int frameWidth) const = 0;
};

class FrameWindow : public Window {
 public:
  bool CreateFrame(const std::wstring& title, DWORD style, DWORD exStyle = 0,
                   const RECT& rect = RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT},
                   const ClassLook& look = ClassLook{});

  // The view shown in the pane: not owned, laid out, offered commands and keyboard messages.
  void SetCurrentView(Window* view);
  Window* CurrentView() const noexcept { return view_; }

  void SetTopBar(FrameBar* bar) {
    top_ = bar;
    RecalcLayout();
  }
  void SetBottomBar(FrameBar* bar) {
    bottom_ = bar;
    RecalcLayout();
  }
  void RecalcLayout();
  // The client area the bars leave for the view.
  RECT PaneRect() const;

  bool RouteCommand(UINT id);
  // The view's state for a command it has, else the frame's; unknown commands are disabled.
  CommandState QueryCommandState(UINT id) const;

  // Swallows right-button releases (no context menus anywhere), then lets the view
  // pre-translate (a form view's dialog keys).
  bool PreTranslateMessage(MSG& message) override;

 protected:
  void OnSize(UINT type, int width, int height) override;
  void OnSetFocus(HWND previous) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  int BarHeight(const FrameBar* bar, int width) const;

  Window* view_ = nullptr;
  FrameBar* top_ = nullptr;
  FrameBar* bottom_ = nullptr;
};

}  // namespace fw
