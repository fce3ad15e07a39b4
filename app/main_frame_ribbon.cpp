// The ribbon's content: one category of five panels, built at creation and again after every
// language switch, so every caption comes from the resources current at that moment. Icons
// always come from the program itself.

#include "app/main_frame.h"
#include "framework/ribbon/icon_image.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {
namespace {

constexpr UINT kRibbonId = 59398;
constexpr SIZE kApplicationButtonSize{50, 50};
constexpr int kNavigationPanelImage = 7;
constexpr int kStatusPanelImage = 27;

// The icons the frame loads, in its own order: the ribbon's command icons, then the others.
enum IconSlot : std::size_t {
  kHomeIcon, kBackIcon, kForwardIcon, kMonitorListIcon, kTrendIcon, kCheckListIcon, kStopIcon,
  kClearIcon, kImportMonitorIcon, kImportCheckIcon, kSettingsIcon, kChineseIcon, kEnglishIcon,
  kSaveIcon, kPlugOnIcon, kStartIcon, kPlugOffIcon, kInfoIcon, kLampOnIcon, kLampOffIcon,
  kDownloadIcon, kAlertIcon,
};
constexpr UINT kIconIds[] = {
    IDI_SHOW_HOME, IDI_HISTORY_BACK, IDI_HISTORY_FORWARD, IDI_SHOW_MONITOR_LIST, IDI_SHOW_TREND,
    IDI_SHOW_CHECK_LIST, IDI_STOP_COMM, IDI_CLEAR_DEVICE, IDI_IMPORT_MONITOR, IDI_IMPORT_CHECK,
    IDI_SETTINGS, IDI_LANGUAGE_CHINESE, IDI_LANGUAGE_ENGLISH, IDI_SAVE, IDI_PLUG_CONNECTED,
    IDI_START_COMM, IDI_PLUG_DISCONNECTED, IDI_INFO, IDI_LAMP_ON, IDI_LAMP_OFF, IDI_DOWNLOAD,
    IDI_ALERT,
};
static_assert(std::size(kIconIds) == 22);

// A command's string holds "caption\ntooltip".
struct CommandText {
  std::wstring caption;
  std::wstring tooltip;
};
CommandText TextOf(UINT id) {
  const std::wstring text = fw::LoadStringResource(id);
  const std::size_t split = text.find(L'\n');
  if (split == std::wstring::npos) return {text, text};
  return {text.substr(0, split), text.substr(split + 1)};
}

}  // namespace

void CMainFrame::LoadIcons() {
  const int size = ::GetSystemMetrics(SM_CXICON);
  for (std::size_t i = 0; i < icons_.size(); ++i) icons_[i] = fw::LoadProgramIcon(kIconIds[i], size, size);
  const fw::Bitmap strip = fw::LoadBitmapResource(IDB_PANEL_IMAGES);
  panelIcons_[0] = fw::IconFromStrip(strip.get(), kNavigationPanelImage, 16);
  panelIcons_[1] = fw::IconFromStrip(strip.get(), kStatusPanelImage, 16);
  smallImages_ = fw::LoadBitmapResource(IDB_RIBBON_SMALL);
  largeImages_ = fw::LoadBitmapResource(IDB_RIBBON_LARGE);
  applicationImage_ = fw::LoadBitmapResource(IDB_APP_BUTTON);
}

void CMainFrame::BuildRibbon() {
  ribbon_.Create(*this, kRibbonId);
  ribbon_.SetCaption(fw::LoadStringResource(IDS_APP_TITLE));
  ribbon_.SetApplicationButton(applicationImage_.get(), L"PM7700Q", kApplicationButtonSize);
  BuildCategory();
}

