// The archive as the window program keeps it: every download written as it arrives, the archive
// view with its downloads, persons and search, a download brought back into memory, and the
// erase that asks first whether the monitor's records are archived.

#include "tests/ui/ui_app_fixture.h"

#include <commctrl.h>

#include <fstream>
#include <map>

#include "archive/archive_reader.h"
#include "data/patient_register.h"
#include "res/resource.h"
#include "tests/ui_support/window_capture.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/archive_view.h"
#include "views/child_view.h"
#include "views/monitor_list_view.h"

namespace wd::uitest {
namespace {

constexpr const wchar_t* kData = L"--patients 2 --minutes 90 --ward-round 6 --seed 3";
const sim::GeneratorOptions kDataSet{2, 90, 6, 3};

std::filesystem::path FreshArchive() {
  static int serial = 0;
  auto folder = std::filesystem::temp_directory_path() /
                (L"wd-ui-archive-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(serial++));
  std::filesystem::remove_all(folder);
  return folder;
}

std::wstring ListCell(HWND list, int row, int column) {
  wchar_t text[256] = {};
  ListView_GetItemText(list, row, column, text, 256);
  return text;
}

std::vector<std::wstring> Rows(HWND list) {
  std::vector<std::wstring> rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row)
    rows.push_back(ListCell(list, row, 0) + L"|" + ListCell(list, row, 1));
  std::sort(rows.begin(), rows.end());
  return rows;
}

// Every person's records, as bytes, by id.
std::map<std::string, std::vector<VitalRecord::Bytes>> Contents(const PatientStore& store) {
  std::map<std::string, std::vector<VitalRecord::Bytes>> contents;
  for (const auto& entry : store.Read().entries()) {
    auto& records = contents[entry.key.DisplayText()];
    for (const VitalRecord& record : entry.records) records.push_back(record.ToBytes());
  }
  return contents;
}

class ArchiveTest : public UiAppTest {
 protected:
  void SetUp() override { archive_ = FreshArchive(); }
  void TearDown() override {
    UiAppTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(archive_, ignored);
  }

  void Start(DWORD language = 1) {
    StartApp({.language = language, .archiveFolder = archive_.wstring()});
  }

  // A complete download of both kinds; the frame keeps its journal.
  void Download() {
    ASSERT_TRUE(WaitFor([&] { return Frame().QueryCommandState(ID_START_COMM).enabled; }, 10000));
    Command(ID_START_COMM);
    ASSERT_TRUE(WaitFor(
        [&] { return Frame().FinishedJournal() != nullptr && !Frame().Download().Busy(); }, 30000));
    ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }, 5000));
  }

  CArchiveView& ShowArchive() {
    Command(ID_SHOW_ARCHIVE);
    EXPECT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Archive; }));
    return *dynamic_cast<CArchiveView*>(Frame().CurrentViewWindow());
  }

  void Search(const std::wstring& text) {
    ::SetWindowTextW(ViewControl(IDC_ARCHIVE_SEARCH), text.c_str());
    Command(IDC_ARCHIVE_FIND);
  }

  std::filesystem::path archive_;
};

