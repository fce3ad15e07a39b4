// The ward-round list in the real main frame: every person's spot checks ordered by id number
// with the register's columns, the selected row's person for the ribbon's view commands, the
// units label and the list's place, export and re-import, a store of 65,536 records over 2,000
// persons, and screenshots in both languages.

#include <chrono>
#include <cstdio>

#include "framework/resource_module.h"
#include "res/resource.h"
#include "tests/ui/monitor_list_support.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/check_list_view.h"
#include "views/monitor_list_view.h"

namespace wd::uitest {
namespace {

const PatientId kTen = IdOf("110105198001011510");
const PatientId kTwo = IdOf("110105198001011502");
const PatientId kThree = IdOf("110105198001011503");

class CheckListTest : public UiAppTest {
 protected:
  CCheckListView* View() { return dynamic_cast<CCheckListView*>(Frame().CurrentViewWindow()); }
  HWND List() { return View() != nullptr ? View()->List() : nullptr; }
  void Open() {
    Frame().ShowView(ViewCode::WardRoundList, nullptr);
    ASSERT_NE(View(), nullptr);
  }
};

// Person 10 comes first in the store, with monitoring records too; 02 is registered as a woman,
// 03 with no sex chosen (-1), 10 not at all.
TEST_F(CheckListTest, RowsOrderedByIdNumberWithRegisterColumnsFilledOrEmpty) {
  StartApp();
  VitalRecord first10 = RecordAt(RecordKind::WardRound, 9, 0);
  first10.spo2 = 91;
  AddRecords(
      Frame().Store(), kTen,
      {first10, RecordAt(RecordKind::Monitoring, 9, 1), RecordAt(RecordKind::WardRound, 8, 0)});
  AddRecords(Frame().Store(), kTwo,
             {RecordAt(RecordKind::WardRound, 11, 0), RecordAt(RecordKind::WardRound, 7, 0)});
  AddRecords(Frame().Store(), kThree, {RecordAt(RecordKind::WardRound, 12, 0)});
  WriteRegister(ProgramFolder(), {Registered(kTwo, u"王芳", 1, 35, 160, 55),
                                  Registered(kThree, u"李强", -1, 70, 175, 80)});
  Open();

  const auto cells = AllCells(List());
  ASSERT_EQ(cells.size(), 5u);
  const std::vector<std::wstring> ids = {L"110105198001011502", L"110105198001011502",
                                         L"110105198001011503", L"110105198001011510",
                                         L"110105198001011510"};
  const std::vector<std::wstring> times = {L"11:00", L"07:00", L"12:00", L"09:00",
                                           L"08:00"};  // list order kept
  for (std::size_t row = 0; row < cells.size(); ++row) {
    ASSERT_EQ(cells[row].size(), 19u);
    EXPECT_EQ(cells[row][0], std::to_wstring(row + 1));
    EXPECT_EQ(cells[row][1], ids[row]) << row;
    EXPECT_EQ(cells[row][3], times[row]) << row;
    EXPECT_EQ(View()->Rows()[row].key,
              StoreKey(Frame().Store(), IdOf(std::string(ids[row].begin(), ids[row].end()))));
  }
  EXPECT_EQ(cells[0],
            (std::vector<std::wstring>{L"1", ids[0], L"2023-6-5", L"11:00", L"王芳", L"女", L"35",
                                       L"160", L"55", L"97", L"72", L"2.5", L"120", L"80", L"93",
                                       L"36.8", L"38", L"1", L"16"}));
  EXPECT_EQ(cells[2][4], L"李强");
  EXPECT_EQ(cells[2][5], L"");  // -1: no sex chosen
  EXPECT_EQ(cells[2][6], L"70");
  for (int column = 4; column <= 8; ++column) EXPECT_EQ(cells[3][column], L"") << column;
  EXPECT_EQ(cells[3][9], L"91");
  EXPECT_EQ(HeaderTitle(List(), 1), L"身份证号");
  EXPECT_EQ(::GetWindowLongPtrW(List(), GWL_STYLE) & LVS_OWNERDATA, LVS_OWNERDATA);
  EXPECT_TRUE(::IsWindowEnabled(ViewControl(IDC_EXPORT_CHECK)));

  // The ribbon's view commands take the selected row's person (the store's own copy).
  EXPECT_EQ(View()->SelectedPerson(), nullptr);
  SelectRow(List(), 4);
  EXPECT_EQ(View()->SelectedPerson(), StoreKey(Frame().Store(), kTen));
  Command(ID_SHOW_MONITOR_LIST);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::MonitoringList);
  auto* monitoring = dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow());
  ASSERT_NE(monitoring, nullptr);
  EXPECT_EQ(monitoring->Person(), kTen);
  EXPECT_EQ(ListView_GetItemCount(monitoring->List()), 1);
  Command(ID_SHOW_CHECK_LIST);
  SelectRow(List(), 0);
  Command(ID_SHOW_TREND);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::Trend);
  EXPECT_EQ(Frame().History().Current()->person, StoreKey(Frame().Store(), kTwo));
}