void CMainFrame::BuildCategory() {
  ribbon_.RemoveAllCategories();
  fw::RibbonCategory& category = ribbon_.AddCategory(fw::LoadStringResource(IDS_CATEGORY_OPERATIONS),
                                                     smallImages_.get(), largeImages_.get());
  // Key tips (Alt, then the panel's letter, then the command's): unique among the panels and
  // within each panel, the same in both languages, as Office keeps them on translated ribbons.
  auto button = [this](fw::RibbonPanel& panel, UINT id, IconSlot icon, wchar_t keyTip) {
    const CommandText text = TextOf(id);
    panel.AddButton(id, text.caption, icons_[icon].get(), text.tooltip).SetKeyTip(keyTip);
  };
  auto checkBox = [](fw::RibbonPanel& panel, UINT id, wchar_t keyTip) {
    const CommandText text = TextOf(id);
    panel.AddCheckBox(id, text.caption, text.tooltip).SetKeyTip(keyTip);
  };

  fw::RibbonPanel& views = category.AddPanel(fw::LoadStringResource(IDS_PANEL_VIEWS), panelIcons_[0].get());
  views.SetKeyTip(L'V');
  button(views, ID_HISTORY_BACK, kBackIcon, L'B');
  button(views, ID_HISTORY_FORWARD, kForwardIcon, L'F');
  button(views, ID_SHOW_HOME, kHomeIcon, L'H');
  button(views, ID_SHOW_CHECK_LIST, kCheckListIcon, L'W');
  button(views, ID_SHOW_MONITOR_LIST, kMonitorListIcon, L'M');
  button(views, ID_SHOW_TREND, kTrendIcon, L'T');

  fw::RibbonPanel& status = category.AddPanel(fw::LoadStringResource(IDS_PANEL_STATUS), panelIcons_[1].get());
  for (UINT text : {IDS_CONNECTION_INDICATOR, IDS_LOAD_INDICATOR}) {
    const CommandText indicator = TextOf(text);
    status.AddIndicator(ID_STATUS_INDICATOR, indicator.caption, icons_[kLampOffIcon].get(), indicator.tooltip);
  }

  // Its key tip "D" comes with its caption.
  fw::RibbonPanel& comm = category.AddPanel(fw::LoadStringResource(IDS_PANEL_COMM), panelIcons_[1].get());
  button(comm, ID_START_COMM, kStartIcon, L'S');
  button(comm, ID_STOP_COMM, kStopIcon, L'T');
  button(comm, ID_CLEAR_DEVICE, kClearIcon, L'E');
  checkBox(comm, ID_CLEAR_MONITOR_CHOICE, L'M');
  checkBox(comm, ID_CLEAR_CHECK_CHOICE, L'W');

  fw::RibbonPanel& import = category.AddPanel(fw::LoadStringResource(IDS_IMPORT), panelIcons_[0].get());
  import.SetKeyTip(L'I');
  button(import, ID_IMPORT_CHECK, kImportCheckIcon, L'W');
  button(import, ID_IMPORT_MONITOR, kImportMonitorIcon, L'M');

  fw::RibbonPanel& language = category.AddPanel(fw::LoadStringResource(IDS_PANEL_LANGUAGE), panelIcons_[0].get());
  language.SetKeyTip(L'L');
  language.AddIconButton(ID_LANGUAGE_CHINESE, icons_[kChineseIcon].get(), TextOf(ID_LANGUAGE_CHINESE).tooltip, true)
      .SetKeyTip(L'C');
  language.AddIconButton(ID_LANGUAGE_ENGLISH, icons_[kEnglishIcon].get(), TextOf(ID_LANGUAGE_ENGLISH).tooltip, false)
      .SetKeyTip(L'E');

  ribbon_.RecalcLayout();
  ShowIndicators();
  RefreshRibbon();
}

// The indicators show the frame's state: a rebuild (language switch) must not make them claim
// "not connected" or "no data" until the next poll.
void CMainFrame::ShowIndicators() {
  SetConnectionIndicator(devicePresent_);
  SetLoadIndicator(dataLoaded_);
}

void CMainFrame::SetConnectionIndicator(bool connected) {
  if (fw::RibbonElement* element = ribbon_.FindElement(0, 1, 0)) {
    element->SetIcon(icons_[connected ? kLampOnIcon : kLampOffIcon].get());
  }
}

void CMainFrame::SetLoadIndicator(bool loaded) {
  dataLoaded_ = loaded;
  if (fw::RibbonElement* element = ribbon_.FindElement(0, 1, 1)) {
    element->SetIcon(icons_[loaded ? kLampOnIcon : kLampOffIcon].get());
  }
}

void CMainFrame::RefreshRibbon() {
  if (ribbon_.hwnd() != nullptr) ribbon_.RefreshCommandStates();
}

}  // namespace wd