TEST_F(ArchiveTest, ADownloadIsArchivedWithItsCountsAndOpensAgainAsTheSameOverview) {
  Start();
  StartMonitor(kData);
  Download();
  const DownloadJournal* journal = Frame().FinishedJournal();
  ASSERT_NE(journal, nullptr);
  EXPECT_FALSE(journal->error());
  EXPECT_EQ(journal->index().result, DownloadResult::Complete);
  const std::vector<std::wstring> overview =
      Rows(dynamic_cast<CChildView*>(Frame().CurrentViewWindow())->List());
  const auto downloaded = Contents(Frame().Store());
  const std::size_t monitoring =
      static_cast<std::size_t>(Frame().Download().monitoringTotal.load());
  const std::size_t wardRound = static_cast<std::size_t>(Frame().Download().wardRoundTotal.load());
  EXPECT_EQ(monitoring, 180u);

  CArchiveView& view = ShowArchive();
  ASSERT_EQ(view.Downloads().size(), 1u);
  EXPECT_EQ(ListCell(view.DownloadList(), 0, 2), L"完成");
  EXPECT_EQ(ListCell(view.DownloadList(), 0, 3), L"3");  // one seen on rounds only
  EXPECT_EQ(ListCell(view.DownloadList(), 0, 4), std::to_wstring(monitoring));
  EXPECT_EQ(ListCell(view.DownloadList(), 0, 5), std::to_wstring(wardRound));
  view.SelectDownload(0);
  // The two monitored persons and the one seen on rounds only.
  ASSERT_EQ(view.Persons().size(), 3u);
  std::size_t minutes = 0;
  for (const ArchivePersonRow& row : view.Persons()) minutes += row.monitoring;
  EXPECT_EQ(minutes, monitoring);
  Screenshot(L"archive_view_zh", L"archive");

  // A new program with the same archive: opening the download gives the same overview and the
  // same records; opening it again adds nothing.
  Start();
  CArchiveView& again = ShowArchive();
  ASSERT_EQ(again.Downloads().size(), 1u);
  EXPECT_FALSE(Frame().QueryCommandState(IDC_ARCHIVE_OPEN).enabled);
  again.SelectDownload(0);
  EXPECT_TRUE(Frame().QueryCommandState(IDC_ARCHIVE_OPEN).enabled);
  Command(IDC_ARCHIVE_OPEN);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }));
  EXPECT_TRUE(Frame().DataLoaded());
  EXPECT_EQ(Rows(dynamic_cast<CChildView*>(Frame().CurrentViewWindow())->List()), overview);
  EXPECT_EQ(Contents(Frame().Store()), downloaded);
  ShowArchive().SelectDownload(0);
  Command(IDC_ARCHIVE_OPEN);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::DataOverview; }));
  EXPECT_EQ(Contents(Frame().Store()), downloaded);

  ShowArchive();
  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return ControlText(ViewControl(IDC_ARCHIVE_OPEN)) == L"Open"; }));
  auto& english = *dynamic_cast<CArchiveView*>(Frame().CurrentViewWindow());
  english.SelectDownload(0);
  EXPECT_EQ(ListCell(english.DownloadList(), 0, 2), L"complete");
  Screenshot(L"archive_view_en", L"archive");
}

TEST_F(ArchiveTest, DeletingADownloadAsksWithNoAsTheDefaultAndNoKeepsIt) {
  Start();
  StartMonitor(kData);
  Download();
  // From the home view's entry, and back through the history.
  Command(ID_SHOW_HOME);
  Command(IDC_HOME_ARCHIVE);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Archive; }));
  Command(ID_HISTORY_BACK);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Home; }));
  Command(ID_HISTORY_FORWARD);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Archive; }));
  CArchiveView& view = *dynamic_cast<CArchiveView*>(Frame().CurrentViewWindow());
  view.SelectDownload(0);
  AnswerBoxesWith(IDNO);
  Command(IDC_ARCHIVE_DELETE);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_EQ(Boxes().Seen()[0].defaultButton, IDNO);
  EXPECT_NE(Boxes().Seen()[0].text.find(L"删除"), std::wstring::npos);
  std::vector<DownloadSummary> listed;
  ASSERT_TRUE(ListArchive(archive_, listed));
  EXPECT_EQ(listed.size(), 1u);

  AnswerBoxesWith(IDYES);
  view.SelectDownload(0);
  Command(IDC_ARCHIVE_DELETE);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  ASSERT_TRUE(WaitFor([&] { return view.Downloads().empty(); }));
  ASSERT_TRUE(ListArchive(archive_, listed));
  EXPECT_TRUE(listed.empty());
}

