#pragma once
// The frame's bottom bar in the ribbon's silver look: static text panes from the left, and
// progress elements placed where the frame asks (a download's "COM" bar), added and removed
// at run time. Nothing on it is clickable.
//
//   status.Create(frame, 59393);
//   status.AddTextPane(120, L" ");
//   status.SetPaneRightEdge(120, 200);                       // 500 ms after creation
//   status.AddProgress(32818, L"COM", RECT{300, 0, 800, 30}, 0, 100);
//   status.SetProgressPos(32818, 40);
//   status.RemoveElement(32818);
#include <windows.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/ribbon/docked_bar.h"
#include "framework/ribbon/pixel_canvas.h"

namespace fw {

class RibbonStatusBar : public DockedBar {
 public:
  RibbonStatusBar() : DockedBar(Edge::Bottom) {}
  ~RibbonStatusBar() override { Destroy(); }

  void AddTextPane(UINT id, std::wstring text);
  void SetPaneText(UINT id, std::wstring text);
  // The pane reaches at least to `right` (bar coordinates); a longer text widens it up to
  // the next element, and what still does not fit ends in an ellipsis.
  void SetPaneRightEdge(UINT id, int right);
  // A progress bar with its label at `rect` (bar coordinates; clipped to the bar's height),
  // range low..high, at position low.
  void AddProgress(UINT id, std::wstring label, RECT rect, int low, int high);
  void SetProgressPos(UINT id, int position);
  void RemoveElement(UINT id);

  bool HasElement(UINT id) const;
  std::wstring PaneText(UINT id) const;
  int ProgressPos(UINT id) const;  // -1 without such a progress element
  // Where an element is drawn now; empty when there is none.
  RECT ElementRect(UINT id) const;

  // FrameBar
  int BarHeight(int frameWidth) const override;

 protected:
  int OnCreate(const CREATESTRUCTW& create) override;
  void OnPaint() override;
  bool OnEraseBackground(HDC dc) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  struct Element {
    enum class Kind { Text, Progress } kind;
    UINT id;
    std::wstring text;  // pane text or progress label
    int rightEdge = -1;
    RECT placed{};  // progress: as asked
    int low = 0;
    int high = 100;
    int position = 0;
    RECT rect{};  // laid out
  };

  Element* Find(UINT id);
  const Element* Find(UINT id) const;
  void Layout();
  void PaintProgress(const Element& element);
  void Changed();

  std::vector<Element> elements_;
  int dpi_ = 96;
  int lineHeight_ = 16;
  PixelCanvas canvas_;
};

}  // namespace fw
