// The patient report as a user meets it: opened from the monitoring list, the trend view and
// the ribbon, its pages previewed and turned, printed through Windows printing into a real
// CUPS queue whose PDF is read back, a cancelled print dialog, a printer that fails; and the
// lists' CSV files read back against the lists' cells.

#include <atomic>
#include <chrono>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "data/csv_writer.h"
#include "data/data_files.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "tests/ui/monitor_list_support.h"
#include "tests/ui/simulated_monitor.h"
#include "tests/ui_support/message_box_watcher.h"
#include "tools/monitor-sim/data_generator.h"
#include "views/check_list_view.h"
#include "views/child_view.h"
#include "views/monitor_list_view.h"
#include "views/report/report_view.h"
#include "views/text_format.h"

#ifndef WD_REPORT_PDF_FOLDER
#error "WD_REPORT_PDF_FOLDER: the Unix folder the test print queue writes its PDFs into"
#endif
#ifndef WD_NATIVE_WARDCLI
#error "WD_NATIVE_WARDCLI: the native wardcli"
#endif

namespace wd::uitest {
namespace {

using namespace std::chrono_literals;

const PatientId kPerson = IdOf("110105198703150024");

// `minutes` one-minute records from 24 June 2023 00:00 with SpO2 96 and, every 200 minutes, a
// dip to 86 for 4 minutes (an episode below 90 and two desaturation events each time).
std::vector<VitalRecord> Monitoring(int minutes) {
  std::vector<VitalRecord> records;
  for (int m = 0; m < minutes; ++m) {
    VitalRecord record{};
    record.year = 23;
    record.month = 6;
    record.day = static_cast<std::uint8_t>(24 + m / 1440);
    record.hour = static_cast<std::uint8_t>(m / 60 % 24);
    record.minute = static_cast<std::uint8_t>(m % 60);
    record.spo2 = m % 200 >= 100 && m % 200 < 104 ? 86 : 96;
    record.pulse = static_cast<std::uint8_t>(70 + m % 7);
    record.systolic = 120;
    record.diastolic = 80;
    record.mean = 93;
    record.temperature = 368;
    record.respiration = 16;
    records.push_back(record);
  }
  return records;
}

std::filesystem::path WindowsPathOf(const std::string& unixPath) {
  std::wstring path = L"Z:" + Widen(unixPath);
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::string ReadUtf8(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The PDFs of the test queue's folder.
std::set<std::filesystem::path> Pdfs() {
  std::set<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(WindowsPathOf(WD_REPORT_PDF_FOLDER), error)) {
    if (entry.path().extension() == L".pdf") files.insert(entry.path());
  }
  return files;
}

// Answers the print dialog from a thread of its own: the dialog of this process that holds
// the printer list, with OK or Cancel.
class PrintDialogAnswer {
 public:
  explicit PrintDialogAnswer(int button)
      : thread_([this, button] {
          const auto deadline = std::chrono::steady_clock::now() + 30s;
          while (std::chrono::steady_clock::now() < deadline) {
            for (HWND dialog : ui_support::ProcessDialogs()) {
              if (ui_support::LooksLikeMessageBox(dialog)) continue;
              HWND pressed = ::GetDlgItem(dialog, button);
              if (pressed == nullptr || !::IsWindowEnabled(pressed)) continue;
              wchar_t caption[128] = {};
              ::GetWindowTextW(dialog, caption, 128);
              seen_ = caption;
              answered_ = true;
              ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(pressed));
              return;
            }
            std::this_thread::sleep_for(20ms);
          }
        }) {}
  ~PrintDialogAnswer() {
    if (thread_.joinable()) thread_.join();
  }
  bool Answered() {
    if (thread_.joinable()) thread_.join();
    return answered_;
  }
  std::wstring Caption() {
    Answered();
    return seen_;
  }

 private:
  std::atomic<bool> answered_{false};
  std::wstring seen_;
  std::thread thread_;
};

// A printer whose device context cannot start a document (a metafile's), for the failure.
class FailingPrinter final : public PrinterChooser {
 public:
  PrinterChoice ChoosePrinter(HWND) override {
    PrinterChoice choice;
    choice.result = PrinterChoice::Result::Chosen;
    choice.dc.reset(::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr));
    return choice;
  }
};

class ReportTest : public UiAppTest {
 protected:
  CReportView* Report() { return dynamic_cast<CReportView*>(Frame().CurrentViewWindow()); }
  const PatientId* AddPerson(int minutes) {
    AddRecords(Frame().Store(), kPerson, Monitoring(minutes));
    return StoreKey(Frame().Store(), kPerson);
  }
  bool Enabled(int id) { return ::IsWindowEnabled(ViewControl(id)) != FALSE; }
  std::wstring PageLabel() { return ControlText(ViewControl(IDC_REPORT_PAGE)); }

