// The program without a mouse: the keyboard lands in each view as it is shown, Tab and Enter
// work there, the ribbon's key tips (Alt or F10, then a panel's letter, then a command's) run
// every command in both languages, and dialogs open centred on the main window.
//
// Keys are posted to the focused window as the system queues them, so they take the program's
// own path: its message loop, the ribbon's key tips, then the view's dialog keys.

#include <cstdio>
#include <set>

#include "tests/ui/monitor_list_support.h"

#include "framework/modal_loop.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "tools/monitor-sim/data_generator.h"

namespace wd::uitest {
namespace {

using KeyTipLevel = fw::RibbonBar::KeyTipLevel;

class KeyboardTest : public UiAppTest {
 protected:
  // A key pressed and released, as the system posts it to the window with the focus. `alt`
  // gives the WM_SYS... messages that a key sends while Alt is down (and Alt itself sends).
  void Press(UINT key, bool alt = false) {
    HWND target = ::GetFocus() != nullptr ? ::GetFocus() : FrameWindow();
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = alt ? (1L << 29) : 0;
    ::PostMessageW(target, down, key, 1 | context);
    ::PostMessageW(target, up, key, 1 | context | (1L << 30) | (1L << 31));
    Pump(60);
  }
  void PressAlt() { Press(VK_MENU, true); }

  KeyTipLevel Level() { return Frame().Ribbon().keyTipLevel(); }
  std::wstring KeyTipPanelCaption() {
    const fw::RibbonPanel* panel = Frame().Ribbon().KeyTipPanel();
    return panel != nullptr ? panel->caption() : L"";
  }

  void AddPerson(const PatientId& id) {
    const sim::DataSet data = sim::GenerateDataSet({1, 60, 0, 4});
    AddRecords(Frame().Store(), id, data.monitoring[0].records);
    AddRecords(Frame().Store(), id, {RecordAt(RecordKind::WardRound, 8, 1)});
  }
};

const PatientId kPerson = IdOf("110105198703150024");

TEST_F(KeyboardTest, EveryViewTakesTheKeyboardOnItsFirstControl) {
  StartApp();
  AddPerson(kPerson);
  const PatientId* key = StoreKey(Frame().Store(), kPerson);
  ASSERT_TRUE(WaitFor([&] { return ::GetActiveWindow() == FrameWindow(); }));
  for (ViewCode code : {ViewCode::DataOverview, ViewCode::WardRoundList, ViewCode::MonitoringList,
                        ViewCode::Trend, ViewCode::Home}) {
    Frame().ShowView(code, key);
    Pump(50);
    const HWND view = ViewWindow();
    const HWND focus = ::GetFocus();
    ASSERT_TRUE(focus != nullptr && ::IsChild(view, focus)) << "view " << static_cast<int>(code);
    if (code != ViewCode::DataOverview) {
      EXPECT_EQ(focus, ::GetNextDlgTabItem(view, nullptr, FALSE))
          << "view " << static_cast<int>(code);
    }
  }

  // Home: Tab moves on through the form, and Enter presses the button with the focus.
  const HWND first = ::GetFocus();
  Press(VK_TAB);
  EXPECT_EQ(::GetFocus(), ::GetNextDlgTabItem(ViewWindow(), first, FALSE));
  ASSERT_NE(::GetFocus(), first);
  for (int tabs = 0; tabs < 10 && ::GetFocus() != ViewControl(IDC_VIEW_DATA); ++tabs) Press(VK_TAB);
  ASSERT_EQ(::GetFocus(), ViewControl(IDC_VIEW_DATA));
  Press(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }));
}

