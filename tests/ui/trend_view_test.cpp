// The trend view in the real main frame: the person's span and commands, the time bar, the
// narrow-window layout, the way to and from the monitoring list, and its pictures in both
// languages.

#include "tests/ui/ui_app_fixture.h"

#include <memory>

#include "data/data_files.h"
#include "data/patient_register.h"
#include "framework/gui_object_counter.h"
#include "res/resource.h"
#include "tests/framework/test_host.h"
#include "tests/ui_support/window_capture.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/form_fit.h"
#include "views/monitor_list_view.h"
#include "views/text_format.h"
#include "views/trend_view.h"

namespace wd::uitest {
namespace {

const PatientId kWardRoundOnly = PatientId::FromText("11010519491231002X");

class TrendViewTest : public UiAppTest {
 protected:
  // One person with `minutes` monitoring records of a generated, plausible day; their key.
  const PatientId* AddMonitoredPerson(int minutes, std::uint64_t seed = 11) {
    const sim::DataSet data = sim::GenerateDataSet({1, minutes, 0, seed});
    auto writer = Frame().Store().Write();
    RecordList& list = writer.FindOrCreateRecordList(data.monitoring[0].id);
    for (const VitalRecord& record : data.monitoring[0].records) writer.AppendRecord(list, record);
    return writer.FindStoreKey(data.monitoring[0].id);
  }

  CTrendView* Trend() { return dynamic_cast<CTrendView*>(Frame().CurrentViewWindow()); }

  CTrendView& OpenTrend(const PatientId* person) {
    Frame().ShowView(ViewCode::Trend, person);
    Pump(50);
    CTrendView* view = Trend();
    EXPECT_NE(view, nullptr);
    return *view;
  }

  // A trend view of its own in a host window, laid out for a client `clientWidth` wide beside
  // the vertical bar the charts' height brings.
  struct OwnView {
    fw_test::HostWindow host;
    std::unique_ptr<CTrendView> view;
  };
  std::unique_ptr<OwnView> OpenOwnView(const PatientId* person, int clientWidth) {
    auto own = std::make_unique<OwnView>();
    EXPECT_TRUE(own->host.Open(clientWidth + 200, 700, L"trend view test"));
    own->view = std::make_unique<CTrendView>(Frame());
    EXPECT_TRUE(own->view->Create(0, RECT{0, 0, clientWidth + 100, 600}, own->host.hwnd(),
                                  fw::kPaneFirstId, nullptr));
    const HWND window = own->view->hwnd();
    // Give the view its vertical bar, then size it so the client beside it is as wide as asked.
    ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) | WS_VSCROLL);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT outer{};
    ::GetWindowRect(window, &outer);
    const int frameWidth = (outer.right - outer.left) - own->view->ClientRect().right;
    ::MoveWindow(window, 0, 0, clientWidth + frameWidth, 600, TRUE);
    own->view->SetPerson(person);
    own->view->InitialUpdate();
    Pump(20);
    return own;
  }

  void TimeScroll(CTrendView& view, UINT code, int position = 0) {
    ::SendMessageW(view.hwnd(), WM_HSCROLL, MAKEWPARAM(code, position),
                   reinterpret_cast<LPARAM>(view.Charts().TimeBar()));
  }
  static int BarPosition(CTrendView& view) {
    return ::GetScrollPos(view.Charts().TimeBar(), SB_CTL);
  }
  static void ExpectOffsets(CTrendView& view, int offset) {
    for (CTrendChart* chart : view.Charts().Charts()) EXPECT_EQ(chart->ScrollOffset(), offset);
  }
  bool Enabled(int id) { return ::IsWindowEnabled(ViewControl(id)) != FALSE; }

