// The monitoring list as a user meets it in the real main frame: rows, order, numbering and
// cells; the time span; the trend button; collapse and expand; export and re-import; the
// program's answer to a large list; and screenshots in both languages.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include "app/real_file_chooser.h"

#include "data/data_files.h"
#include "data/record_format.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "tests/ui_support/file_dialog_answer.h"
#include "tests/ui/monitor_list_support.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/monitor_list_view.h"
#include "views/text_format.h"

namespace wd::uitest {
namespace {

const PatientId kPerson = IdOf("110105198703150024");

class MonitorListTest : public UiAppTest {
 protected:
  CMonitorListView* View() { return dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow()); }
  HWND List() { return View() != nullptr ? View()->List() : nullptr; }

  void Open(const PatientId& id) {
    Frame().ShowView(ViewCode::MonitoringList, StoreKey(Frame().Store(), id));
    ASSERT_NE(View(), nullptr);
  }

  bool Visible(int id) { return ::IsWindowVisible(ViewControl(id)) != FALSE; }
  bool Enabled(int id) { return ::IsWindowEnabled(ViewControl(id)) != FALSE; }
};

TEST_F(MonitorListTest, MonitoringRowsOnlySortedByTimeNumberedWithTheirSpan) {
  StartApp();
  VitalRecord late = RecordAt(RecordKind::Monitoring, 10, 5);
  late.spo2 = 95;
  AddRecords(
      Frame().Store(), kPerson,
      {late, RecordAt(RecordKind::WardRound, 10, 1), RecordAt(RecordKind::Monitoring, 9, 59),
       RecordAt(RecordKind::Monitoring, 10, 0), RecordAt(static_cast<RecordKind>(2), 10, 2)});
  Open(kPerson);

  const auto cells = AllCells(List());
  ASSERT_EQ(cells.size(), 3u);
  const std::vector<std::wstring> times = {L"09:59", L"10:00", L"10:05"};
  for (std::size_t row = 0; row < cells.size(); ++row) {
    ASSERT_EQ(cells[row].size(), 13u);
    EXPECT_EQ(cells[row][0], std::to_wstring(row + 1));
    EXPECT_EQ(cells[row][1], L"2023-6-5");
    EXPECT_EQ(cells[row][2], times[row]);
    EXPECT_EQ(View()->Rows()[row]->minute, row == 0   ? 59
                                           : row == 1 ? 0
                                                      : 5);  // item data = the record
  }
  EXPECT_EQ(cells[2],
            (std::vector<std::wstring>{L"3", L"2023-6-5", L"10:05", L"95", L"72", L"2.5", L"120",
                                       L"80", L"93", L"36.8", L"38", L"1", L"16"}));
  EXPECT_EQ(ControlText(ViewControl(IDC_START_DATE)), L"2023-6-5");
  EXPECT_EQ(ControlText(ViewControl(IDC_START_TIME)), L"09:59");
  EXPECT_EQ(ControlText(ViewControl(IDC_END_DATE)), L"2023-6-5");
  EXPECT_EQ(ControlText(ViewControl(IDC_END_TIME)), L"10:05");
  EXPECT_TRUE(Enabled(IDC_EXPORT_MONITOR));
  EXPECT_TRUE(Enabled(IDC_SAVE_PATIENT));
  EXPECT_TRUE(Enabled(IDC_DELETE_PATIENT));

  // The columns as designed, in the list's own font.
  const std::vector<int> widths = {80, 120, 120, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
  for (int column = 0; column < 13; ++column)
    EXPECT_EQ(ListView_GetColumnWidth(List(), column), widths[column]) << column;
  EXPECT_EQ(HeaderTitle(List(), 0), L"序号");
  EXPECT_EQ(HeaderTitle(List(), 5), L"PI");
  EXPECT_EQ(HeaderTitle(List(), 9), L"体温");
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(List(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(::GetWindowLongPtrW(List(), GWL_STYLE) & LVS_OWNERDATA, LVS_OWNERDATA);
}

TEST_F(MonitorListTest, RecordsWithImpossibleTimesOpenAndSortAfterTheOthersInListOrder) {
  StartApp();
  VitalRecord badMonth = RecordAt(RecordKind::Monitoring, 7, 0);
  badMonth.month = 13;
  VitalRecord badHour = RecordAt(RecordKind::Monitoring, 25, 0);
  VitalRecord badMinute = RecordAt(RecordKind::Monitoring, 6, 60);
  AddRecords(Frame().Store(), kPerson,
             {badMonth, RecordAt(RecordKind::Monitoring, 8, 0), badHour,
              RecordAt(RecordKind::Monitoring, 7, 30), badMinute});
  Open(kPerson);
  const auto cells = AllCells(List());
  ASSERT_EQ(cells.size(), 5u);
  const std::vector<std::wstring> dates = {L"2023-6-5", L"2023-6-5", L"2023-13-5", L"2023-6-5",
                                           L"2023-6-5"};
  const std::vector<std::wstring> times = {L"07:30", L"08:00", L"07:00", L"25:00", L"06:60"};
  for (std::size_t row = 0; row < cells.size(); ++row) {
    EXPECT_EQ(cells[row][0], std::to_wstring(row + 1));
    EXPECT_EQ(cells[row][1], dates[row]) << row;
    EXPECT_EQ(cells[row][2], times[row]) << row;
  }
  // The span is that of the records with a real time, the same the trend view shows.
  EXPECT_EQ(ControlText(ViewControl(IDC_START_TIME)), L"07:30");
  EXPECT_EQ(ControlText(ViewControl(IDC_END_TIME)), L"08:00");
}

TEST_F(MonitorListTest, WithoutAPersonOrRecordsTheCommandsThatNeedThemAreOff) {
  StartApp();
  Frame().ShowView(ViewCode::MonitoringList, nullptr);
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(ListView_GetItemCount(List()), 0);
  for (int id : {IDC_SAVE_PATIENT, IDC_DELETE_PATIENT, IDC_EXPORT_MONITOR})
    EXPECT_FALSE(Enabled(id)) << id;
  for (int id : {IDC_START_DATE, IDC_START_TIME, IDC_END_DATE, IDC_END_TIME, IDC_PATIENT_ID}) {
    EXPECT_EQ(ControlText(ViewControl(id)), L"") << id;
  }
  Click(ViewWindow(), IDC_SAVE_PATIENT);  // a disabled button's command does nothing
  Click(ViewWindow(), IDC_EXPORT_MONITOR);
  EXPECT_TRUE(Files().asked.empty());
  EXPECT_TRUE(Boxes().Seen().empty());
  // The trend request then carries no person.
  Click(ViewWindow(), IDC_SHOW_TREND);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Trend; }));
  EXPECT_EQ(Frame().History().Current()->person, nullptr);

  // A person with ward-round records only: the form works, there is nothing to export.
  AddRecords(Frame().Store(), kPerson, {RecordAt(RecordKind::WardRound, 8, 0)});
  Open(kPerson);
  EXPECT_EQ(ListView_GetItemCount(List()), 0);
  EXPECT_TRUE(Enabled(IDC_SAVE_PATIENT));
  EXPECT_FALSE(Enabled(IDC_EXPORT_MONITOR));
  EXPECT_EQ(ControlText(ViewControl(IDC_START_DATE)), L"");
}

TEST_F(MonitorListTest, TrendButtonOpensTheTrendOfTheStoresOwnCopyOfThePerson) {
  StartApp();
  AddRecords(Frame().Store(), kPerson, {RecordAt(RecordKind::Monitoring, 8, 0)});
  Open(kPerson);
  Click(ViewWindow(), IDC_SHOW_TREND);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Trend; }));
  EXPECT_EQ(Frame().History().Current()->person, StoreKey(Frame().Store(), kPerson));
  // And the ribbon's list command from the trend view comes back to the same person.
  Command(ID_SHOW_MONITOR_LIST);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::MonitoringList);
  EXPECT_EQ(View()->Person(), kPerson);
  // The ribbon's trend command from the list takes the list's person too.
  Command(ID_SHOW_TREND);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::Trend);
  EXPECT_EQ(Frame().History().Current()->person, StoreKey(Frame().Store(), kPerson));
}