TEST_F(KeyboardTest, AltThenAPanelLetterThenACommandLetterRunsIt) {
  StartApp();
  AddPerson(kPerson);
  Frame().ShowView(ViewCode::WardRoundList, nullptr);
  ASSERT_EQ(Level(), KeyTipLevel::Off);

  PressAlt();
  ASSERT_EQ(Level(), KeyTipLevel::Panels);
  Screenshot(L"keytips_panels_zh");
  Press('V');
  ASSERT_EQ(Level(), KeyTipLevel::Elements);
  EXPECT_EQ(KeyTipPanelCaption(), L"界面切换");
  Screenshot(L"keytips_views_zh");
  Press('H');  // 主界面
  EXPECT_EQ(Level(), KeyTipLevel::Off);
  EXPECT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Home; }));

  // "数据通讯" brings its own letter with its caption.
  PressAlt();
  Press('D');
  EXPECT_EQ(KeyTipPanelCaption(), L"数据通讯");
  // Escape goes back a level, then leaves.
  Press(VK_ESCAPE);
  EXPECT_EQ(Level(), KeyTipLevel::Panels);
  Press(VK_ESCAPE);
  EXPECT_EQ(Level(), KeyTipLevel::Off);

  // F10 as well; a letter no panel has changes nothing.
  Press(VK_F10, true);
  EXPECT_EQ(Level(), KeyTipLevel::Panels);
  Press('Q');
  EXPECT_EQ(Level(), KeyTipLevel::Panels);
  Press(VK_F10, true);
  EXPECT_EQ(Level(), KeyTipLevel::Off);

  // Alt held with another key is a shortcut, not the key tips.
  HWND target = ::GetFocus();
  ::PostMessageW(target, WM_SYSKEYDOWN, VK_MENU, 1 | (1L << 29));
  ::PostMessageW(target, WM_SYSKEYDOWN, 'X', 1 | (1L << 29));
  ::PostMessageW(target, WM_SYSKEYUP, 'X', 1 | (1L << 29) | (1L << 30) | (1L << 31));
  ::PostMessageW(target, WM_SYSKEYUP, VK_MENU, 1 | (1L << 30) | (1L << 31));
  Pump(60);
  EXPECT_EQ(Level(), KeyTipLevel::Off);

  // A disabled command's letter does nothing: no device, so "开始通讯" stays off.
  PressAlt();
  Press('D');
  Press('S');
  EXPECT_EQ(Level(), KeyTipLevel::Elements);
  EXPECT_FALSE(Frame().Download().threadRunning);
  Press(VK_ESCAPE);
  Press(VK_ESCAPE);

  // The same letters in English, reached through the language panel by keyboard.
  PressAlt();
  Press('L');
  Press('E');
  ASSERT_TRUE(WaitFor([&] {
    return App().m_bChinese == 0 && Frame().Ribbon().FindElement(0, 0, 0) != nullptr &&
           Frame().Ribbon().FindElement(0, 0, 0)->caption() != L"后退";
  }));
  PressAlt();
  Press('V');
  EXPECT_EQ(KeyTipPanelCaption(), L"Views");
  Screenshot(L"keytips_views_en");
  Press('W');
  EXPECT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::WardRoundList; }));
  PressAlt();
  Press('L');
  Press('C');
  EXPECT_TRUE(WaitFor([&] { return App().m_bChinese == 1; }));
}

TEST_F(KeyboardTest, KeyTipsAreUniqueAmongPanelsAndWithinEachPanel) {
  StartApp();
  for (bool english : {false, true}) {
    if (english) {
      Command(ID_LANGUAGE_ENGLISH);
      ASSERT_TRUE(WaitFor([&] { return App().m_bChinese == 0; }));
      Pump(200);
    }
    const fw::RibbonCategory* category = Frame().Ribbon().Category(0);
    ASSERT_NE(category, nullptr);
    std::set<wchar_t> panelTips;
    for (std::size_t p = 0; p < category->PanelCount(); ++p) {
      const fw::RibbonPanel& panel = *category->Panel(p);
      std::set<wchar_t> elementTips;
      bool clickable = false;
      for (std::size_t e = 0; e < panel.ElementCount(); ++e) {
        const fw::RibbonElement& element = *panel.Element(e);
        if (!element.IsClickable()) continue;
        clickable = true;
        EXPECT_NE(element.keyTip(), 0) << "element " << element.id() << " has no key tip";
        EXPECT_TRUE(elementTips.insert(element.keyTip()).second) << "element " << element.id();
      }
      if (!clickable) continue;  // the indicators' panel
      EXPECT_NE(panel.keyTip(), 0) << "panel " << p;
      EXPECT_TRUE(panelTips.insert(panel.keyTip()).second) << "panel " << p;
    }
  }
}

TEST_F(KeyboardTest, DialogsAndMessageBoxesOpenCentredOnTheMainWindow) {
  StartApp();
  StopAnsweringBoxes();
  RECT frame{};
  ::GetWindowRect(FrameWindow(), &frame);
  auto centred = [&](HWND window) {
    RECT place{};
    ::GetWindowRect(window, &place);
    const LONG dx = (place.left + place.right) / 2 - (frame.left + frame.right) / 2;
    const LONG dy = (place.top + place.bottom) / 2 - (frame.top + frame.bottom) / 2;
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
  };
  bool aboutCentred = false;
  EXPECT_TRUE(WithModalDialog([&] { Command(ID_APP_ABOUT); }, L"关于Pulsora Pro",
                              [&](HWND about) { aboutCentred = centred(about); }));
  EXPECT_TRUE(aboutCentred);
  EXPECT_FALSE(fw::ModalLoop::Active()) << "the About box's loop is over";

  // A message box of the frame: importing a file that is no data file.
  ScratchFolder scratch;
  const std::filesystem::path junk = scratch / L"junk.mDat";
  {
    std::FILE* file = _wfopen(junk.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fputs("x", file);
    std::fclose(file);
  }
  Files().answers.push_back(junk.wstring());
  bool boxCentred = false;
  bool boxSeen = false;
  EXPECT_TRUE(WithModalDialog([&] { Command(ID_IMPORT_MONITOR); },
                              fw::LoadStringResource(IDS_APP_TITLE),
                              [&](HWND box) {
                                boxCentred = centred(box);
                                boxSeen = true;
                              }));
  EXPECT_TRUE(boxSeen);
  EXPECT_TRUE(boxCentred);
}

}  // namespace
}  // namespace wd::uitest