  // Prints through the real dialog answered with OK; the PDF it became, or an empty path.
  std::filesystem::path PrintToPdf() {
    // cups-pdf names a file by the job's title, so a second print of one report would only
    // replace the first: the queue starts empty.
    for (const auto& file : Pdfs()) {
      std::error_code error;
      std::filesystem::remove(file, error);
      EXPECT_FALSE(error) << "cannot empty the print queue's folder";
    }
    const std::set<std::filesystem::path> before = Pdfs();
    PrintDialogAnswer answer(IDOK);
    Click(ViewWindow(), IDC_REPORT_PRINT);
    EXPECT_TRUE(answer.Answered()) << "no print dialog";
    std::filesystem::path made;
    WaitFor(
        [&] {
          for (const auto& file : Pdfs()) {
            if (!before.contains(file)) made = file;
          }
          return !made.empty();
        },
        60000);
    // cups-pdf writes the file in one go at the end; wait until its size stands still.
    std::uintmax_t size = 0;
    WaitFor(
        [&] {
          std::error_code error;
          const std::uintmax_t now = made.empty() ? 0 : std::filesystem::file_size(made, error);
          const bool still = now > 0 && now == size;
          size = now;
          Pump(200);
          return still;
        },
        30000);
    return made;
  }

  // The PDF's text, and its pages as PNG pictures under build/win/screens/report/.
  std::string TextAndPictures(const std::filesystem::path& pdf, const std::wstring& name) {
    const std::wstring slashed = UnixPath(pdf);
    const std::filesystem::path screens = ScreensFolder(L"report");
    const std::wstring unixScreens = UnixPath(screens);
    const std::wstring text = unixScreens + L"/" + name + L".txt";
    EXPECT_EQ(RunUnixCommand(L"pdftotext -layout '" + slashed + L"' '" + text + L"'", 30000), 0);
    EXPECT_EQ(RunUnixCommand(L"cp '" + slashed + L"' '" + unixScreens + L"/" + name +
                                 L".pdf' && pdftoppm -r 70 -png '" + slashed + L"' '" +
                                 unixScreens + L"/" + name + L"'",
                             60000),
              0);
    EXPECT_TRUE(std::filesystem::exists(screens / (name + L"-1.png"))) << "no picture of page 1";
    return ReadUtf8(screens / (name + L".txt"));
  }