  // build/win/screens/trend/<name>.png of the frame.
  void TrendScreenshot(const std::wstring& name) {
    ::RedrawWindow(FrameWindow(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(50);
    const std::wstring path = (ScreensFolder(L"trend") / (name + L".png")).wstring();
    EXPECT_TRUE(ui_support::CaptureWindowToPng(FrameWindow(), path, true)) << "screenshot";
  }
};

TEST_F(TrendViewTest, ShowsThePersonsSpanAndChartsEveryMonitoringRecord) {
  StartApp();
  const PatientId known = PatientId::FromText("110105194912310021");
  {
    // A ward-round check first, then 1,000 minutes of monitoring from 24 June 2019, 9:05.
    auto writer = Frame().Store().Write();
    RecordList& list = writer.FindOrCreateRecordList(known);
    VitalRecord record{};
    record.kind = 1;
    record.year = 19;
    record.month = 6;
    record.day = 24;
    record.hour = 8;
    writer.AppendRecord(list, record);
    record.kind = 0;
    for (int minute = 9 * 60 + 5; minute < 9 * 60 + 5 + 1000; ++minute) {
      record.day = static_cast<std::uint8_t>(24 + minute / 1440);
      record.hour = static_cast<std::uint8_t>(minute / 60 % 24);
      record.minute = static_cast<std::uint8_t>(minute % 60);
      record.spo2 = 97;
      writer.AppendRecord(list, record);
    }
  }
  const PatientId* person = Frame().Store().Read().FindStoreKey(known);
  CTrendView& view = OpenTrend(person);
  EXPECT_EQ(view.RecordCount(), 1000);
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), L"110105194912310021");
  // A 4-digit year, month and day unpadded; hour and minute padded.
  EXPECT_EQ(ControlText(ViewControl(IDC_START_DATE)), L"2019-6-24");
  EXPECT_EQ(ControlText(ViewControl(IDC_START_TIME)), L"09:05");
  EXPECT_EQ(ControlText(ViewControl(IDC_END_DATE)), L"2019-6-25");
  EXPECT_EQ(ControlText(ViewControl(IDC_END_TIME)), L"01:44");
  for (int id : {IDC_SAVE_PATIENT, IDC_DELETE_PATIENT, IDC_EXPORT_MONITOR, IDC_SHOW_TABLE})
    EXPECT_TRUE(Enabled(id)) << id;
  for (CTrendChart* chart : view.Charts().Charts()) {
    EXPECT_EQ(chart->RecordCount(), 1000);
    EXPECT_TRUE(chart->HasPicture());
  }
  // Three charts 350 high every 380 pixels from the chart top, the time bar under them.
  const RECT spo2 = fw_test::ChildRect(view.Charts().Chart(0).hwnd());
  const RECT nibp = fw_test::ChildRect(view.Charts().Chart(2).hwnd());
  const RECT bar = fw_test::ChildRect(view.Charts().TimeBar());
  EXPECT_EQ(spo2.top, view.ChartTop());
  EXPECT_EQ(spo2.bottom - spo2.top, 350);
  EXPECT_EQ(nibp.top - spo2.top, 760);
  EXPECT_EQ(bar.top - spo2.top, 1115);
  EXPECT_EQ(spo2.left, 20);
  EXPECT_EQ(view.ClientRect().right - spo2.right, 20);
  EXPECT_EQ(view.TotalSize().cy, view.ChartTop() + 1140);
  EXPECT_EQ(view.TotalSize().cx,
            view.ClientRect().right);  // no horizontal bar for the vertical one
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(TrendViewTest, WithoutRecordsTheFormCannotExportAndTheBarIsHidden) {
  StartApp();
  {
    auto writer = Frame().Store().Write();
    VitalRecord spot{};
    spot.kind = 1;
    spot.year = 19;
    spot.month = 6;
    spot.day = 24;
    writer.AppendRecord(writer.FindOrCreateRecordList(kWardRoundOnly), spot);
  }
  const PatientId* wardRoundOnly = Frame().Store().Read().FindStoreKey(kWardRoundOnly);
  CTrendView& view = OpenTrend(wardRoundOnly);
  EXPECT_EQ(view.RecordCount(), 0);
  for (int id : {IDC_START_DATE, IDC_START_TIME, IDC_END_DATE, IDC_END_TIME}) {
    EXPECT_EQ(ControlText(ViewControl(id)), L"") << id;
  }
  EXPECT_TRUE(Enabled(IDC_SAVE_PATIENT));
  EXPECT_FALSE(Enabled(IDC_EXPORT_MONITOR));
  EXPECT_FALSE(::IsWindowVisible(view.Charts().TimeBar()));

  // No person at all: nothing to save, delete or export, but the table can still be asked for.
  CTrendView& empty = OpenTrend(nullptr);
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), L"");
  for (int id : {IDC_SAVE_PATIENT, IDC_DELETE_PATIENT, IDC_EXPORT_MONITOR})
    EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(IDC_SHOW_TABLE));
  EXPECT_FALSE(::IsWindowVisible(empty.Charts().TimeBar()));
  for (CTrendChart* chart : empty.Charts().Charts()) EXPECT_TRUE(chart->HasPicture());  // grid only
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(TrendViewTest, TimeBarMovesTheChartsAnHourAStepAndIgnoresDragging) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(1000);
  auto own = OpenOwnView(person, 940);
  CTrendView& view = *own->view;
  ASSERT_EQ(fw_test::ChildRect(view.Charts().Chart(0).hwnd()).right - 20, 900);
  // (1000 + 100 - 900) / 60 + 1 = 4.33: the bar runs 0 ... 4.
  int minimum = -1;
  int maximum = -1;
  ::GetScrollRange(view.Charts().TimeBar(), SB_CTL, &minimum, &maximum);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 4);
  EXPECT_TRUE(::IsWindowVisible(view.Charts().TimeBar()));
  EXPECT_EQ(BarPosition(view), 0);

  TimeScroll(view, SB_LINELEFT);
  EXPECT_EQ(BarPosition(view), 0);
  TimeScroll(view, SB_LINERIGHT);
  TimeScroll(view, SB_PAGERIGHT);
  EXPECT_EQ(BarPosition(view), 2);
  ExpectOffsets(view, 120);
  TimeScroll(view, SB_THUMBTRACK, 4);  // dragging shows nothing new
  EXPECT_EQ(BarPosition(view), 2);
  ExpectOffsets(view, 120);
  TimeScroll(view, SB_THUMBPOSITION, 4);  // releasing the thumb does
  ExpectOffsets(view, 240);
  TimeScroll(view, SB_PAGERIGHT);
  EXPECT_EQ(BarPosition(view), 4);
  TimeScroll(view, SB_PAGELEFT);
  ExpectOffsets(view, 180);
  TimeScroll(view, SB_ENDSCROLL);
  ExpectOffsets(view, 180);

  // The view's own bar is not the time bar: it leaves the charts where they are.
  ::SendMessageW(view.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
  ExpectOffsets(view, 180);

  // When every column fits, the bar goes: 700 records + 100 in charts 900 wide.
  const PatientId* shorter = AddMonitoredPerson(700, 12);
  auto fitting = OpenOwnView(shorter, 940);
  EXPECT_FALSE(::IsWindowVisible(fitting->view->Charts().TimeBar()));
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(TrendViewTest, NarrowViewFitsTheFormToItsWidth) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(100);
  // The template's own layout, in a view wide enough for it.
  auto wide = OpenOwnView(person, 2000);
  const int formWidth = wide->view->TotalSize().cx;
  ASSERT_LT(formWidth, 2000);

  const int narrowWidth = formWidth * 8 / 10;
  auto narrow = OpenOwnView(person, narrowWidth);
  const float scale = static_cast<float>(narrowWidth) / static_cast<float>(formWidth);
  const auto rectOf = [](CTrendView& view, int id) { return fw_test::ChildRect(view.Child(id)); };
  for (int id : {IDC_TREND_GROUP, IDC_ADVICE}) {
    const RECT was = rectOf(*wide->view, id);
    const RECT now = rectOf(*narrow->view, id);
    EXPECT_EQ(now.left, static_cast<int>(static_cast<float>(was.left) * scale)) << id;
    EXPECT_EQ(now.right - now.left,
              static_cast<int>(static_cast<float>(was.right - was.left) * scale))
        << id;
    EXPECT_EQ(now.top, was.top) << id;
  }
  const std::pair<int, int> labelled[] = {
      {IDC_NAME, IDC_NAME_LABEL},        {IDC_AGE, IDC_AGE_LABEL},
      {IDC_PATIENT_ID, IDC_ID_LABEL},    {IDC_HEIGHT, IDC_HEIGHT_LABEL},
      {IDC_WEIGHT, IDC_WEIGHT_LABEL},    {IDC_START_DATE, IDC_START_DATE_LABEL},
      {IDC_END_TIME, IDC_END_TIME_LABEL}};
  for (const auto& [edit, label] : labelled) {
    const RECT was = rectOf(*wide->view, edit);
    const RECT now = rectOf(*narrow->view, edit);
    EXPECT_EQ(now.left, rectOf(*narrow->view, label).right + 2) << edit;
    EXPECT_EQ(now.right - now.left, was.right - was.left) << edit;
  }
  EXPECT_EQ(rectOf(*narrow->view, IDC_HEIGHT_UNIT).left,
            rectOf(*narrow->view, IDC_HEIGHT).right + 5);
  EXPECT_EQ(rectOf(*narrow->view, IDC_WEIGHT_UNIT).left,
            rectOf(*narrow->view, IDC_WEIGHT).right + 5);
  const RECT saveWas = rectOf(*wide->view, IDC_SAVE_PATIENT);
  const RECT saveNow = rectOf(*narrow->view, IDC_SAVE_PATIENT);
  EXPECT_EQ(saveNow.left, static_cast<int>(static_cast<float>(saveWas.left) * scale));
  EXPECT_EQ(saveNow.right - saveNow.left, saveWas.right - saveWas.left);
  // The page is as wide as the client: the view needs no horizontal bar.
  EXPECT_EQ(narrow->view->TotalSize().cx, narrowWidth);
  EXPECT_EQ(fw_test::ChildRect(narrow->view->Charts().Chart(1).hwnd()).right, narrowWidth - 20);
}

