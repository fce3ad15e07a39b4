#include "framework/ribbon/ribbon_bar.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "framework/device_context.h"
#include "framework/ribbon/ui_font.h"

namespace fw {
namespace {

constexpr UINT kRefreshMessage = WM_USER + 0x240;  // posted after a click's command

int ScreenDpi() {
  WindowDc screen(nullptr);
  return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

}  // namespace

RibbonBar::~RibbonBar() {
  popup_.Close();
  Destroy();
}

int RibbonBar::OnCreate(const CREATESTRUCTW& create) {
  if (DockedBar::OnCreate(create) == -1) return -1;
  {
    WindowDc dc(hwnd());
    metrics_ = RibbonMetrics::For(ScreenDpi(), LineHeight(dc.get(), font()));
  }
  tooltips_.Create(hwnd());
  SetTimer(kRefreshTimer, kRefreshIntervalMs);
  return 0;
}

void RibbonBar::OnDestroy() {
  popup_.Close();
  tooltips_.Destroy();
  KillTimer(kRefreshTimer);
  KillTimer(kCloseTrackTimer);
  Window::OnDestroy();
}

void RibbonBar::SetCaption(std::wstring title) {
  caption_ = std::move(title);
  if (hwnd() != nullptr) {
    const RECT row{0, 0, ClientRect().right, metrics_.captionRowHeight};
    ::InvalidateRect(hwnd(), &row, FALSE);
  }
}

void RibbonBar::SetApplicationButton(HBITMAP image, std::wstring tooltip, SIZE size) {
  appImage_ = IconImage::FromBitmap(image);
  appTooltip_ = std::move(tooltip);
  appSize_ = size;
  layoutDirty_ = true;
  Invalidate(false);
}

void RibbonBar::RemoveAllCategories() {
  LeaveKeyTips();
  popup_.Close();  // it shows a panel about to go
  hot_ = Target{};
  ReleasePress();
  toolElements_.clear();
  tooltips_.SetTools({});
  categories_.clear();
  activeCategory_ = 0;
  ContentChanged();
}

RibbonCategory& RibbonBar::AddCategory(std::wstring title, HBITMAP, HBITMAP) {
  RibbonHost& host = *this;
  categories_.push_back(std::make_unique<RibbonCategory>(host, std::move(title)));
  ContentChanged();
  return *categories_.back();
}

RibbonCategory* RibbonBar::Category(std::size_t index) const noexcept {
  return index < categories_.size() ? categories_[index].get() : nullptr;
}

RibbonCategory* RibbonBar::ActiveCategory() const noexcept { return Category(activeCategory_); }

RibbonElement* RibbonBar::FindElement(int category, int panel, int element) const {
  if (category < 0 || panel < 0 || element < 0) return nullptr;
  const RibbonCategory* found = Category(static_cast<std::size_t>(category));
  const RibbonPanel* inPanel =
      found != nullptr ? found->Panel(static_cast<std::size_t>(panel)) : nullptr;
  return inPanel != nullptr ? inPanel->Element(static_cast<std::size_t>(element)) : nullptr;
}

void RibbonBar::RecalcLayout() {
  Layout();
  RefreshCommandStates();
  Invalidate(false);
}

void RibbonBar::Layout() {
  layoutDirty_ = false;
  if (hwnd() == nullptr) return;
  WindowDc dc(hwnd());
  const HFONT uiFont = font();
  const TextWidth width = [&dc, uiFont](const std::wstring& text) {
    return TextWidthOf(dc.get(), uiFont, text);
  };
  LayoutCategories(categories_, metrics_, AppButtonRect().right + metrics_.Scale(10),
                   ClientRect().right, width);
  RebuildTooltips();
}

int RibbonBar::BarHeight(int) const { return metrics_.TotalHeight(); }

RECT RibbonBar::CloseBoxRect() const { return fw::CloseBoxRect(metrics_, ClientRect().right); }

RECT RibbonBar::AppButtonRect() const { return fw::AppButtonRect(metrics_, appSize_); }

void RibbonBar::RefreshCommandStates() {
  if (frame() == nullptr) return;
  for (const auto& category : categories_) {
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const RibbonPanel& panel = *category->Panel(p);
      for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
        RibbonElement& element = *panel.Element(e);
        const CommandState state = frame()->QueryCommandState(element.id());
        if (element.SetState(state.enabled, state.checked || state.radio))
          InvalidateElement(element);
      }
    }
  }
}

void RibbonBar::ContentChanged() {
  layoutDirty_ = true;
  Invalidate(false);
}

void RibbonBar::InvalidateElement(const RibbonElement& element) {
  if (popup_.IsOpen()) popup_.Invalidate(false);
  if (hwnd() == nullptr) return;
  RECT area = element.rect();
  ::InflateRect(&area, 1, 1);
  ::InvalidateRect(hwnd(), &area, FALSE);
}

void RibbonBar::InvalidateTarget(const Target& target) const {
  if (hwnd() == nullptr) return;
  RECT area{};
  switch (target.kind) {
    case Target::Kind::AppButton: area = AppButtonRect(); break;
    case Target::Kind::Element: area = target.element->rect(); break;
    case Target::Kind::Tab: area = categories_[target.index]->tabRect(); break;
    case Target::Kind::CollapsedPanel: area = ActiveCategory()->Panel(target.index)->rect(); break;
    case Target::Kind::None: return;
  }
  ::InflateRect(&area, 1, 1);
  ::InvalidateRect(hwnd(), &area, FALSE);
}