  // The figures `wardcli summary --json` gives for the person's file.
  std::string CliSummary() {
    ScratchFolder scratch;
    const std::filesystem::path file = scratch / L"person.mDat";
    EXPECT_TRUE(WriteMonitorFile(Frame().Store(), file, kPerson));
    const std::wstring unixFile = UnixPath(file);
    const std::wstring json = unixFile + L".json";
    EXPECT_EQ(RunUnixCommand(Widen(WD_NATIVE_WARDCLI) + L" summary '" + unixFile + L"' --json > '" +
                                 json + L"'",
                             30000),
              0);
    return ReadUtf8(file.wstring() + L".json");
  }
};

// A JSON number of the summary: "mean": 95.8 within the named object.
std::string JsonFigure(const std::string& json, const std::string& object,
                       const std::string& field) {
  const std::size_t at = json.find("\"" + object + "\"");
  if (at == std::string::npos) return {};
  std::smatch match;
  const std::string rest = json.substr(at);
  if (!std::regex_search(rest, match, std::regex("\"" + field + "\":\\s*([0-9.]+)"))) return {};
  return match[1];
}

TEST_F(ReportTest, OpensFromBothButtonsAndTheRibbonAndGoesBack) {
  StartApp();
  const PatientId* person = AddPerson(300);
  EXPECT_FALSE(Frame().QueryCommandState(ID_SHOW_REPORT).enabled) << "no person on the home view";

  Frame().ShowView(ViewCode::MonitoringList, person);
  EXPECT_TRUE(Frame().QueryCommandState(ID_SHOW_REPORT).enabled);
  Click(ViewWindow(), IDC_SHOW_REPORT);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Report; }));
  ASSERT_NE(Report(), nullptr);
  EXPECT_EQ(Report()->Person(), kPerson);
  EXPECT_FALSE(Frame().QueryCommandState(ID_SHOW_REPORT).enabled) << "the report is shown already";

  Command(ID_HISTORY_BACK);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::MonitoringList);

  Frame().ShowView(ViewCode::Trend, person);
  Click(ViewWindow(), IDC_SHOW_REPORT);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Report; }));
  EXPECT_EQ(Report()->Person(), kPerson);

  Frame().ShowView(ViewCode::MonitoringList, person);
  Command(ID_SHOW_REPORT);
  ASSERT_EQ(Frame().CurrentViewCode(), ViewCode::Report);
  EXPECT_EQ(Report()->Person(), kPerson);
  // And from the report on to the person's trends, as from any view of one person.
  Command(ID_SHOW_TREND);
  EXPECT_EQ(Frame().CurrentViewCode(), ViewCode::Trend);

  // Without a person the buttons that need one are off.
  Frame().ShowView(ViewCode::MonitoringList, nullptr);
  EXPECT_FALSE(Enabled(IDC_SHOW_REPORT));
  EXPECT_FALSE(Frame().QueryCommandState(ID_SHOW_REPORT).enabled);
}

TEST_F(ReportTest, AThreeDaySpanHasFourPagesTurnedByTheButtonsInBothLanguages) {
  StartApp();
  PatientInfo info = Registered(kPerson, u"张丽华", 1, 46, 162, 58);
  WriteRegister(ProgramFolder(), {info});
  const PatientId* person = AddPerson(3 * 1440);
  Frame().ShowView(ViewCode::Report, person);
  ASSERT_NE(Report(), nullptr);
  // Page 1 with the whole recording, then one page per calendar day.
  ASSERT_EQ(Report()->Plan().pages.size(), 4u);
  EXPECT_EQ(PageLabel(), L"第 1 页，共 4 页");
  EXPECT_FALSE(Enabled(IDC_REPORT_PREVIOUS));
  EXPECT_TRUE(Enabled(IDC_REPORT_NEXT));
  EXPECT_TRUE(Enabled(IDC_REPORT_PRINT));
  // The preview shows a white page with ink on it.
  Pump(100);
  const RECT page = Report()->Preview().PageRect();
  ASSERT_GT(page.right - page.left, 100);
  const auto corner =
      ui_support::ReadWindowPixel(Report()->Preview().hwnd(), page.left + 3, page.bottom - 3);
  ASSERT_TRUE(corner.has_value());
  EXPECT_EQ(*corner, RGB(255, 255, 255));
  ListScreenshot(FrameWindow(), L"../report/preview_zh");

  for (int turn = 0; turn < 3; ++turn) Click(ViewWindow(), IDC_REPORT_NEXT);
  EXPECT_EQ(Report()->Page(), 3u);
  EXPECT_EQ(PageLabel(), L"第 4 页，共 4 页");
  EXPECT_FALSE(Enabled(IDC_REPORT_NEXT));
  EXPECT_TRUE(Enabled(IDC_REPORT_PREVIOUS));
  Click(ViewWindow(), IDC_REPORT_PREVIOUS);
  EXPECT_EQ(Report()->Page(), 2u);
  ListScreenshot(FrameWindow(), L"../report/preview_day_zh");

  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] { return Report() != nullptr && PageLabel().starts_with(L"Page"); }));
  EXPECT_EQ(PageLabel(), L"Page 1 of 4");
  ListScreenshot(FrameWindow(), L"../report/preview_en");
}