TEST_F(MonitorListTest, CollapseGivesTheListTheViewAndExpandRestoresEveryControl) {
  StartApp();
  AddRecords(Frame().Store(), kPerson, {RecordAt(RecordKind::Monitoring, 8, 0)});
  Open(kPerson);
  std::map<int, bool> shown;
  for (HWND child = ::GetWindow(ViewWindow(), GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    shown[::GetDlgCtrlID(child)] = ::IsWindowVisible(child) != FALSE;
  }
  EXPECT_TRUE(shown[IDC_COLLAPSE_FORM]);
  EXPECT_FALSE(shown[IDC_EXPAND_FORM]);
  RECT client = [&] {
    RECT r{};
    ::GetClientRect(ViewWindow(), &r);
    return r;
  }();
  EXPECT_GT(PlaceOf(List()).top, PlaceOf(ViewControl(IDC_COLLAPSE_FORM)).bottom);  // its design top

  const SIZE total = View()->TotalSize();
  Click(ViewWindow(), IDC_COLLAPSE_FORM);
  EXPECT_FALSE(::GetWindowLongPtrW(ViewWindow(), GWL_STYLE) &
               WS_VSCROLL);  // nothing below the list
  client = [&] {
    RECT r{};
    ::GetClientRect(ViewWindow(), &r);
    return r;
  }();
  for (const auto& [id, visible] : shown) {
    EXPECT_EQ(Visible(id), id == IDC_MONITOR_LIST || id == IDC_EXPAND_FORM) << id;
  }
  EXPECT_EQ(PlaceOf(List()).top, PlaceOf(ViewControl(IDC_EXPAND_FORM)).bottom + 5);
  EXPECT_EQ(PlaceOf(List()).bottom, client.bottom);
  EXPECT_EQ(PlaceOf(List()).right - PlaceOf(List()).left, client.right - client.left);
  EXPECT_EQ(::GetFocus(), ViewControl(IDC_EXPAND_FORM));
  ListScreenshot(FrameWindow(), L"monitor_list_collapsed_zh");

  Click(ViewWindow(), IDC_EXPAND_FORM);
  for (const auto& [id, visible] : shown) EXPECT_EQ(Visible(id), visible) << id;
  EXPECT_EQ(PlaceOf(List()).top, PlaceOf(ViewControl(IDC_COLLAPSE_FORM)).bottom + 5);
  EXPECT_EQ(::GetFocus(), ViewControl(IDC_COLLAPSE_FORM));
  EXPECT_EQ(View()->TotalSize().cy, total.cy);
}

TEST_F(MonitorListTest, ExportAsksWithItsOwnDialogAndReimportGivesTheSameList) {
  ScratchFolder scratch;
  const std::filesystem::path file = scratch / L"exported.mDat";
  const sim::DataSet data = sim::GenerateDataSet({2, 300, 0, 11});
  StartApp();
  for (const auto& patient : data.monitoring)
    AddRecords(Frame().Store(), patient.id, patient.records);
  AddRecords(Frame().Store(), data.monitoring[0].id, {RecordAt(RecordKind::WardRound, 8, 0)});
  Open(data.monitoring[0].id);
  const auto before = AllCells(List());
  ASSERT_EQ(before.size(), data.monitoring[0].records.size());

  Files().answers.push_back(file.wstring());
  Click(ViewWindow(), IDC_EXPORT_MONITOR);
  ASSERT_EQ(Files().asked.size(), 1u);
  const fw::FileDialogOptions& asked = Files().asked[0];
  EXPECT_EQ(asked.title, fw::LoadStringResource(IDS_EXPORT_TITLE));
  EXPECT_EQ(asked.filter, L"Monitor Files (*.mDat)|*.mDat||");
  EXPECT_EQ(asked.defaultExtension, L"mDat");
  EXPECT_TRUE(asked.initialName.ends_with(L".mDat")) << asked.initialName;
  EXPECT_GE(asked.initialName.size(), 5u + 11u);  // year, then five numbers of one or two digits
  EXPECT_TRUE(Boxes().Seen().empty());
  ASSERT_EQ(FileLength(file), 18 + before.size() * 20);  // monitoring records only

  // A new program imports the file: the same person with the same rows.
  CloseApp();
  TearDown();
  StartApp();
  Files().answers.push_back(file.wstring());
  Command(ID_IMPORT_MONITOR);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::DataOverview);
  EXPECT_EQ(Frame().Store().Read().PatientCount(), 1u);
  Open(data.monitoring[0].id);
  EXPECT_EQ(AllCells(List()), before);
}

