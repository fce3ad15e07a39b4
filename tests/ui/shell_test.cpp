// The window program as a user meets it: start-up, the monitor's presence, downloads with
// their progress and failures, the view history, the two languages and closing.

#include "tests/ui/ui_app_fixture.h"

#include <commctrl.h>

#include "data/data_files.h"
#include "framework/resource_module.h"
#include "framework/ribbon/icon_image.h"
#include "res/resource.h"
#include "tests/ui/ui_app_fixture.h"
#include "tests/ui_support/window_capture.h"
#include "wd_version.h"
#include "views/child_view.h"
#include "views/main_view.h"
#include "views/text_format.h"

#include <map>
#include <set>

namespace wd::uitest {
namespace {

// The indicator shows the lamp that is on (314) or off (315).
bool IndicatorShows(CMainFrame& frame, int element, UINT icon) {
  fw::RibbonElement* indicator = frame.Ribbon().FindElement(0, 1, element);
  if (indicator == nullptr) return false;
  const fw::Icon expected = fw::LoadProgramIcon(icon, 32, 32);
  return indicator->image().pixels() == fw::IconImage::FromIcon(expected.get(), 32).pixels();
}

bool Enabled(CMainFrame& frame, UINT id) { return frame.QueryCommandState(id).enabled; }

// The records monitor-sim serves with these options, read from its own export.
struct ServedData {
  std::size_t persons = 0;
  std::size_t monitoring = 0;
  std::size_t wardRound = 0;
  PatientStore store;
};

// Spot checks served in a minute that the same person's monitoring already holds (the download
// must drop them), and how the downloaded store treated them and all the others.
struct PlantedDuplicates {
  std::size_t planted = 0;
  std::size_t plantedStored = 0;
  std::size_t othersMissing = 0;
};

PlantedDuplicates CheckWardRounds(ServedData& served, PatientStore& downloaded) {
  PlantedDuplicates result;
  auto got = downloaded.Read();
  for (const auto& entry : served.store.Read().entries()) {
    std::set<std::uint64_t> monitored;
    std::set<VitalRecord::Bytes> stored;
    for (const VitalRecord& record : entry.records) {
      if (record.IsMonitoring()) monitored.insert(record.MinuteKey());
    }
    if (const RecordList* list = got.FindRecordList(entry.key)) {
      for (const VitalRecord& record : *list) {
        if (!record.IsMonitoring()) stored.insert(record.ToBytes());
      }
    }
    for (const VitalRecord& record : entry.records) {
      if (record.IsMonitoring()) continue;
      const bool isStored = stored.contains(record.ToBytes());
      if (monitored.contains(record.MinuteKey())) {
        ++result.planted;
        result.plantedStored += isStored;
      } else {
        result.othersMissing += !isStored;
      }
    }
  }
  return result;
}

class ShellTest : public UiAppTest {
 protected:
  // What a download should bring: the simulator's export of the same data set.
  void ExpectServed(const std::wstring& options, ServedData& served) {
    const auto folder = ScreensFolder(L"ui") / L"served";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::wstring slashed = UnixPath(folder);
    ASSERT_EQ(RunUnixCommand(std::wstring(WD_NATIVE_MONITOR_SIM) + L" " + options + L" --export '" +
                             slashed + L"'"),
              0);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == L".mDat") {
        ASSERT_TRUE(ReadMonitorFile(served.store, entry.path()));
      } else if (entry.path().extension() == L".cDat") {
        ASSERT_TRUE(ReadCheckFile(served.store, entry.path()));
      }
    }
    auto reader = served.store.Read();
    for (const auto& entry : reader.entries()) {
      const std::size_t monitoring = entry.records.MonitoringCount();
      served.persons += monitoring > 0;
      served.monitoring += monitoring;
      served.wardRound += entry.records.size() - monitoring;
    }
  }

  CChildView* Overview() { return dynamic_cast<CChildView*>(Frame().CurrentViewWindow()); }

  std::wstring ListCell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return text;
  }
};