TEST_F(TrendViewTest, OpensFromTheMonitoringListAndGoesBackToIt) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(300);
  Frame().ShowView(ViewCode::MonitoringList, person);
  Pump(50);
  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_SHOW_TREND, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ViewControl(IDC_SHOW_TREND)));
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Trend; }));
  ASSERT_NE(Trend(), nullptr);
  EXPECT_EQ(Trend()->Person(), *person);
  EXPECT_EQ(Trend()->RecordCount(), 300);

  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_SHOW_TABLE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ViewControl(IDC_SHOW_TABLE)));
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::MonitoringList; }));
  auto* list = dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Person(), *person);
  EXPECT_EQ(list->Rows().size(), 300u);

  // The ribbon's trend command takes the list's person too.
  Command(ID_SHOW_TREND);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Trend; }));
  EXPECT_EQ(Trend()->Person(), *person);
  // And the ribbon's list command the trend view's person.
  Command(ID_SHOW_MONITOR_LIST);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::MonitoringList; }));
  list = dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Person(), *person);
}

// Records imported out of time order: both views show the span by time, the same one.
TEST_F(TrendViewTest, ImportedOutOfOrderTheTrendAndTheListShowTheSameSpan) {
  StartApp();
  const PatientId id = PatientId::FromText("110105194912310021");
  {
    auto writer = Frame().Store().Write();
    RecordList& list = writer.FindOrCreateRecordList(id);
    for (auto [hour, minute] : {std::pair{10, 5}, {9, 59}, {23, 10}, {10, 0}}) {
      VitalRecord record{};
      record.year = 19;
      record.month = 6;
      record.day = hour == 23 ? 23 : 24;  // the 23:10 record is the day before
      record.hour = static_cast<std::uint8_t>(hour);
      record.minute = static_cast<std::uint8_t>(minute);
      writer.AppendRecord(list, record);
    }
  }
  const PatientId* person = Frame().Store().Read().FindStoreKey(id);
  auto span = [&] {
    return std::vector<std::wstring>{
        ControlText(ViewControl(IDC_START_DATE)), ControlText(ViewControl(IDC_START_TIME)),
        ControlText(ViewControl(IDC_END_DATE)), ControlText(ViewControl(IDC_END_TIME))};
  };
  const std::vector<std::wstring> expected{L"2019-6-23", L"23:10", L"2019-6-24", L"10:05"};
  OpenTrend(person);
  EXPECT_EQ(span(), expected);
  Frame().ShowView(ViewCode::MonitoringList, person);
  Pump(50);
  EXPECT_EQ(span(), expected);
}