TEST_F(ReportTest, PrintsThroughWindowsPrintingIntoAPdfInBothLanguages) {
  StartApp();
  StopAnsweringBoxes();
  PatientInfo info = Registered(kPerson, u"张丽华", 1, 46, 162, 58);
  WriteRegister(ProgramFolder(), {info});
  const PatientId* person = AddPerson(2 * 1440);
  const std::string json = CliSummary();
  const std::string mean = JsonFigure(json, "spo2", "mean");
  const std::string below90 = JsonFigure(json, "spo2", "t90_minutes");
  const std::string pulseMean = JsonFigure(json, "pulse", "mean");
  ASSERT_FALSE(mean.empty()) << json;

  Frame().ShowView(ViewCode::Report, person);
  const std::filesystem::path chinese = PrintToPdf();
  ASSERT_FALSE(chinese.empty()) << "no PDF came out of the print queue";
  const std::string zh = TextAndPictures(chinese, L"printed_zh");
  for (const std::string& expected :
       {std::string("病人监护报告"), std::string("张丽华"), std::string("110105198703150024"), mean,
        below90, pulseMean, std::string("第 1 页，共 3 页")}) {
    EXPECT_NE(zh.find(expected), std::string::npos)
        << "\"" << expected << "\" not in the printed text";
  }

  Command(ID_LANGUAGE_ENGLISH);
  ASSERT_TRUE(WaitFor([&] {
    return Report() != nullptr && ControlText(ViewControl(IDC_REPORT_PAGE)).starts_with(L"Page");
  }));
  const std::filesystem::path english = PrintToPdf();
  ASSERT_FALSE(english.empty());
  const std::string en = TextAndPictures(english, L"printed_en");
  for (const std::string& expected :
       {std::string("Patient monitoring report"), std::string("110105198703150024"), mean,
        std::string("Page 1 of 3")}) {
    EXPECT_NE(en.find(expected), std::string::npos)
        << "\"" << expected << "\" not in the printed text";
  }
}

TEST_F(ReportTest, ACancelledPrintDialogPrintsNothing) {
  StartApp();
  const PatientId* person = AddPerson(120);
  Frame().ShowView(ViewCode::Report, person);
  const std::set<std::filesystem::path> before = Pdfs();
  PrintDialogAnswer answer(IDCANCEL);
  Click(ViewWindow(), IDC_REPORT_PRINT);
  ASSERT_TRUE(answer.Answered());
  // Whatever a print would have sent reaches the folder within seconds; nothing does.
  Pump(5000);
  EXPECT_EQ(Pdfs(), before);
  EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_F(ReportTest, APrinterThatFailsIsToldWithItsReason) {
  StartApp();
  const PatientId* person = AddPerson(120);
  Frame().SetPrinterChooser(std::make_unique<FailingPrinter>());
  Frame().ShowView(ViewCode::Report, person);
  Click(ViewWindow(), IDC_REPORT_PRINT);
  ASSERT_TRUE(Boxes().WaitForCount(1, 10000));
  const std::wstring text = Boxes().Seen()[0].text;
  EXPECT_TRUE(text.starts_with(L"打印失败!")) << text;
  EXPECT_GT(text.size(), std::wstring(L"打印失败!").size() + 2)
      << "the reason is missing: " << text;
}

// The CSV of a list, read back: its cells per row, the byte order mark checked and dropped.
std::vector<std::vector<std::wstring>> ReadCsv(const std::filesystem::path& path) {
  std::string text = ReadUtf8(path);
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF")) << "no byte order mark";
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::vector<std::vector<std::wstring>> rows;
  std::vector<std::wstring> row;
  std::string field;
  bool quoted = false;
  const auto endField = [&] {
    row.push_back(Widen(field));
    field.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      endField();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      endField();
      rows.push_back(std::move(row));
      row.clear();
      ++i;
    } else {
      field += c;
    }
  }
  return rows;
}