TEST_F(ShellTest, StartsOnTheHomeViewWithBothIndicatorsOff) {
  StartApp();
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::Home);
  ASSERT_NE(dynamic_cast<CMainView*>(Frame().CurrentViewWindow()), nullptr);
  for (int id : {IDC_GET_MONITORING, IDC_GET_CHECK, IDC_VIEW_DATA, IDC_ABOUT, IDC_EXIT}) {
    EXPECT_TRUE(::IsWindowVisible(ViewControl(id))) << id;
  }
  EXPECT_FALSE(::IsWindowVisible(ViewControl(IDC_SETTINGS)));
  EXPECT_TRUE(IndicatorShows(Frame(), 0, IDI_LAMP_OFF));
  EXPECT_TRUE(IndicatorShows(Frame(), 1, IDI_LAMP_OFF));
  EXPECT_EQ(ControlText(ViewControl(IDC_GET_MONITORING)), L"获取监护数据");
  Screenshot(L"home_zh");
}

TEST_F(ShellTest, DevicePresenceDrivesTheConnectionIndicatorAndCommands) {
  StartApp();
  Pump(1200);
  for (UINT id : {ID_START_COMM, ID_CLEAR_DEVICE, ID_CLEAR_MONITOR_CHOICE, ID_CLEAR_CHECK_CHOICE}) {
    EXPECT_FALSE(Enabled(Frame(), id)) << id;
  }
  StartMonitor(L"--patients 1 --minutes 10 --ward-round 0");
  EXPECT_TRUE(WaitFor([&] { return Enabled(Frame(), ID_START_COMM); }, 10000));
  for (UINT id : {ID_START_COMM, ID_CLEAR_DEVICE, ID_CLEAR_MONITOR_CHOICE, ID_CLEAR_CHECK_CHOICE}) {
    EXPECT_TRUE(Enabled(Frame(), id)) << id;
  }
  EXPECT_FALSE(Enabled(Frame(), ID_STOP_COMM));
  EXPECT_TRUE(IndicatorShows(Frame(), 0, IDI_LAMP_ON));
  EXPECT_TRUE(Frame().QueryCommandState(ID_CLEAR_MONITOR_CHOICE).checked);

  StopMonitor();
  EXPECT_TRUE(WaitFor([&] { return !Enabled(Frame(), ID_START_COMM); }, 10000));
  EXPECT_TRUE(IndicatorShows(Frame(), 0, IDI_LAMP_OFF));
}

TEST_F(ShellTest, DownloadShowsProgressThenTheOverviewOfWhatWasServed) {
  const std::wstring data = L"--patients 3 --minutes 240 --ward-round 30 --seed 7";
  ServedData served;
  ExpectServed(data, served);
  StartApp();
  StartMonitor(data + L" --pace 115200");
  Command(IDC_GET_MONITORING);  // not a ribbon command: the home view has it
  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_GET_MONITORING, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ViewControl(IDC_GET_MONITORING)));
  ASSERT_TRUE(WaitFor([&] { return Frame().StatusBar().HasElement(ID_PANE_PROGRESS); }, 3000));
  EXPECT_TRUE(Frame().Download().threadRunning);
  // A second click while downloading starts nothing.
  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_GET_MONITORING, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ViewControl(IDC_GET_MONITORING)));
  EXPECT_TRUE(WaitFor([&] { return Frame().Download().monitoringTotal > 0; }, 3000));
  Screenshot(L"download_in_progress");
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 30000));
  EXPECT_FALSE(Frame().StatusBar().HasElement(ID_PANE_PROGRESS));
  EXPECT_TRUE(Boxes().Seen().empty());
  EXPECT_TRUE(IndicatorShows(Frame(), 1, IDI_LAMP_ON));
  EXPECT_EQ(Frame().StatusBar().PaneText(ID_PANE_STATUS_TEXT),
            L"总共" + std::to_wstring(served.monitoring) + L"帧监护数据,共有" +
                std::to_wstring(served.wardRound + 0) + L"帧查房数据");

  HWND list = Overview()->List();
  ASSERT_EQ(ListView_GetItemCount(list), static_cast<int>(served.persons));  // monitoring only
  std::map<std::wstring, std::size_t> minutesById;
  for (const auto& entry : served.store.Read().entries()) {
    if (const std::size_t minutes = entry.records.MonitoringCount(); minutes > 0) {
      minutesById[Widen(entry.key.DisplayText())] = minutes;
    }
  }
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    const auto served_ = minutesById.find(ListCell(list, row, 0));
    ASSERT_NE(served_, minutesById.end()) << row;
    EXPECT_EQ(ListCell(list, row, 1), L"共" + std::to_wstring(served_->second) + L" 分钟数据");
  }
  Screenshot(L"overview_zh");
}