TEST_F(TrendViewTest, SixtyFiveThousandRecordsOpenAndScrollToTheEnd) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(65536, 13);
  CTrendView& view = OpenTrend(person);
  EXPECT_EQ(view.RecordCount(), 65536);
  for (CTrendChart* chart : view.Charts().Charts()) EXPECT_TRUE(chart->HasPicture());
  int minimum = 0;
  int maximum = 0;
  ::GetScrollRange(view.Charts().TimeBar(), SB_CTL, &minimum, &maximum);
  const int chartWidth = view.ClientRect().right - 40;
  EXPECT_EQ(maximum, (65536 + 100 - chartWidth) / 60 + 1);
  // The last hours a step at a time, as the arrow button gives them, then past the end.
  TimeScroll(view, SB_THUMBPOSITION, maximum - 30);
  for (int step = 0; step < 40; ++step) TimeScroll(view, SB_LINERIGHT);
  EXPECT_EQ(BarPosition(view), maximum);
  ExpectOffsets(view, maximum * 60);
  view.ScrollToPosition(POINT{0, view.ChartTop() + 750});  // the NIBP chart on screen
  Pump(20);
  // The NIBP chart's last columns hold the curve's end: some pixel in the picture's rows
  // between the grid's right end and the white beyond is neither white nor grid.
  CTrendChart& nibp = view.Charts().Chart(2);
  const auto image = ui_support::CaptureWindow(nibp.hwnd());
  ASSERT_TRUE(image.has_value());
  const int lastColumn = 50 + 65535 - maximum * 60;
  int curvePixels = 0;
  int pastTheEnd = 0;
  for (int y = image->height - 290; y < image->height - 50; ++y) {
    const COLORREF c = image->At(lastColumn - 5, y);
    curvePixels += c != RGB(255, 255, 255) && c != 0xD5D5D5;
    pastTheEnd += image->At(lastColumn + 10, y) != RGB(255, 255, 255);
  }
  EXPECT_GT(curvePixels, 0);
  EXPECT_EQ(pastTheEnd, 0);  // the spare columns after the last record
  EXPECT_TRUE(Boxes().Seen().empty());
}

