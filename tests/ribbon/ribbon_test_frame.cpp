#include "ribbon_test_frame.h"

#include "framework/resource_module.h"
#include "framework/ribbon/caption_text.h"
#include "framework/ribbon/icon_image.h"
#include "tests/ui_support/message_pump.h"

namespace ribbon_test {
namespace {

struct ButtonSpec {
  UINT id;
  UINT icon;
};

// The program's panels: views, status, communication, import, language.
constexpr ButtonSpec kViewButtons[] = {
    {kBack, 377},          {kForward, 378},         {kHome, 385},
    {kShowCheckList, 374}, {kShowMonitorList, 376}, {kShowTrend, 375}};
constexpr ButtonSpec kCommButtons[] = {{kStart, 311}, {kStop, 335}, {kClearDevice, 343}};
constexpr ButtonSpec kImportButtons[] = {{kImportCheck, 380}, {kImportMonitor, 382}};

}  // namespace

bool TestFrame::Open(int width, int height) {
  fw::ClassLook look;
  look.cursor = ::LoadCursorW(nullptr, IDC_ARROW);
  look.background = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  if (!CreateFrame(L"Pulsora Pro", WS_POPUP | WS_BORDER | WS_VISIBLE, 0,
                   RECT{10, 10, 10 + width, 10 + height}, look)) {
    return false;
  }
  for (UINT id : {377u, 378u, 385u, 374u, 376u, 375u, 311u, 335u, 343u, 380u, 382u, 391u, 388u}) {
    icons_.push_back(fw::LoadProgramIcon(id));
  }
  lamps[0] = fw::LoadProgramIcon(314);
  lamps[1] = fw::LoadProgramIcon(315);
  appImage_ = fw::LoadBitmapResource(112);
  panelStrip_ = fw::LoadBitmapResource(113);
  viewsPanelIcon_ = fw::IconFromStrip(panelStrip_.get(), 7, 16);
  statusPanelIcon_ = fw::IconFromStrip(panelStrip_.get(), 27, 16);
  if (!ribbon.Create(*this, 59398) || !status.Create(*this, 59393)) return false;
  ribbon.SetCaption(fw::LoadStringResource(128));
  ribbon.SetApplicationButton(appImage_.get(), L"PM7700Q", SIZE{50, 50});
  BuildRibbon();
  status.AddTextPane(kTextPane, L" ");
  return true;
}

void TestFrame::BuildRibbon() {
  std::size_t icon = 0;
  const auto addButtons = [this, &icon](fw::RibbonPanel& panel, const auto& buttons) {
    for (const ButtonSpec& button : buttons) {
      const fw::CaptionParts text = fw::SplitCaption(fw::LoadStringResource(button.id));
      panel.AddButton(button.id, text.caption, icons_[icon++].get(), text.rest);
    }
  };
  ribbon.RemoveAllCategories();
  fw::RibbonCategory& category = ribbon.AddCategory(fw::LoadStringResource(137), nullptr, nullptr);
  addButtons(category.AddPanel(fw::LoadStringResource(138), viewsPanelIcon_.get()), kViewButtons);

  fw::RibbonPanel& state = category.AddPanel(fw::LoadStringResource(145), statusPanelIcon_.get());
  state.AddIndicator(kIndicator, fw::LoadStringResource(32819), lamps[1].get());
  state.AddIndicator(kIndicator, fw::LoadStringResource(400), lamps[1].get());

  fw::RibbonPanel& comm = category.AddPanel(fw::LoadStringResource(275), statusPanelIcon_.get());
  addButtons(comm, kCommButtons);
  for (UINT id : {kClearMonitoring, kClearCheck}) {
    const fw::CaptionParts text = fw::SplitCaption(fw::LoadStringResource(id));
    comm.AddCheckBox(id, text.caption, text.rest);
  }
  addButtons(category.AddPanel(fw::LoadStringResource(151), viewsPanelIcon_.get()), kImportButtons);

  fw::RibbonPanel& language = category.AddPanel(fw::LoadStringResource(125), viewsPanelIcon_.get());
  language.AddIconButton(kChinese, icons_[icon++].get(),
                         fw::SplitCaption(fw::LoadStringResource(kChinese)).rest, true);
  language.AddIconButton(kEnglish, icons_[icon++].get(),
                         fw::SplitCaption(fw::LoadStringResource(kEnglish)).rest, false);
  ribbon.RecalcLayout();
}

void TestFrame::SwitchLanguage(bool toChinese) {
  chinese = toChinese;
  fw::ResourceModule::SetCurrent(toChinese ? nullptr : english);
  BuildRibbon();
}

bool TestFrame::ExecuteCommand(UINT id) {
  const auto state = QueryCommand(id);
  if (!state) return false;
  if (!state->enabled) return true;  // the frame's table refuses a disabled command too
  Record(id);
  if (id == kClearMonitoring) clearMonitoring = !clearMonitoring;
  if (id == kClearCheck) clearCheck = !clearCheck;
  if (id == kChinese || id == kEnglish) SwitchLanguage(id == kChinese);
  return true;
}

std::optional<fw::CommandState> TestFrame::QueryCommand(UINT id) const {
  const bool idlePort = devicePresent && !portOpen;
  switch (id) {
    case kStart: return fw::CommandState{devicePresent && !downloading};
    case kStop: return fw::CommandState{devicePresent && downloading};
    case kClearDevice: return fw::CommandState{idlePort};
    case kClearMonitoring: return fw::CommandState{idlePort, clearMonitoring};
    case kClearCheck: return fw::CommandState{idlePort, clearCheck};
    case kBack: return fw::CommandState{canGoBack};
    case kForward: return fw::CommandState{false};
    case kImportCheck:
    case kImportMonitor: return fw::CommandState{!portOpen};
    case kChinese: return fw::CommandState{!chinese, chinese};
    case kEnglish: return fw::CommandState{chinese, !chinese};
    case kShowCheckList:
    case kShowTrend:
    case kShowMonitorList:
    case kHome:
    case kIndicator: return fw::CommandState{true};
    default: return std::nullopt;
  }
}

bool TestFrame::OnCommand(UINT id, UINT code, HWND control) {
  if (control == nullptr) received.push_back(id);
  return FrameWindow::OnCommand(id, code, control);
}

LRESULT TestFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: {
      // As the program's frame: the close box closes, the caption does not drag.
      const LRESULT caption = ribbon.HitTestCaption(
          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (caption == HTCLOSE) return HTCLOSE;
      const LRESULT hit = caption == HTCAPTION ? HTCAPTION : Default();
      return hit == HTCAPTION ? HTCLIENT : hit;
    }
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCLOSE) ++closePresses;
      return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDBLCLK: return 0;
    default: return FrameWindow::HandleMessage(message, wParam, lParam);
  }
}