TEST_F(MonitorListTest, AFailedExportTellsTheUserWhyAndKeepsThePreviousFile) {
  ScratchFolder scratch;
  StartApp();
  AddRecords(Frame().Store(), kPerson, {RecordAt(RecordKind::Monitoring, 8, 0)});
  Open(kPerson);
  const std::filesystem::path missingFolder = scratch / L"no such folder" / L"x.mDat";
  Files().answers.push_back(missingFolder.wstring());
  Click(ViewWindow(), IDC_EXPORT_MONITOR);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_TRUE(Boxes().Seen()[0].text.starts_with(L"导出失败!")) << Boxes().Seen()[0].text;
  EXPECT_NE(Boxes().Seen()[0].text.find(missingFolder.wstring()), std::wstring::npos);
  EXPECT_EQ(Boxes().Seen()[0].caption, fw::LoadStringResource(IDS_APP_TITLE));

  // A file that another program holds open cannot be replaced: it stays as it was.
  const std::filesystem::path locked = scratch / L"locked.mDat";
  {
    std::FILE* out = _wfopen(locked.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    std::fputs("previous", out);
    std::fclose(out);
  }
  HANDLE holder =
      ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Files().answers.push_back(locked.wstring());
  Click(ViewWindow(), IDC_EXPORT_MONITOR);
  const bool told = Boxes().WaitForCount(2);
  ::CloseHandle(holder);
  ASSERT_TRUE(told);
  EXPECT_TRUE(Boxes().Seen()[1].text.starts_with(L"导出失败!"));
  EXPECT_EQ(FileLength(locked), 8u);
}

TEST_F(MonitorListTest, ScreenshotsWithAFilledFormInBothLanguages) {
  const sim::DataSet data = sim::GenerateDataSet({1, 240, 0, 5});
  const PatientId& id = data.monitoring[0].id;
  StartApp();
  PatientInfo info = Registered(id, u"张丽华", 1, 46, 162, 58);
  info.SetAdvice(u"低盐饮食，夜间注意血氧，每4小时测一次血压。");
  WriteRegister(ProgramFolder(), {info});
  AddRecords(Frame().Store(), id, data.monitoring[0].records);
  Open(id);
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"张丽华");
  ExpectNothingClipped(List());
  ListScreenshot(FrameWindow(), L"monitor_list_zh");

  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return View() != nullptr && HeaderTitle(List(), 0) != L"序号"; }));
  EXPECT_EQ(View()->Person(), id);
  EXPECT_EQ(ListView_GetItemCount(List()), 240);
  ExpectNothingClipped(List());
  ListScreenshot(FrameWindow(), L"monitor_list_en");
}