TEST_F(ShellTest, BothKindsGiveTheWardRoundRowAndAClickOpensTheRightView) {
  const std::wstring data = L"--patients 2 --minutes 90 --ward-round 12 --seed 3";
  ServedData served;
  ExpectServed(data, served);
  StartApp();
  StartMonitor(data);
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 20000));
  HWND list = Overview()->List();
  const int rows = ListView_GetItemCount(list);
  ASSERT_EQ(rows, static_cast<int>(served.persons) + 1);
  EXPECT_EQ(ListCell(list, rows - 1, 0), L"查房数据");
  // The simulator plants a spot check in a monitored minute: the download drops exactly that
  // one and keeps every other spot check as served.
  std::size_t stored = 0;
  for (const auto& entry : Frame().Store().Read().entries())
    stored += entry.records.WardRoundCount();
  EXPECT_EQ(ListCell(list, rows - 1, 1), L"共" + std::to_wstring(stored) + L" 组数据");
  const PlantedDuplicates check = CheckWardRounds(served, Frame().Store());
  EXPECT_GE(check.planted, 1u) << "the data set plants no duplicate: the test checks nothing";
  EXPECT_EQ(check.plantedStored, 0u) << "a planted duplicate was stored";
  EXPECT_EQ(check.othersMissing, 0u) << "a spot check that is no duplicate is missing";
  EXPECT_EQ(stored, served.wardRound - check.planted);

  // The header is blue with white separators, and dragging a border with the mouse sizes nothing.
  const HWND header = ListView_GetHeader(list);
  ::RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT first{};
  ASSERT_TRUE(Header_GetItemRect(header, 0, &first));
  EXPECT_EQ(ui_support::ReadWindowPixel(header, first.left + 2, first.top + 2), RGB(0, 50, 183));
  EXPECT_EQ(ui_support::ReadWindowPixel(header, first.right - 1, (first.top + first.bottom) / 2),
            RGB(255, 255, 255));
  const int width = ListView_GetColumnWidth(list, 0);
  POINT border{first.right - 1, (first.top + first.bottom) / 2};
  ::ClientToScreen(header, &border);
  ::SetCursorPos(border.x, border.y);
  Pump(50);
  INPUT press[3] = {};
  for (INPUT& input : press) input.type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_MOVE;
  press[1].mi.dx = 80;
  press[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  for (INPUT& input : press) {
    ::SendInput(1, &input, sizeof(INPUT));
    Pump(50);
  }
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), width);

  // A click on a row posts the view code of that row.
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = CChildView::kListId;
  click.hdr.code = NM_CLICK;
  click.iItem = rows - 1;
  ::SendMessageW(Overview()->hwnd(), WM_NOTIFY, CChildView::kListId,
                 reinterpret_cast<LPARAM>(&click));
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::WardRoundList; }));
  Command(ID_HISTORY_BACK);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::DataOverview);
  click.iItem = 0;
  click.hdr.hwndFrom = Overview()->List();
  ::SendMessageW(Overview()->hwnd(), WM_NOTIFY, CChildView::kListId,
                 reinterpret_cast<LPARAM>(&click));
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::MonitoringList; }));
  EXPECT_NE(Frame().History().Current()->person, nullptr);
  // A click below the last row does nothing.
  Command(ID_HISTORY_BACK);
  click.iItem = -1;
  click.hdr.hwndFrom = Overview()->List();
  ::SendMessageW(Overview()->hwnd(), WM_NOTIFY, CChildView::kListId,
                 reinterpret_cast<LPARAM>(&click));
  Pump(200);
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::DataOverview);
}

