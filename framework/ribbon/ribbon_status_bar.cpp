#include "framework/ribbon/ribbon_status_bar.h"

#include <algorithm>

#include "framework/device_context.h"
#include "framework/ribbon/ribbon_painter.h"
#include "framework/ribbon/ribbon_theme.h"
#include "framework/ribbon/ui_font.h"

namespace fw {
namespace {

int Scale(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

}  // namespace

int RibbonStatusBar::OnCreate(const CREATESTRUCTW& create) {
  if (DockedBar::OnCreate(create) == -1) return -1;
  WindowDc dc(hwnd());
  dpi_ = std::max(::GetDeviceCaps(dc.get(), LOGPIXELSY), 96);
  lineHeight_ = LineHeight(dc.get(), font());
  return 0;
}

int RibbonStatusBar::BarHeight(int) const {
  return std::max(Scale(26, dpi_), lineHeight_ + Scale(10, dpi_));
}

RibbonStatusBar::Element* RibbonStatusBar::Find(UINT id) {
  auto it = std::find_if(elements_.begin(), elements_.end(),
                         [id](const Element& e) { return e.id == id; });
  return it == elements_.end() ? nullptr : &*it;
}

const RibbonStatusBar::Element* RibbonStatusBar::Find(UINT id) const {
  return const_cast<RibbonStatusBar*>(this)->Find(id);
}

void RibbonStatusBar::Changed() {
  Layout();
  if (hwnd() != nullptr) Redraw();
}

void RibbonStatusBar::AddTextPane(UINT id, std::wstring text) {
  if (Find(id) != nullptr) return SetPaneText(id, std::move(text));
  elements_.push_back(Element{Element::Kind::Text, id, std::move(text)});
  Changed();
}

void RibbonStatusBar::SetPaneText(UINT id, std::wstring text) {
  Element* element = Find(id);
  if (element == nullptr || element->kind != Element::Kind::Text) return;
  element->text = std::move(text);
  Changed();
}

void RibbonStatusBar::SetPaneRightEdge(UINT id, int right) {
  Element* element = Find(id);
  if (element == nullptr || element->kind != Element::Kind::Text) return;
  element->rightEdge = std::max(right, 0);
  Changed();
}

void RibbonStatusBar::AddProgress(UINT id, std::wstring label, RECT rect, int low, int high) {
  RemoveElement(id);
  Element element{Element::Kind::Progress, id, std::move(label)};
  element.placed = rect;
  element.low = std::min(low, high);
  element.high = std::max(low, high);
  element.position = element.low;
  elements_.push_back(std::move(element));
  Changed();
}

void RibbonStatusBar::SetProgressPos(UINT id, int position) {
  Element* element = Find(id);
  if (element == nullptr || element->kind != Element::Kind::Progress) return;
  position = std::clamp(position, element->low, element->high);
  if (position == element->position) return;
  element->position = position;
  if (hwnd() != nullptr) Redraw();
}

void RibbonStatusBar::RemoveElement(UINT id) {
  const auto removed = std::erase_if(elements_, [id](const Element& e) { return e.id == id; });
  if (removed > 0) Changed();
}

bool RibbonStatusBar::HasElement(UINT id) const { return Find(id) != nullptr; }

std::wstring RibbonStatusBar::PaneText(UINT id) const {
  const Element* element = Find(id);
  return element != nullptr && element->kind == Element::Kind::Text ? element->text
                                                                    : std::wstring();
}

int RibbonStatusBar::ProgressPos(UINT id) const {
  const Element* element = Find(id);
  return element != nullptr && element->kind == Element::Kind::Progress ? element->position : -1;
}

RECT RibbonStatusBar::ElementRect(UINT id) const {
  const Element* element = Find(id);
  return element != nullptr ? element->rect : RECT{};
}

void RibbonStatusBar::Layout() {
  const RECT client = ClientRect();
  const int height = hwnd() != nullptr ? static_cast<int>(client.bottom) : BarHeight(0);
  const int width = hwnd() != nullptr ? static_cast<int>(client.right) : 0;
  for (Element& element : elements_) {
    if (element.kind != Element::Kind::Progress) continue;
    element.rect = element.placed;
    element.rect.top = std::max<LONG>(element.rect.top, 0);
    element.rect.bottom = std::min<LONG>(element.rect.bottom, height);
  }
  WindowDc dc(hwnd());
  const int pad = Scale(6, dpi_);
  int x = 0;
  for (Element& element : elements_) {
    if (element.kind != Element::Kind::Text) continue;
    // Room up to the next progress element to the right, or the bar's end.
    int limit = width;
    for (const Element& other : elements_) {
      if (other.kind == Element::Kind::Progress && other.rect.left >= x)
        limit = std::min<int>(limit, other.rect.left);
    }
    const int wanted = x + TextWidthOf(dc.get(), font(), element.text) + 2 * pad;
    int right = std::min(wanted, std::max(limit - pad, x));
    if (element.rightEdge >= 0) right = std::max(right, element.rightEdge);
    element.rect = RECT{x, 0, right, height};
    x = right;
  }
}

void RibbonStatusBar::OnSize(UINT type, int width, int height) {
  Window::OnSize(type, width, height);
  Layout();
  Invalidate(false);
}

bool RibbonStatusBar::OnEraseBackground(HDC) { return true; }

void RibbonStatusBar::PaintProgress(const Element& element) {
  const RECT& rect = element.rect;
  const int pad = Scale(4, dpi_);
  const int labelWidth =
      element.text.empty() ? 0 : TextWidthOf(canvas_.dc(), font(), element.text) + 2 * pad;
  DrawCanvasText(canvas_, font(), element.text,
                 RECT{rect.left + pad, rect.top, rect.left + labelWidth, rect.bottom}, theme::kText,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  const int troughHeight =
      std::min(Scale(14, dpi_), static_cast<int>(rect.bottom - rect.top) - 2 * pad);
  const int top = (rect.top + rect.bottom - troughHeight) / 2;
  const RECT trough{rect.left + labelWidth, top,
                    std::max<LONG>(rect.left + labelWidth, rect.right - pad), top + troughHeight};
  canvas_.FillRoundRect(trough, 2.5f, theme::kTrough);
  const int span = std::max(element.high - element.low, 1);
  const int inner = trough.right - trough.left - 2;
  const int filled = MulDiv(inner, element.position - element.low, span);
  if (filled > 0) {
    canvas_.FillRoundRect(
        RECT{trough.left + 1, trough.top + 1, trough.left + 1 + filled, trough.bottom - 1}, 2.0f,
        theme::kProgress);
  }
  canvas_.StrokeRoundRect(trough, 2.5f, theme::kTroughBorder);
}

void RibbonStatusBar::OnPaint() {
  PaintDc paint(hwnd());
  const RECT client = ClientRect();
  if (!canvas_.Resize(client.right, client.bottom, paint.get())) return;
  canvas_.FillRect(client, theme::kStatusBar);
  canvas_.FillRect(RECT{0, 0, client.right, 1}, Gradient::Solid(theme::kStatusEdge));
  canvas_.FillRect(RECT{0, 1, client.right, 2}, Gradient::Solid(RGB(250, 251, 253)));
  const int pad = Scale(6, dpi_);
  for (const Element& element : elements_) {
    if (element.kind == Element::Kind::Progress) {
      PaintProgress(element);
      continue;
    }
    const RECT& rect = element.rect;
    DrawCanvasText(canvas_, font(), element.text,
                   RECT{rect.left + pad, rect.top + 1, rect.right - pad, rect.bottom}, theme::kText,
                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    const int inset = Scale(5, dpi_);
    canvas_.FillRect(RECT{rect.right - 2, rect.top + inset, rect.right - 1, rect.bottom - inset},
                     Gradient::Solid(theme::kStatusSeparator));
    canvas_.FillRect(RECT{rect.right - 1, rect.top + inset, rect.right, rect.bottom - inset},
                     Gradient::Solid(RGB(255, 255, 255)));
  }
  canvas_.CopyTo(paint.get(), paint.area());
}

}  // namespace fw