RibbonBar::Target RibbonBar::HitTest(POINT client) const {
  if (InAppButton(client)) return Target{Target::Kind::AppButton};
  for (std::size_t i = 0; i < categories_.size(); ++i) {
    if (Contains(categories_[i]->tabRect(), client)) return Target{Target::Kind::Tab, nullptr, i};
  }
  if (const RibbonCategory* category = ActiveCategory()) {
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const RibbonPanel& panel = *category->Panel(p);
      if (!Contains(panel.rect(), client)) continue;
      if (panel.collapsed()) return Target{Target::Kind::CollapsedPanel, nullptr, p};
      for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
        if (Contains(panel.Element(e)->rect(), client))
          return Target{Target::Kind::Element, panel.Element(e)};
      }
    }
  }
  return Target{};
}

ButtonLook RibbonBar::LookOf(const Target& target) const {
  if (target.kind == Target::Kind::None) return ButtonLook::Normal;
  if (target.kind == Target::Kind::CollapsedPanel && popup_.IsOpen() &&
      popup_.panel() == ActiveCategory()->Panel(target.index)) {
    return ButtonLook::Pressed;
  }
  if (pressed_ == target) return hot_ == target ? ButtonLook::Pressed : ButtonLook::Hot;
  return hot_ == target && pressed_.kind == Target::Kind::None ? ButtonLook::Hot
                                                               : ButtonLook::Normal;
}

void RibbonBar::SetHot(const Target& target) {
  // Indicators and disabled elements never light up.
  Target hot = target;
  if (hot.kind == Target::Kind::Element && (!hot.element->IsClickable() || !hot.element->enabled()))
    hot = Target{};
  if (hot.kind == Target::Kind::Tab) hot = Target{};
  if (hot == hot_) return;
  InvalidateTarget(hot_);
  hot_ = hot;
  InvalidateTarget(hot_);
}

void RibbonBar::OnMouseMove(UINT, POINT point) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
  SetHot(HitTest(point));
}

void RibbonBar::OnMouseLeave() {
  trackingLeave_ = false;
  SetHot(Target{});
}

void RibbonBar::OnLButtonDown(UINT, POINT point) {
  const Target target = HitTest(point);
  if (target.kind == Target::Kind::CollapsedPanel) {
    OpenPopup(target.index);
    return;
  }
  if (target.kind == Target::Kind::Tab) {
    if (target.index != activeCategory_) {
      activeCategory_ = target.index;
      hot_ = Target{};
      RebuildTooltips();
      Invalidate(false);
    }
    return;
  }
  SetHot(target);
  if (hot_.kind == Target::Kind::None) return;
  pressed_ = hot_;
  ::SetCapture(hwnd());
  InvalidateTarget(pressed_);
}

void RibbonBar::OnLButtonUp(POINT point) {
  const Target pressed = pressed_;
  const Target released = HitTest(point);
  ReleasePress();
  SetHot(released);
  if (pressed.kind == Target::Kind::Element && released == pressed) SendCommandOf(*pressed.element);
}

void RibbonBar::SendCommandOf(const RibbonElement& element) {
  // The rules decide at the moment of the click, not at the last timer tick.
  RefreshCommandStates();
  if (!element.IsClickable() || !element.enabled() || frame() == nullptr) return;
  // Posted: the command may rebuild this ribbon (a language switch), which must not happen
  // while this handler still walks its elements.
  ::PostMessageW(frame()->hwnd(), WM_COMMAND, MAKEWPARAM(element.id(), 0), 0);
  ::PostMessageW(hwnd(), kRefreshMessage, 0, 0);
}

void RibbonBar::OpenPopup(std::size_t index) {
  const RibbonPanel* panel = ActiveCategory() != nullptr ? ActiveCategory()->Panel(index) : nullptr;
  if (panel == nullptr || !panel->collapsed()) return;
  hot_ = Target{};
  POINT corner{panel->rect().left, metrics_.TotalHeight() - 1};
  ::ClientToScreen(hwnd(), &corner);
  popup_.Open(*this, hwnd(), *panel, corner, font(), metrics_);
  Invalidate(false);
}

void RibbonBar::ReleasePress() {
  if (pressed_.kind == Target::Kind::None) return;
  const Target pressed = pressed_;
  pressed_ = Target{};
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  InvalidateTarget(pressed);
}

void RibbonBar::OnCancelMode() {
  ReleasePress();
  Window::OnCancelMode();
}

LRESULT RibbonBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE) {
    tooltips_.Relay(message, wParam, lParam);
  }
  switch (message) {
    case WM_NCHITTEST: return OnNcHitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP: OnLButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd()) ReleasePress();
      return 0;
    case kRefreshMessage: RefreshCommandStates(); return 0;
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

void RibbonBar::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimer)
    RefreshCommandStates();
  else if (id == kCloseTrackTimer)
    TrackCloseBox();
  else
    Window::OnTimer(id);
}

void RibbonBar::OnSize(UINT type, int width, int height) {
  Window::OnSize(type, width, height);
  popup_.Close();
  ContentChanged();  // panels collapse or expand with the width
}

}  // namespace fw