TEST_F(ArchiveTest, AHistoryIsFoundByTheStartOfAnIdOrByANameAndOpensMergedInTheMonitoringList) {
  Start();
  StartMonitor(kData);
  // Two downloads of the same monitor: every minute twice in the archive.
  Download();
  Download();
  const sim::DataSet served = sim::GenerateDataSet(kDataSet);
  const sim::MonitoringPatient& patient = served.monitoring[1];
  PatientInfo info = PatientInfo::Blank(patient.id);
  info.SetName(u"林小雨");
  ASSERT_TRUE(SaveInfo(ProgramFolder(), info));

  CArchiveView& view = ShowArchive();
  ASSERT_EQ(view.Downloads().size(), 2u);
  const std::string id = patient.id.DisplayText();
  Search(std::wstring(id.begin(), id.begin() + 10));
  ASSERT_TRUE(view.ShowsSearch());
  std::size_t expected = 0;
  for (const sim::MonitoringPatient& other : served.monitoring)
    expected += other.id.DisplayText().starts_with(id.substr(0, 10));
  EXPECT_EQ(view.Persons().size(), expected);

  Search(L"小雨");
  ASSERT_EQ(view.Persons().size(), 1u);
  EXPECT_EQ(view.Persons()[0].id, patient.id);
  EXPECT_EQ(view.Persons()[0].monitoring, patient.records.size());  // each minute once
  EXPECT_EQ(view.Persons()[0].downloads, 2u);
  EXPECT_EQ(ListCell(view.PersonList(), 0, 1), L"林小雨");
  Screenshot(L"archive_search_zh", L"archive");
  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return ControlText(ViewControl(IDC_ARCHIVE_FIND)) == L"Find"; }));
  Search(L"小雨");
  ASSERT_EQ(dynamic_cast<CArchiveView*>(Frame().CurrentViewWindow())->Persons().size(), 1u);
  Screenshot(L"archive_search_en", L"archive");

  ASSERT_TRUE(Frame().QueryCommandState(IDC_ARCHIVE_OPEN_HISTORY).enabled);
  Command(IDC_ARCHIVE_OPEN_HISTORY);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::MonitoringList; }, 10000))
      << static_cast<int>(Frame().CurrentViewCode()) << " " << Boxes().Seen().size();
  auto* list = dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Person(), patient.id);
  EXPECT_EQ(list->Rows().size(), patient.records.size());

  ShowArchive();
  Search(L"nobody");
  EXPECT_TRUE(dynamic_cast<CArchiveView*>(Frame().CurrentViewWindow())->Persons().empty());
}

TEST_F(ArchiveTest, AnUnwritableArchiveIsToldAndTheDownloadStillKeepsEveryRecord) {
  // A file where the archive's folder should be.
  std::filesystem::create_directories(archive_.parent_path());
  std::ofstream(archive_) << "not a folder";
  Start();
  StartMonitor(kData);
  Download();
  ASSERT_TRUE(Boxes().WaitForCount(1));
  const std::wstring text = Boxes().Seen()[0].text;
  EXPECT_EQ(text.rfind(L"无法写入档案", 0), 0u) << text;
  EXPECT_NE(text.find(archive_.filename().wstring()), std::wstring::npos) << text;
  EXPECT_NE(Frame().StatusBar().PaneText(ID_PANE_STATUS_TEXT).find(L"档案写入失败"),
            std::wstring::npos);
  ASSERT_NE(Frame().FinishedJournal(), nullptr);
  EXPECT_TRUE(Frame().FinishedJournal()->error());
  const sim::DataSet served = sim::GenerateDataSet(kDataSet);
  EXPECT_EQ(Frame().Download().monitoringReceived.load(),
            static_cast<std::int32_t>(served.MonitoringCount()));
  for (const sim::MonitoringPatient& patient : served.monitoring) {
    const RecordList* list = Frame().Store().Read().FindRecordList(patient.id);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->MonitoringCount(), patient.records.size());
  }
  std::error_code ignored;
  std::filesystem::remove(archive_, ignored);
}

}  // namespace
}  // namespace wd::uitest
