#pragma once
// What the ribbon bar and the ribbon status bar share: a visible child of the frame, painted
// whole by its object, docked to the frame's top or bottom edge for as long as it lives, and
// the user-interface font it draws with (the system's message font, which Wine maps to its CJK
// replacement so Chinese captions render).
//
//   class RibbonStatusBar : public DockedBar {
//   public:
//       RibbonStatusBar() : DockedBar(Edge::Bottom) {}
//       ~RibbonStatusBar() override { Destroy(); }   // while the derived handlers still run
//   };
//   status.Create(frame, 59393);
#include <windows.h>

#include "framework/frame_window.h"
#include "framework/handles.h"

namespace fw {

class DockedBar : public Window, public FrameBar {
 public:
  enum class Edge { Top, Bottom };

  // Undocks the bar. A derived bar destroys its window in its own destructor, so its own
  // WM_DESTROY handling still runs.
  ~DockedBar() override;

  // A child of `frame`, visible, installed as the frame's bar of its edge. The bar must not
  // outlive the frame object.
  bool Create(FrameWindow& frame, UINT id);

  // FrameBar
  HWND BarWindow() const override { return hwnd(); }

 protected:
  explicit DockedBar(Edge edge) noexcept : edge_(edge) {}
  // Makes the font; a derived bar calls it first.
  int OnCreate(const CREATESTRUCTW& create) override;

  FrameWindow* frame() const noexcept { return frame_; }
  HFONT font() const noexcept { return font_.get(); }

 private:
  void Dock(FrameBar* bar);

  Edge edge_;
  FrameWindow* frame_ = nullptr;
  Font font_;
};

}  // namespace fw