TEST_F(ShellTest, DeviceFailuresTellTheUserAndLeaveThePortClosed) {
  StartApp();
  Command(ID_START_COMM);  // disabled without a device: nothing happens
  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_GET_CHECK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ViewControl(IDC_GET_CHECK)));
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_EQ(Boxes().Seen()[0].text, L"没有设备,无法获取数据!");
  EXPECT_FALSE(Frame().Download().Busy());

  StartMonitor(L"--patients 0 --minutes 0 --ward-round 0");
  Command(ID_START_COMM);
  ASSERT_TRUE(Boxes().WaitForCount(2, 10000));
  EXPECT_EQ(Boxes().Seen()[1].text, L"没有数据!");
  ASSERT_TRUE(WaitFor([&] { return !Frame().Download().Busy(); }));

  StartMonitor(L"--patients 1 --minutes 10 --fault no-reply@0,1,2");
  Command(ID_START_COMM);
  ASSERT_TRUE(Boxes().WaitForCount(3, 10000));
  EXPECT_EQ(Boxes().Seen()[2].text, L"通讯错误!");
  // The progress element goes when the frame takes the download's end, which the download
  // posts just before it stops being busy.
  ASSERT_TRUE(WaitFor([&] {
    return !Frame().Download().Busy() && !Frame().StatusBar().HasElement(ID_PANE_PROGRESS);
  }));
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::Home);  // an interrupted download stays put

  // Still usable: the next download works.
  StartMonitor(L"--patients 1 --minutes 10 --ward-round 0");
  Command(ID_START_COMM);
  EXPECT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 10000));
}

TEST_F(ShellTest, EraseAsksForAChoiceThenErasesOnlyTheChosenStore) {
  StartApp();
  AnswerBoxesWith(IDYES);  // the erase's question too
  StartMonitor(L"--patients 2 --minutes 30 --ward-round 6 --seed 9");
  ASSERT_TRUE(WaitFor([&] { return Enabled(Frame(), ID_CLEAR_DEVICE); }, 10000));
  Command(ID_CLEAR_MONITOR_CHOICE);
  Command(ID_CLEAR_CHECK_CHOICE);
  EXPECT_FALSE(Frame().QueryCommandState(ID_CLEAR_MONITOR_CHOICE).checked);
  EXPECT_FALSE(Frame().QueryCommandState(ID_CLEAR_CHECK_CHOICE).checked);
  Command(ID_CLEAR_DEVICE);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_EQ(Boxes().Seen()[0].text, L"请选择要删除的数据!");

  Command(ID_CLEAR_MONITOR_CHOICE);  // the monitoring store only
  Command(ID_CLEAR_DEVICE);
  ASSERT_TRUE(Boxes().WaitForCount(3, 10000));
  EXPECT_NE(Boxes().Seen()[1].text.find(L"监护数据 (60 条)"), std::wstring::npos)
      << Boxes().Seen()[1].text;
  EXPECT_EQ(Boxes().Seen()[1].text.find(L"查房数据"), std::wstring::npos) << Boxes().Seen()[1].text;
  EXPECT_EQ(Boxes().Seen()[2].text, L"成功删除");
  EXPECT_FALSE(Frame().Download().portOpen);

  // What is left on the monitor: ward rounds only.
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 20000));
  HWND list = Overview()->List();
  ASSERT_EQ(ListView_GetItemCount(list), 1);
  EXPECT_EQ(ListCell(list, 0, 0), L"查房数据");
  EXPECT_EQ(ListCell(list, 0, 1), L"共6 组数据");
  EXPECT_EQ(Boxes().Seen().size(), 3u);
}