TEST_F(CheckListTest, UnitsShowDegreesCelsiusAndTheListStaysBelowTheLabelAndButton) {
  StartApp();
  Open();
  const std::wstring units = ControlText(ViewControl(IDC_CHECK_UNITS));
  EXPECT_NE(units.find(L"\u2103"), std::wstring::npos) << units;
  EXPECT_EQ(units.find(L'$'), std::wstring::npos);
  EXPECT_EQ(ListView_GetItemCount(List()), 0);
  EXPECT_FALSE(::IsWindowEnabled(ViewControl(IDC_EXPORT_CHECK)));  // nothing to export

  const auto expectPlaced = [&] {
    RECT client{};
    ::GetClientRect(ViewWindow(), &client);
    const RECT list = PlaceOf(List());
    EXPECT_GE(list.top, PlaceOf(ViewControl(IDC_CHECK_UNITS)).bottom);
    EXPECT_GE(list.top, PlaceOf(ViewControl(IDC_EXPORT_CHECK)).bottom);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom);
  };
  expectPlaced();
  // A smaller window: the list follows it and still leaves the label and the button free.
  ::ShowWindow(FrameWindow(), SW_RESTORE);
  ::SetWindowPos(FrameWindow(), nullptr, 0, 0, 900, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(100);
  expectPlaced();
  EXPECT_TRUE(::IsWindowVisible(ViewControl(IDC_EXPORT_CHECK)));

  // Labels grey on light blue, buttons white.
  const ControlColours label =
      ColoursFor(ViewWindow(), ViewControl(IDC_CHECK_UNITS), WM_CTLCOLORSTATIC);
  EXPECT_EQ(label.text, RGB(127, 127, 127));
  EXPECT_EQ(label.background, RGB(180, 200, 255));
  EXPECT_EQ(ColoursFor(ViewWindow(), ViewControl(IDC_EXPORT_CHECK), WM_CTLCOLORBTN).text,
            RGB(255, 255, 255));
}

TEST_F(CheckListTest, ExportAsksWithItsOwnDialogAndReimportGivesTheSameList) {
  ScratchFolder scratch;
  const std::filesystem::path file = scratch / L"rounds.cDat";
  const sim::DataSet data = sim::GenerateDataSet({4, 30, 60, 21});
  StartApp();
  for (const auto& patient : data.monitoring)
    AddRecords(Frame().Store(), patient.id, patient.records);
  for (const auto& entry : data.wardRound) AddRecords(Frame().Store(), entry.id, {entry.record});
  const PatientInfo registered = Registered(data.wardRound[0].id, u"陈静", 1, 52, 158, 51);
  WriteRegister(ProgramFolder(), {registered});
  Open();
  const auto before = AllCells(List());
  ASSERT_EQ(before.size(), data.wardRound.size());

  Files().answers.push_back(file.wstring());
  Click(ViewWindow(), IDC_EXPORT_CHECK);
  ASSERT_EQ(Files().asked.size(), 1u);
  EXPECT_EQ(Files().asked[0].title, fw::LoadStringResource(IDS_EXPORT_TITLE));
  EXPECT_EQ(Files().asked[0].filter, L"Check Files (*.cDat)|*.cDat||");
  EXPECT_EQ(Files().asked[0].defaultExtension, L"cDat");
  EXPECT_TRUE(Files().asked[0].initialName.ends_with(L".cDat"));
  EXPECT_EQ(FileLength(file), 38 * before.size());
  EXPECT_TRUE(Boxes().Seen().empty());

  // A new program with the same register imports the file: the same rows.
  CloseApp();
  TearDown();
  StartApp();
  WriteRegister(ProgramFolder(), {registered});
  Files().answers.push_back(file.wstring());
  Command(ID_IMPORT_CHECK);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::DataOverview);
  Open();
  EXPECT_EQ(AllCells(List()), before);
}