// The form itself is tested on the monitoring list; here only that the view hands it its
// commands.
TEST_F(TrendViewTest, FormCommandsReachTheRegisterAndTheExportFile) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(120);
  OpenTrend(person);
  const auto click = [&](int id) {
    ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(ViewControl(id)));
  };
  ::SetWindowTextW(ViewControl(IDC_NAME), L"王芳");
  ::SetWindowTextW(ViewControl(IDC_AGE), L"4a");
  click(IDC_SAVE_PATIENT);
  const std::optional<PatientInfo> saved = LookupInfo(Frame().RegisterFolder(), *person);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->Name(), u"王芳");
  EXPECT_EQ(saved->age, 4);  // like _wtoi: the digits before the first other character
  OpenTrend(person);
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"王芳");
  click(IDC_DELETE_PATIENT);
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"");
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), Widen(person->DisplayText()));

  const std::filesystem::path file = ProgramFolder() / L"export.mDat";
  Files().answers.push_back(file.wstring());
  click(IDC_EXPORT_MONITOR);
  ASSERT_EQ(Files().asked.size(), 1u);
  EXPECT_EQ(Files().asked[0].filter, L"Monitor Files (*.mDat)|*.mDat||");
  PatientStore reread;
  ASSERT_TRUE(ReadMonitorFile(reread, file));
  const RecordList* records = reread.Read().FindRecordList(*person);
  ASSERT_NE(records, nullptr);
  EXPECT_EQ(records->MonitoringCount(), 120u);
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(TrendViewTest, SwitchingToAndFromTheViewFreesWhatItDrew) {
  StartApp();
  const PatientId* person = AddMonitoredPerson(2000);
  Frame().ShowView(ViewCode::Home, nullptr);
  Pump(20);
  const long before = fw::GuiObjectCounter::LiveTotal();
  for (int cycle = 0; cycle < 20; ++cycle) {
    OpenTrend(person);
    Frame().ShowView(ViewCode::Home, nullptr);
    Pump(5);
  }
  EXPECT_EQ(fw::GuiObjectCounter::LiveTotal(), before);
}

TEST_F(TrendViewTest, ScreenshotsInBothLanguages) {
  for (const bool english : {false, true}) {
    StartApp({.englishLibrary = true, .languageKey = true, .language = english ? 0u : 1u});
    const PatientId* person = AddMonitoredPerson(1440, 21);
    PatientInfo info = PatientInfo::Blank(*person);
    info.SetName(english ? u"Li Wei" : u"李伟");
    info.sex = 0;
    info.age = 67;
    info.height = 172;
    info.weight = 70;
    info.SetAdvice(english ? u"Oxygen 2 L/min; NIBP every 15 minutes."
                           : u"吸氧2升/分;每15分钟测一次血压。");
    ASSERT_TRUE(SaveInfo(Frame().RegisterFolder(), info));
    CTrendView& view = OpenTrend(person);
    const std::wstring units = ControlText(ViewControl(IDC_UNITS));
    EXPECT_NE(units.find(english ? L"Temp. \u2103" : L"体温 \u2103"), std::wstring::npos);
    const std::wstring language = english ? L"en" : L"zh";
    TrendScreenshot(L"trend_" + language + L"_form");
    view.ScrollToPosition(POINT{0, view.ChartTop() - 10});
    TimeScroll(view, SB_THUMBPOSITION, 6);
    TrendScreenshot(L"trend_" + language + L"_spo2");
    view.ScrollToPosition(POINT{0, view.ChartTop() + 370});
    TrendScreenshot(L"trend_" + language + L"_pr");
    view.ScrollToPosition(POINT{0, view.TotalSize().cy});
    TrendScreenshot(L"trend_" + language + L"_nibp");
    EXPECT_TRUE(Boxes().Seen().empty());
    CloseApp();
    TearDown();
  }
}

}  // namespace
}  // namespace wd::uitest
