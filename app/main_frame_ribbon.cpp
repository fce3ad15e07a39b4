// The ribbon's content: one category of five panels, built at creation and again after every
// language switch, so every caption comes from the resources current at that moment. Icons
// always come from the program itself.

#include "app/main_frame.h"
#include "framework/ribbon/caption_text.h"
#include "framework/ribbon/icon_image.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {
namespace {

constexpr UINT kRibbonId = 59398;
constexpr SIZE kApplicationButtonSize{50, 50};
constexpr int kNavigationPanelImage = 7;
constexpr int kStatusPanelImage = 27;

// A command's string holds "caption\ntooltip"; without a line break it is both.
fw::CaptionParts TextOf(UINT id) {
  fw::CaptionParts parts = fw::SplitCaption(fw::LoadStringResource(id));
  if (parts.rest.empty()) parts.rest = parts.caption;
  return parts;
}

}  // namespace

void CMainFrame::LoadIcons() {
  // Every icon the frame loads, by its slot in icons_ and its resource.
  struct IconEntry {
    IconSlot slot;
    UINT resource;
  };
  static constexpr IconEntry kIcons[] = {
      {kHomeIcon, IDI_SHOW_HOME},
      {kBackIcon, IDI_HISTORY_BACK},
      {kForwardIcon, IDI_HISTORY_FORWARD},
      {kMonitorListIcon, IDI_SHOW_MONITOR_LIST},
      {kTrendIcon, IDI_SHOW_TREND},
      {kCheckListIcon, IDI_SHOW_CHECK_LIST},
      {kStartIcon, IDI_START_COMM},
      {kStopIcon, IDI_STOP_COMM},
      {kClearIcon, IDI_CLEAR_DEVICE},
      {kImportMonitorIcon, IDI_IMPORT_MONITOR},
      {kImportCheckIcon, IDI_IMPORT_CHECK},
      {kChineseIcon, IDI_LANGUAGE_CHINESE},
      {kEnglishIcon, IDI_LANGUAGE_ENGLISH},
      {kLampOnIcon, IDI_LAMP_ON},
      {kLampOffIcon, IDI_LAMP_OFF},
      {kReportIcon, IDI_SHOW_REPORT},
      {kArchiveIcon, IDI_SHOW_ARCHIVE},
      // Loaded with the others, as the program always has; the ribbon shows none of them.
      {kSettingsIcon, IDI_SETTINGS},
      {kSaveIcon, IDI_SAVE},
      {kPlugOnIcon, IDI_PLUG_CONNECTED},
      {kPlugOffIcon, IDI_PLUG_DISCONNECTED},
      {kInfoIcon, IDI_INFO},
      {kDownloadIcon, IDI_DOWNLOAD},
      {kAlertIcon, IDI_ALERT},
  };
  const int size = ::GetSystemMetrics(SM_CXICON);
  for (const IconEntry& icon : kIcons)
    icons_[icon.slot] = fw::LoadProgramIcon(icon.resource, size, size);
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
  connectionIndicator_ = loadIndicator_ = nullptr;  // they went with the category
  fw::RibbonCategory& category = ribbon_.AddCategory(
      fw::LoadStringResource(IDS_CATEGORY_OPERATIONS), smallImages_.get(), largeImages_.get());
  // Key tips (Alt, then the panel's letter, then the command's): unique among the panels and
  // within each panel, the same in both languages, as Office keeps them on translated ribbons.
  auto button = [this](fw::RibbonPanel& panel, UINT id, IconSlot icon, wchar_t keyTip) {
    const fw::CaptionParts text = TextOf(id);
    panel.AddButton(id, text.caption, icons_[icon].get(), text.rest).SetKeyTip(keyTip);
  };
  auto checkBox = [](fw::RibbonPanel& panel, UINT id, wchar_t keyTip) {
    const fw::CaptionParts text = TextOf(id);
    panel.AddCheckBox(id, text.caption, text.rest).SetKeyTip(keyTip);
  };

  fw::RibbonPanel& views =
      category.AddPanel(fw::LoadStringResource(IDS_PANEL_VIEWS), panelIcons_[0].get());
  views.SetKeyTip(L'V');
  button(views, ID_HISTORY_BACK, kBackIcon, L'B');
  button(views, ID_HISTORY_FORWARD, kForwardIcon, L'F');
  button(views, ID_SHOW_HOME, kHomeIcon, L'H');
  button(views, ID_SHOW_CHECK_LIST, kCheckListIcon, L'W');
  button(views, ID_SHOW_MONITOR_LIST, kMonitorListIcon, L'M');
  button(views, ID_SHOW_TREND, kTrendIcon, L'T');
  button(views, ID_SHOW_REPORT, kReportIcon, L'R');
  button(views, ID_SHOW_ARCHIVE, kArchiveIcon, L'A');

  fw::RibbonPanel& status =
      category.AddPanel(fw::LoadStringResource(IDS_PANEL_STATUS), panelIcons_[1].get());
  const auto indicator = [&](UINT text) {
    const fw::CaptionParts parts = TextOf(text);
    return &status.AddIndicator(ID_STATUS_INDICATOR, parts.caption, icons_[kLampOffIcon].get(),
                                parts.rest);
  };
  connectionIndicator_ = indicator(IDS_CONNECTION_INDICATOR);
  loadIndicator_ = indicator(IDS_LOAD_INDICATOR);

  // Its key tip "D" comes with its caption.
  fw::RibbonPanel& comm =
      category.AddPanel(fw::LoadStringResource(IDS_PANEL_COMM), panelIcons_[1].get());
  button(comm, ID_START_COMM, kStartIcon, L'S');
  button(comm, ID_STOP_COMM, kStopIcon, L'T');
  button(comm, ID_CLEAR_DEVICE, kClearIcon, L'E');
  checkBox(comm, ID_CLEAR_MONITOR_CHOICE, L'M');
  checkBox(comm, ID_CLEAR_CHECK_CHOICE, L'W');

  fw::RibbonPanel& import =
      category.AddPanel(fw::LoadStringResource(IDS_IMPORT), panelIcons_[0].get());
  import.SetKeyTip(L'I');
  button(import, ID_IMPORT_CHECK, kImportCheckIcon, L'W');
  button(import, ID_IMPORT_MONITOR, kImportMonitorIcon, L'M');

  fw::RibbonPanel& language =
      category.AddPanel(fw::LoadStringResource(IDS_PANEL_LANGUAGE), panelIcons_[0].get());
  language.SetKeyTip(L'L');
  language
      .AddIconButton(ID_LANGUAGE_CHINESE, icons_[kChineseIcon].get(),
                     TextOf(ID_LANGUAGE_CHINESE).rest, true)
      .SetKeyTip(L'C');
  language
      .AddIconButton(ID_LANGUAGE_ENGLISH, icons_[kEnglishIcon].get(),
                     TextOf(ID_LANGUAGE_ENGLISH).rest, false)
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
  if (connectionIndicator_ != nullptr)
    connectionIndicator_->SetIcon(icons_[connected ? kLampOnIcon : kLampOffIcon].get());
}

void CMainFrame::SetLoadIndicator(bool loaded) {
  dataLoaded_ = loaded;
  if (loadIndicator_ != nullptr)
    loadIndicator_->SetIcon(icons_[loaded ? kLampOnIcon : kLampOffIcon].get());
}

void CMainFrame::RefreshRibbon() {
  if (ribbon_.hwnd() != nullptr) ribbon_.RefreshCommandStates();
}

}  // namespace wd
