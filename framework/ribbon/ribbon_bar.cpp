#include "framework/ribbon/ribbon_bar.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "framework/device_context.h"
#include "framework/ribbon/ui_font.h"

namespace fw {
namespace {

constexpr UINT_PTR kCloseTrackTimer = 2;
constexpr UINT kCloseTrackMs = 40;
constexpr UINT kRefreshMessage = WM_USER + 0x240;  // posted after a click's command
constexpr UINT_PTR kAppButtonTool = 1;
constexpr UINT_PTR kFirstElementTool = 100;

int ScreenDpi() {
    WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

bool Contains(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

}  // namespace

RibbonBar::~RibbonBar() {
    Destroy();
    if (frame_ != nullptr) frame_->SetTopBar(nullptr);
}

bool RibbonBar::Create(FrameWindow& frame, UINT id) {
    frame_ = &frame;
    if (!CreateBarWindow(*this, frame.hwnd(), id)) return false;
    frame.SetTopBar(this);
    return true;
}

int RibbonBar::OnCreate(const CREATESTRUCTW& create) {
    if (Window::OnCreate(create) == -1) return -1;
    font_ = CreateMessageFont();
    {
        WindowDc dc(hwnd());
        metrics_ = RibbonMetrics::For(ScreenDpi(), LineHeight(dc.get(), font_.get()));
    }
    tooltips_.Create(hwnd());
    SetTimer(kRefreshTimer, kRefreshIntervalMs);
    return 0;
}

void RibbonBar::OnDestroy() {
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
    const RibbonPanel* inPanel = found != nullptr ? found->Panel(static_cast<std::size_t>(panel)) : nullptr;
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
    const HFONT font = font_.get();
    const TextWidth width = [&dc, font](const std::wstring& text) { return TextWidthOf(dc.get(), font, text); };
    LayoutCategories(categories_, metrics_, AppButtonRect().right + metrics_.Scale(10), width);
    RebuildTooltips();
}

int RibbonBar::BarHeight(int) const { return metrics_.TotalHeight(); }

RECT RibbonBar::CloseBoxRect() const { return fw::CloseBoxRect(metrics_, ClientRect().right); }

RECT RibbonBar::AppButtonRect() const { return fw::AppButtonRect(metrics_, appSize_); }

void RibbonBar::RefreshCommandStates() {
    if (frame_ == nullptr) return;
    for (const auto& category : categories_) {
        for (std::size_t p = 0; p < category->PanelCount(); ++p) {
            const RibbonPanel& panel = *category->Panel(p);
            for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
                RibbonElement& element = *panel.Element(e);
                const CommandState state = frame_->QueryCommandState(element.id());
                if (element.SetState(state.enabled, state.checked || state.radio)) InvalidateElement(element);
            }
        }
    }
}

void RibbonBar::InvalidateElement(const RibbonElement& element) {
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
    case Target::Kind::Tab: area = categories_[target.tab]->tabRect(); break;
    case Target::Kind::None: return;
    }
    ::InflateRect(&area, 1, 1);
    ::InvalidateRect(hwnd(), &area, FALSE);
}

bool RibbonBar::InAppButton(POINT client) const {
    const RECT button = AppButtonRect();
    const auto half = [](LONG a, LONG b) { return static_cast<float>(a + b) / 2.0f; };
    const float radius = half(button.right, -button.left);
    const float dx = static_cast<float>(client.x) + 0.5f - half(button.left, button.right);
    const float dy = static_cast<float>(client.y) + 0.5f - half(button.top, button.bottom);
    return dx * dx + dy * dy <= radius * radius;
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
            for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
                if (Contains(panel.Element(e)->rect(), client)) return Target{Target::Kind::Element, panel.Element(e)};
            }
        }
    }
    return Target{};
}

ButtonLook RibbonBar::LookOf(const Target& target) const {
    if (target.kind == Target::Kind::None) return ButtonLook::Normal;
    if (pressed_ == target) return hot_ == target ? ButtonLook::Pressed : ButtonLook::Hot;
    return hot_ == target && pressed_.kind == Target::Kind::None ? ButtonLook::Hot : ButtonLook::Normal;
}