fw::RibbonElement* FindById(const fw::RibbonBar& ribbon, UINT id) {
  const fw::RibbonCategory* category = ribbon.Category(0);
  for (std::size_t p = 0; category != nullptr && p < category->PanelCount(); ++p) {
    for (std::size_t e = 0; e < category->Panel(p)->ElementCount(); ++e) {
      fw::RibbonElement* element = category->Panel(p)->Element(e);
      if (element->id() == id) return element;
    }
  }
  return nullptr;
}

int ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

void ClickElement(const fw::RibbonBar& ribbon, UINT id) {
  const fw::RibbonCategory* category = ribbon.Category(0);
  for (std::size_t p = 0; category != nullptr && p < category->PanelCount(); ++p) {
    const fw::RibbonPanel& panel = *category->Panel(p);
    for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
      if (panel.Element(e)->id() != id) continue;
      const POINT at = Centre(panel.Element(e)->rect());
      if (!panel.collapsed()) return Click(ribbon, at);
      Click(ribbon, Centre(panel.rect()));
      const HWND popup = ribbon.PopupWindow();
      ::SendMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      ::SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      ::SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      ui_support::PumpMessagesFor(50);
      return;
    }
  }
}

POINT Centre(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Click(const fw::RibbonBar& ribbon, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  ::SendMessageW(ribbon.hwnd(), WM_MOUSEMOVE, 0, at);
  ::SendMessageW(ribbon.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(ribbon.hwnd(), WM_LBUTTONUP, 0, at);
  ui_support::PumpMessagesFor(50);
}

void HoverAt(HWND window, POINT point) {
  ::ClientToScreen(window, &point);
  ::SetCursorPos(point.x, point.y);
  ui_support::PumpMessagesFor(150);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH]{};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace ribbon_test