TEST_F(ShellTest, HistoryBackTwiceThenANewViewDropsForward) {
  StartApp();
  Command(ID_SHOW_MONITOR_LIST);
  Command(ID_SHOW_TREND);
  EXPECT_TRUE(Enabled(Frame(), ID_HISTORY_BACK));
  EXPECT_FALSE(Enabled(Frame(), ID_HISTORY_FORWARD));
  Command(ID_HISTORY_BACK);
  Command(ID_HISTORY_BACK);
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::Home);
  EXPECT_TRUE(Enabled(Frame(), ID_HISTORY_FORWARD));
  EXPECT_FALSE(Enabled(Frame(), ID_HISTORY_BACK));
  Command(ID_SHOW_CHECK_LIST);
  ASSERT_EQ(Frame().History().entries().size(), 2u);
  EXPECT_EQ(Frame().History().entries()[0].view, ViewCode::Home);
  EXPECT_EQ(Frame().History().entries()[1].view, ViewCode::WardRoundList);
  EXPECT_FALSE(Enabled(Frame(), ID_HISTORY_FORWARD));
  // The view shown disables its own command; from the ward-round list with no row selected
  // the trend view opens with no person.
  EXPECT_FALSE(Enabled(Frame(), ID_SHOW_CHECK_LIST));
  Command(ID_SHOW_TREND);
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::Trend);
  EXPECT_EQ(Frame().History().Current()->person, nullptr);
}

TEST_F(ShellTest, EnglishAndBackWithTheLibraryAndTheRegistryValue) {
  StartApp({.englishLibrary = true, .languageKey = true, .language = 1});
  EXPECT_TRUE(Frame().QueryCommandState(ID_LANGUAGE_CHINESE).checked);
  EXPECT_FALSE(Enabled(Frame(), ID_LANGUAGE_CHINESE));
  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(
      WaitFor([&] { return ControlText(ViewControl(IDC_GET_MONITORING)) != L"获取监护数据"; }));
  EXPECT_EQ(Frame().Ribbon().FindElement(0, 2, 0)->caption(),
            fw::LoadStringResource(ID_START_COMM)
                .substr(0, fw::LoadStringResource(ID_START_COMM).find(L'\n')));
  EXPECT_FALSE(fw::ResourceModule::IsProgramCurrent());
  EXPECT_EQ(LanguageValue(), 0u);
  EXPECT_TRUE(Frame().QueryCommandState(ID_LANGUAGE_ENGLISH).checked);
  Screenshot(L"home_en");
  Command(ID_LANGUAGE_CHINESE);
  ASSERT_TRUE(
      WaitFor([&] { return ControlText(ViewControl(IDC_GET_MONITORING)) == L"获取监护数据"; }));
  EXPECT_TRUE(fw::ResourceModule::IsProgramCurrent());
  EXPECT_EQ(LanguageValue(), 1u);
}

TEST_F(ShellTest, AnEnglishDownloadShowsItsTotalsAndOverview) {
  StartApp({.englishLibrary = true, .languageKey = true, .language = 0u});
  StartMonitor(L"--patients 2 --minutes 600 --ward-round 12 --seed 5 --pace 115200");
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor([&] { return Frame().Download().monitoringTotal > 0; }, 5000));
  Pump(300);
  const std::wstring totals = Frame().StatusBar().PaneText(ID_PANE_STATUS_TEXT);
  EXPECT_EQ(totals.rfind(L"Monitoring: ", 0), 0u) << totals;
  Screenshot(L"download_in_progress_en");
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 30000));
  HWND list = Overview()->List();
  ASSERT_EQ(ListView_GetItemCount(list), 3);
  EXPECT_EQ(ListCell(list, 2, 0), L"Ward-round data");
  Screenshot(L"overview_en");
}