// The hidden forms the frame made ahead of a switch (children without a control id).
std::vector<HWND> SpareForms(HWND frame) {
  std::vector<HWND> spares;
  for (HWND child = ::GetWindow(frame, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child) && ::GetDlgCtrlID(child) == 0) spares.push_back(child);
  }
  return spares;
}

// Once the program has been idle for a moment, a switch takes a form made ahead; it shows what a
// form made at the switch shows, for the person of the switch, and none made for the other
// language or pane size is ever shown.
TEST_F(MonitorListTest, AFormMadeAheadShowsWhatAFormMadeAtTheSwitchShows) {
  StartApp();
  AddRecords(Frame().Store(), kPerson,
             {RecordAt(RecordKind::Monitoring, 9, 0), RecordAt(RecordKind::Monitoring, 9, 1)});
  WriteRegister(ProgramFolder(), {Registered(kPerson, u"张丽华", 1, 46, 162, 58)});
  Frame().DiscardSpareViews();
  Open(kPerson);
  EXPECT_TRUE(SpareForms(FrameWindow()).empty());
  const auto madeAtSwitch = AllCells(List());
  ASSERT_EQ(madeAtSwitch.size(), 2u);

  Frame().ShowView(ViewCode::Home, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SpareForms(FrameWindow()).size() == 3; }))
      << "the monitoring list, trend and ward-round forms are made while the program is idle";
  const std::vector<HWND> spares = SpareForms(FrameWindow());
  Open(kPerson);
  EXPECT_NE(std::find(spares.begin(), spares.end(), View()->hwnd()), spares.end());
  EXPECT_EQ(::GetDlgCtrlID(View()->hwnd()), static_cast<int>(fw::kPaneFirstId));
  EXPECT_EQ(AllCells(List()), madeAtSwitch);
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"张丽华");
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), L"110105198703150024");

  // Spares made in Chinese are not taken after the switch to English.
  Frame().ShowView(ViewCode::Home, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SpareForms(FrameWindow()).size() == 3; }));
  Command(ID_LANGUAGE_ENGLISH);
  Open(kPerson);
  EXPECT_EQ(HeaderTitle(List(), 0), fw::LoadStringResource(IDS_COL_NUMBER));

  // Nor are spares made for a wider pane once the window is narrower.
  Frame().ShowView(ViewCode::Home, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SpareForms(FrameWindow()).size() == 3; }));
  ::ShowWindow(FrameWindow(), SW_RESTORE);
  ASSERT_TRUE(::SetWindowPos(FrameWindow(), nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOMOVE));
  Open(kPerson);
  RECT view{};
  ::GetWindowRect(View()->hwnd(), &view);
  RECT frameClient{};
  ::GetClientRect(FrameWindow(), &frameClient);
  EXPECT_LE(view.right - view.left, frameClient.right) << "the form fits the pane it is shown in";
}

