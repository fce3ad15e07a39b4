// What the bar shows: its painting and its tooltips.
#include "framework/ribbon/ribbon_bar.h"

#include "framework/device_context.h"

namespace fw {
namespace {

constexpr UINT_PTR kAppButtonTool = 1;
constexpr UINT_PTR kFirstPanelTool = 10;  // collapsed panels' buttons
constexpr UINT_PTR kFirstElementTool = 100;

}  // namespace

void RibbonBar::RebuildTooltips() {
  std::vector<std::pair<UINT_PTR, RECT>> tools;
  toolElements_.clear();
  if (!appTooltip_.empty()) tools.emplace_back(kAppButtonTool, AppButtonRect());
  if (const RibbonCategory* category = ActiveCategory()) {
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const RibbonPanel& panel = *category->Panel(p);
      if (panel.collapsed()) {  // its elements live in the drop-down
        tools.emplace_back(kFirstPanelTool + p, panel.rect());
        continue;
      }
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
  const RibbonCategory* category = ActiveCategory();
  if (info.hdr.idFrom >= kFirstPanelTool && info.hdr.idFrom < kFirstElementTool &&
      category != nullptr) {
    if (const RibbonPanel* panel = category->Panel(info.hdr.idFrom - kFirstPanelTool)) {
      tooltips_.SetTitle(std::wstring());
      info.lpszText = const_cast<wchar_t*>(panel->caption().c_str());
    }
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

bool RibbonBar::OnEraseBackground(HDC) { return true; }  // painted whole, off screen

void RibbonBar::OnPaint() {
  if (layoutDirty_) Layout();
  PaintDc paint(hwnd());
  const RECT client = ClientRect();
  const bool kept = canvas_.width() == client.right && canvas_.height() == client.bottom;
  if (!canvas_.Resize(client.right, client.bottom, paint.get())) return;
  // The buffer keeps the last picture, so only the invalidated part is painted again (a view
  // switch changes a few buttons' states); a buffer just made is painted whole. Whatever reaches
  // into that part is painted, in the usual order, and nothing else.
  const RECT area = kept ? paint.area() : client;
  canvas_.ClipTo(area);
  const auto reaches = [&area](RECT rect) {
    ::InflateRect(&rect, 4, 4);  // a look may spill a little over its box
    RECT overlap{};
    return ::IntersectRect(&overlap, &rect, &area) != FALSE;
  };
  const HFONT uiFont = font();
  const int width = client.right;

  PaintRibbonBackground(canvas_, metrics_, width);
  const std::wstring title = caption_.empty() && frame() != nullptr ? frame()->Text() : caption_;
  PaintTitle(canvas_, uiFont, title, TitleRect(metrics_, width, appSize_), width);
  PaintCloseBox(canvas_, CloseBoxRect(), closeLook_, static_cast<float>(metrics_.dpi) / 96.0f);
  if (const RibbonCategory* category = ActiveCategory()) {
    PaintTab(canvas_, uiFont, *category, metrics_);
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const RibbonPanel& panel = *category->Panel(p);
      if (!reaches(panel.rect())) continue;
      if (panel.collapsed()) {
        PaintCollapsedPanel(canvas_, uiFont, panel, metrics_,
                            LookOf(Target{Target::Kind::CollapsedPanel, nullptr, p}));
        continue;
      }
      PaintPanel(canvas_, uiFont, panel, panel.rect(), metrics_);
      for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
        RibbonElement* element = panel.Element(e);
        if (!reaches(element->rect())) continue;
        PaintElement(canvas_, uiFont, *element, metrics_,
                     LookOf(Target{Target::Kind::Element, element}));
      }
    }
  }
  PaintAppButton(canvas_, AppButtonRect(), appImage_, LookOf(Target{Target::Kind::AppButton}));
  PaintKeyTips();
  canvas_.Unclip();
  canvas_.CopyTo(paint.get(), paint.area());
}

}  // namespace fw