TEST_F(CheckListTest, ScreenshotsInBothLanguages) {
  const sim::DataSet data = sim::GenerateDataSet({3, 0, 36, 4});
  StartApp();
  for (const auto& entry : data.wardRound) AddRecords(Frame().Store(), entry.id, {entry.record});
  const std::vector<std::u16string> names = {u"张伟", u"王秀英", u"李娜", u"刘洋"};
  std::vector<PatientInfo> people;
  for (const auto& entry : data.wardRound) {
    if (people.size() == names.size()) break;
    bool known = false;
    for (const PatientInfo& info : people) known = known || info.id == entry.id;
    if (!known) {
      const int n = static_cast<int>(people.size());
      people.push_back(
          Registered(entry.id, names[people.size()], n % 2, 38 + 9 * n, 156 + 6 * n, 52 + 7 * n));
    }
  }
  people.pop_back();  // one person left out of the register
  WriteRegister(ProgramFolder(), people);
  Open();
  ExpectNothingClipped(List());
  ListScreenshot(FrameWindow(), L"check_list_zh");
  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return View() != nullptr && HeaderTitle(List(), 0) != L"序号"; }));
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(data.wardRound.size()));
  const std::wstring units = ControlText(ViewControl(IDC_CHECK_UNITS));
  EXPECT_NE(units.find(L"\u2103"), std::wstring::npos) << units;
  ExpectNothingClipped(List());
  ListScreenshot(FrameWindow(), L"check_list_en");
}

// 65,536 spot checks of 2,000 registered persons: the view opens well under a second.
TEST_F(CheckListTest, SixtyFiveThousandRecordsOfTwoThousandPersonsOpenWellUnderASecond) {
  const sim::DataSet data = sim::GenerateDataSet({1999, 0, 65536, 9});
  StartApp();
  std::vector<PatientInfo> people;
  for (const auto& entry : data.wardRound) {
    AddRecords(Frame().Store(), entry.id, {entry.record});
  }
  for (const auto& entry : Frame().Store().Read().entries()) {
    people.push_back(Registered(entry.key, u"病人", 0, 50, 170, 70));
  }
  ASSERT_EQ(people.size(), 2000u);
  WriteRegister(ProgramFolder(), people);
  const auto start = std::chrono::steady_clock::now();
  Open();
  ::UpdateWindow(ViewWindow());
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("ward-round list of 65,536 records, 2,000 persons opened in %.0f ms\n", ms);
  EXPECT_LT(ms, 2000.0);  // well under a second on an idle machine; slack for a busy one
  ASSERT_EQ(ListView_GetItemCount(List()), 65536);
  EXPECT_EQ(Cell(List(), 65535, 0), L"65536");
  EXPECT_EQ(Cell(List(), 65535, 4), L"病人");
  // Ordered by id number throughout.
  for (std::size_t row = 1; row < View()->Rows().size(); row += 997) {
    EXPECT_LE(std::stoll(View()->Rows()[row - 1].key->DisplayText()),
              std::stoll(View()->Rows()[row].key->DisplayText()));
  }
}

}  // namespace
}  // namespace wd::uitest