// The program's answer for one person of 65,536 minutes (45 days of monitoring): the view opens
// at once, whatever the size, since the list asks only for the rows it shows.
TEST_F(MonitorListTest, SixtyFiveThousandRecordsOpenWellUnderASecond) {
  const sim::DataSet data = sim::GenerateDataSet({1, 65536, 0, 8});
  StartApp();
  AddRecords(Frame().Store(), data.monitoring[0].id, data.monitoring[0].records);
  const PatientId* key = StoreKey(Frame().Store(), data.monitoring[0].id);
  const auto start = std::chrono::steady_clock::now();
  Frame().ShowView(ViewCode::MonitoringList, key);
  ::UpdateWindow(ViewWindow());
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("monitoring list of 65,536 records opened in %.0f ms\n", ms);
  ASSERT_NE(View(), nullptr);
  EXPECT_LT(ms, 2000.0);  // well under a second on an idle machine; slack for a busy one
  ASSERT_EQ(ListView_GetItemCount(List()), 65536);
  EXPECT_EQ(Cell(List(), 65535, 0), L"65536");
  EXPECT_EQ(Cell(List(), 65535, 2), Widen(FormatRecordTime(*View()->Rows().back())));
}

// A download that ends while the export's Save dialog is open must not replace the view under
// the dialog: the switch to the overview waits until the dialog has closed, and the export
// writes the person the view showed.
TEST_F(MonitorListTest, ADownloadEndingUnderTheExportDialogSwitchesViewsOnlyAfterIt) {
  using namespace std::chrono_literals;
  ScratchFolder scratch;
  const std::filesystem::path file = scratch / L"during_download.mDat";
  const sim::DataSet mine = sim::GenerateDataSet({1, 120, 0, 21});
  StartApp();
  AddRecords(Frame().Store(), mine.monitoring[0].id, mine.monitoring[0].records);
  Open(mine.monitoring[0].id);
  StartMonitor(L"--patients 3 --minutes 1000 --ward-round 0 --seed 9 --pace 115200");
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor([&] { return Frame().Download().threadRunning.load(); }, 10000));

  Frame().SetFileChooser(std::make_unique<RealFileChooser>());
  std::atomic<bool> downloadingWhenOpen{false};
  std::atomic<bool> endedWhileOpen{false};
  ui_support::FileDialogAnswer answer(
      fw::LoadStringResource(IDS_EXPORT_TITLE), file.wstring(), IDOK, [&] {
        downloadingWhenOpen = Frame().Download().threadRunning.load();
        // Its last progress message is posted before the thread ends, so it queues before the
        // dialog's OK that the answer posts next.
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (Frame().Download().threadRunning && std::chrono::steady_clock::now() < deadline) {
          std::this_thread::sleep_for(20ms);
        }
        endedWhileOpen = !Frame().Download().threadRunning;
      });
  Click(ViewWindow(), IDC_EXPORT_MONITOR);  // returns once the dialog was answered
  ASSERT_TRUE(answer.Answered());
  EXPECT_TRUE(downloadingWhenOpen);
  ASSERT_TRUE(endedWhileOpen);
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::MonitoringList)
      << "the view was switched under its dialog";

  PatientStore written;
  ASSERT_TRUE(ReadMonitorFile(written, file));
  auto reader = written.Read();
  ASSERT_EQ(reader.PatientCount(), 1u);
  const RecordList* list = reader.FindRecordList(mine.monitoring[0].id);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->size(), mine.monitoring[0].records.size());

  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 10000));
}

}  // namespace
}  // namespace wd::uitest