void RibbonBar::SetHot(const Target& target) {
    // Indicators and disabled elements never light up.
    Target hot = target;
    if (hot.kind == Target::Kind::Element && (!hot.element->IsClickable() || !hot.element->enabled())) hot = Target{};
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
    if (target.kind == Target::Kind::Tab) {
        if (target.tab != activeCategory_) {
            activeCategory_ = target.tab;
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
    if (pressed.kind != Target::Kind::Element || !(released == pressed)) return;
    // The rules decide at the moment of the click, not at the last timer tick.
    RefreshCommandStates();
    if (!pressed.element->enabled()) return;
    // Posted: the command may rebuild this ribbon (a language switch), which must not happen
    // while this handler still walks its elements.
    ::PostMessageW(frame_->hwnd(), WM_COMMAND, MAKEWPARAM(pressed.element->id(), 0), 0);
    ::PostMessageW(hwnd(), kRefreshMessage, 0, 0);
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
    if (id == kRefreshTimer) RefreshCommandStates();
    else if (id == kCloseTrackTimer) TrackCloseBox();
    else Window::OnTimer(id);
}

LRESULT RibbonBar::OnNcHitTest(POINT screen) {
    POINT client = screen;
    ::ScreenToClient(hwnd(), &client);
    if (client.y >= metrics_.captionRowHeight || InAppButton(client)) return HTCLIENT;
    // The caption row belongs to the frame's non-client handling; the close box look is
    // followed here, since the frame's non-client mouse messages never reach the bar.
    if (Contains(CloseBoxRect(), client) && closeLook_ == ButtonLook::Normal) TrackCloseBox();
    return HTTRANSPARENT;
}

LRESULT RibbonBar::HitTestCaption(POINT screen) const {
    if (hwnd() == nullptr) return HTNOWHERE;
    POINT client = screen;
    ::ScreenToClient(hwnd(), &client);
    const RECT row{0, 0, ClientRect().right, metrics_.captionRowHeight};
    if (!Contains(row, client) || InAppButton(client)) return HTNOWHERE;
    return Contains(CloseBoxRect(), client) ? HTCLOSE : HTCAPTION;
}

void RibbonBar::TrackCloseBox() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(hwnd(), &cursor);
    const int primary = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    ButtonLook look = ButtonLook::Normal;
    if (Contains(CloseBoxRect(), cursor)) {
        look = (::GetAsyncKeyState(primary) & 0x8000) != 0 ? ButtonLook::Pressed : ButtonLook::Hot;
    }
    if (look != ButtonLook::Normal) SetTimer(kCloseTrackTimer, kCloseTrackMs);
    else KillTimer(kCloseTrackTimer);
    if (look == closeLook_) return;
    closeLook_ = look;
    const RECT box = CloseBoxRect();
    ::InvalidateRect(hwnd(), &box, FALSE);
}

void RibbonBar::RebuildTooltips() {
    std::vector<std::pair<UINT_PTR, RECT>> tools;
    toolElements_.clear();
    if (!appTooltip_.empty()) tools.emplace_back(kAppButtonTool, AppButtonRect());
    if (const RibbonCategory* category = ActiveCategory()) {
        for (std::size_t p = 0; p < category->PanelCount(); ++p) {
            const RibbonPanel& panel = *category->Panel(p);
            for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
                tools.emplace_back(kFirstElementTool + toolElements_.size(), panel.Element(e)->rect());
                toolElements_.push_back(panel.Element(e));
            }
        }
    }
    tooltips_.SetTools(tools);
}

bool RibbonBar::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == tooltips_.hwnd() && header.code == TTN_GETDISPINFOW) {
        OnTooltipText(reinterpret_cast<NMTTDISPINFOW&>(header));
        result = 0;
        return true;
    }
    return Window::OnNotify(header, result);
}

void RibbonBar::OnTooltipText(NMTTDISPINFOW& info) {
    static const wchar_t kEmpty[] = L"";
    info.lpszText = const_cast<wchar_t*>(kEmpty);
    if (info.hdr.idFrom == kAppButtonTool) {
        tooltips_.SetTitle(std::wstring());
        info.lpszText = const_cast<wchar_t*>(appTooltip_.c_str());
        return;
    }
    const UINT_PTR index = info.hdr.idFrom - kFirstElementTool;
    if (info.hdr.idFrom < kFirstElementTool || index >= toolElements_.size()) return;
    const RibbonElement& element = *toolElements_[index];
    // Caption as title over the description; an element without one shows the description.
    const bool titled = !element.caption().empty() && !element.tooltip().empty();
    tooltips_.SetTitle(titled ? element.caption() : std::wstring());
    const std::wstring& text = element.tooltip().empty() ? element.caption() : element.tooltip();
    info.lpszText = const_cast<wchar_t*>(text.c_str());
}

void RibbonBar::OnSize(UINT type, int width, int height) {
    Window::OnSize(type, width, height);
    Invalidate(false);
}

bool RibbonBar::OnEraseBackground(HDC) { return true; }  // painted whole, off screen

void RibbonBar::OnPaint() {
    if (layoutDirty_) Layout();
    PaintDc paint(hwnd());
    const RECT client = ClientRect();
    if (!canvas_.Resize(client.right, client.bottom, paint.get())) return;
    const HFONT font = font_.get();
    const int width = client.right;

    PaintRibbonBackground(canvas_, metrics_, width);
    const std::wstring title = caption_.empty() && frame_ != nullptr ? frame_->Text() : caption_;
    PaintTitle(canvas_, font, title, TitleRect(metrics_, width, appSize_), width);
    PaintCloseBox(canvas_, CloseBoxRect(), closeLook_, static_cast<float>(metrics_.dpi) / 96.0f);
    if (const RibbonCategory* category = ActiveCategory()) {
        PaintTab(canvas_, font, *category, metrics_);
        for (std::size_t p = 0; p < category->PanelCount(); ++p) {
            const RibbonPanel& panel = *category->Panel(p);
            PaintPanel(canvas_, font, panel, metrics_);
            for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
                RibbonElement* element = panel.Element(e);
                PaintElement(canvas_, font, *element, metrics_, LookOf(Target{Target::Kind::Element, element}));
            }
        }
    }
    PaintAppButton(canvas_, AppButtonRect(), appImage_, LookOf(Target{Target::Kind::AppButton}));
    canvas_.CopyTo(paint.get(), paint.area());
}

}  // namespace fw