TEST_F(ShellTest, LanguageValueAtStart) {
  for (DWORD value : {0u, 2u}) {
    StartApp({.englishLibrary = true, .languageKey = true, .language = value});
    EXPECT_NE(ControlText(ViewControl(IDC_GET_MONITORING)), L"获取监护数据") << value;
    EXPECT_EQ(App().m_bChinese, 0);
    CloseApp();
    TearDown();
  }
  // The key absent: Chinese, and choosing English writes nothing.
  StartApp({.englishLibrary = true, .languageKey = false, .language = std::nullopt});
  EXPECT_EQ(ControlText(ViewControl(IDC_GET_MONITORING)), L"获取监护数据");
  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return !fw::ResourceModule::IsProgramCurrent(); }));
  HKEY key = nullptr;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\pulsora pro\\setup", 0, KEY_READ, &key),
            ERROR_SUCCESS);
}

TEST_F(ShellTest, WithoutTheLibraryChineseStaysButTheRibbonIsRebuilt) {
  StartApp({.englishLibrary = false, .languageKey = true, .language = 0});
  EXPECT_EQ(App().m_bChinese, 0);
  EXPECT_EQ(ControlText(ViewControl(IDC_GET_MONITORING)), L"获取监护数据");
  const fw::RibbonElement* before = Frame().Ribbon().FindElement(0, 2, 0);
  Command(ID_LANGUAGE_CHINESE);
  Command(ID_LANGUAGE_ENGLISH);
  Pump(300);
  EXPECT_NE(Frame().Ribbon().FindElement(0, 2, 0), before);  // elements made anew
  EXPECT_EQ(Frame().Ribbon().FindElement(0, 2, 0)->caption(), L"开始通讯");
  EXPECT_EQ(App().m_bChinese, 0);
  EXPECT_EQ(LanguageValue(), 0u);
}

TEST_F(ShellTest, ClosingDuringADownloadReturnsQuicklyAndEmptiesTheStoreAfterTheThread) {
  StartApp();
  StartMonitor(L"--patients 5 --minutes 3000 --ward-round 100 --pace 115200");
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor([&] { return Frame().Download().monitoringReceived > 200; }, 10000));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(CloseApp());
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(2));
  EXPECT_FALSE(Frame().Download().threadRunning);
  EXPECT_EQ(Frame().Store().Read().PatientCount(), 0u);
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(ShellTest, AboutBoxFromTheHomeViewInBothLanguages) {
  StartApp();
  StopAnsweringBoxes();
  auto openAbout = [&] {
    ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(ViewControl(IDC_ABOUT)));
  };
  bool frameEnabled = true;
  std::wstring version;
  EXPECT_TRUE(WithModalDialog(openAbout, L"关于Pulsora Pro", [&](HWND about) {
    frameEnabled = ::IsWindowEnabled(FrameWindow()) != FALSE;
    wchar_t text[64] = {};
    for (HWND child = ::GetWindow(about, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      ::GetWindowTextW(child, text, 64);
      if (std::wstring(text).find(L"" WD_VERSION_TEXT) != std::wstring::npos) version = text;
    }
    EXPECT_TRUE(ui_support::CaptureWindowToPng(
        about, (ScreensFolder(L"ui") / L"about_zh.png").wstring(), true));
  }));
  EXPECT_FALSE(frameEnabled);  // modal: the main window takes no input meanwhile
  EXPECT_EQ(version, L"版本 " WD_VERSION_TEXT);
  EXPECT_TRUE(::IsWindowEnabled(FrameWindow()));

  Command(ID_LANGUAGE_ENGLISH);
  Pump(300);
  // The About command of the application gives the same dialog, now from the English library.
  EXPECT_TRUE(
      WithModalDialog([&] { Command(ID_APP_ABOUT); }, L"About Pulsora Pro",
                      [&](HWND about) {
                        EXPECT_TRUE(ui_support::CaptureWindowToPng(
                            about, (ScreensFolder(L"ui") / L"about_en.png").wstring(), true));
                      }));
}

}  // namespace
}  // namespace wd::uitest