// Header and cells of a list as the user sees them.
std::vector<std::vector<std::wstring>> ListAsShown(HWND list) {
  std::vector<std::vector<std::wstring>> rows;
  std::vector<std::wstring> header;
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  for (int column = 0; column < columns; ++column) header.push_back(HeaderTitle(list, column));
  rows.push_back(header);
  for (auto& cells : AllCells(list)) rows.push_back(cells);
  return rows;
}

TEST_F(ReportTest, EveryListsCsvHoldsTheListsHeaderRowsAndCells) {
  ScratchFolder scratch;
  StartApp();
  const sim::DataSet data = sim::GenerateDataSet({2, 90, 20, 5});
  WriteRegister(ProgramFolder(),
                {Registered(data.monitoring[0].id, u"王, \"小\"明", 0, 30, 175, 70)});
  for (const auto& patient : data.monitoring)
    AddRecords(Frame().Store(), patient.id, patient.records);
  for (const auto& entry : data.wardRound) AddRecords(Frame().Store(), entry.id, {entry.record});

  const PatientId* first = StoreKey(Frame().Store(), data.monitoring[0].id);
  Frame().ShowView(ViewCode::MonitoringList, first);
  const std::filesystem::path monitoring = scratch / L"monitoring.csv";
  Files().answers.push_back(monitoring.wstring());
  Click(ViewWindow(), IDC_EXPORT_MONITOR_CSV);
  ASSERT_EQ(Files().asked.size(), 1u);
  EXPECT_TRUE(
      Files().asked[0].initialName.starts_with(Widen(data.monitoring[0].id.DisplayText()) + L"_"));
  EXPECT_TRUE(Files().asked[0].initialName.ends_with(L".csv"));
  EXPECT_EQ(ReadCsv(monitoring),
            ListAsShown(dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow())->List()));

  Frame().ShowView(ViewCode::WardRoundList, nullptr);
  const std::filesystem::path rounds = scratch / L"wardround.csv";
  Files().answers.push_back(rounds.wstring());
  Click(ViewWindow(), IDC_EXPORT_CHECK_CSV);
  EXPECT_TRUE(Files().asked.back().initialName.starts_with(L"wardround_"));
  const auto roundRows = ReadCsv(rounds);
  EXPECT_EQ(roundRows,
            ListAsShown(dynamic_cast<CCheckListView*>(Frame().CurrentViewWindow())->List()));
  // The register's name with a comma and quotes survives the quoting.
  bool named = false;
  for (const auto& row : roundRows) named = named || (row.size() > 4 && row[4] == L"王, \"小\"明");
  EXPECT_TRUE(named);

  Frame().ShowView(ViewCode::DataOverview, nullptr);
  const std::filesystem::path overview = scratch / L"overview.csv";
  Files().answers.push_back(overview.wstring());
  ::SendMessageW(ViewWindow(), WM_COMMAND, MAKEWPARAM(IDC_OVERVIEW_EXPORT_CSV, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(ViewWindow(), IDC_OVERVIEW_EXPORT_CSV)));
  EXPECT_TRUE(Files().asked.back().initialName.starts_with(L"overview_"));
  EXPECT_EQ(ReadCsv(overview),
            ListAsShown(dynamic_cast<CChildView*>(Frame().CurrentViewWindow())->List()));
}

}  // namespace
}  // namespace wd::uitest
