// The real wardDesk.exe killed in the middle of a download: the archive holds the records of
// every reply it accepted, record by record, and reads as an interrupted download.

#include "tests/ui/ui_app_fixture.h"

#include <commctrl.h>

#include <chrono>
#include <fstream>
#include <map>
#include <thread>

#include "archive/archive_reader.h"
#include "data/data_files.h"
#include "data/file_io.h"
#include "res/resource.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"
#include "tools/monitor-sim/data_generator.h"

namespace wd::uitest {
namespace {

// 6,000 monitoring records in replies of 50 at 115,200 baud: about ten seconds of download.
const sim::GeneratorOptions kDataSet{3, 2000, 40, 11};
constexpr std::size_t kPerReply = 50;

// The monitoring records served in order, and after how many of them each reply ended: the
// monitor pages one person at a time, at most kPerReply records a reply.
struct Served {
  std::vector<std::pair<PatientId, VitalRecord>> records;
  std::vector<std::size_t> replyEnds;
};
Served ServedInOrder(const sim::DataSet& data) {
  Served served;
  for (const sim::MonitoringPatient& patient : data.monitoring) {
    for (std::size_t i = 0; i < patient.records.size(); ++i) {
      // As the wire carries it and the download stores it.
      served.records.emplace_back(patient.id,
                                  UnpackWireRecord(PackWireRecord(patient.records[i]), RecordKind::Monitoring));
      if ((i + 1) % kPerReply == 0 || i + 1 == patient.records.size()) served.replyEnds.push_back(served.records.size());
    }
  }
  return served;
}

// The only download's folder in the archive, or empty.
std::filesystem::path OnlyDownload(const std::filesystem::path& archive) {
  std::error_code error;
  std::filesystem::path found;
  for (const auto& entry : std::filesystem::directory_iterator(archive, error)) {
    if (entry.is_directory()) found = entry.path();
  }
  return found;
}

// Each person's archived monitoring records, by id.
std::map<std::string, std::vector<VitalRecord>> MonitoringFiles(const std::filesystem::path& folder) {
  std::map<std::string, std::vector<VitalRecord>> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() != L".mDat") continue;
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadAll(entry.path(), bytes)) continue;
    if (const auto contents = ParseMonitorFile(bytes)) files[contents->id.DisplayText()] = contents->records;
  }
  return files;
}

std::size_t Total(const std::map<std::string, std::vector<VitalRecord>>& files) {
  std::size_t total = 0;
  for (const auto& [id, records] : files) total += records.size();
  return total;
}

HWND MainWindowOf(DWORD process) {
  struct Search {
    DWORD process;
    HWND found;
  } search{process, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s.process && ::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == nullptr) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class ArchiveKillTest : public UiAppTest {
 protected:
  void TearDown() override {
    if (process_.hProcess != nullptr) {
      ::TerminateProcess(process_.hProcess, 1);
      ::WaitForSingleObject(process_.hProcess, 5000);
      ::CloseHandle(process_.hProcess);
      ::CloseHandle(process_.hThread);
    }
    UiAppTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(archive_, ignored);
  }

  std::filesystem::path archive_ =
      std::filesystem::temp_directory_path() / (L"wd-ui-kill-" + std::to_wstring(::GetCurrentProcessId()));
  PROCESS_INFORMATION process_{};
};

TEST_F(ArchiveKillTest, AKilledProgramLeavesEveryAcceptedReplyInTheArchiveAndReadsAsInterrupted) {
  std::filesystem::remove_all(archive_);
  SetLanguageValue(true, 1);
  SetArchiveFolderValue(archive_.wstring());
  const std::wstring stats = L"/tmp/wd-ui-kill-stats-" + std::to_wstring(::GetCurrentProcessId());
  RunUnixCommand(L"rm -f '" + stats + L"'");
  StartMonitor(L"--patients 3 --minutes 2000 --ward-round 40 --seed 11 --pace 115200 --per-reply 50 --stats " +
               stats);

  std::wstring line = L"\"" + (TestProgramFolder() / L"wardDesk.exe").wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_));
  HWND frame = nullptr;
  ASSERT_TRUE(ui_support::PumpUntil([&] { return (frame = MainWindowOf(process_.dwProcessId)) != nullptr; }, 30000));
  // Asked again until it starts: the program may still be finding the monitor.
  ASSERT_TRUE(ui_support::PumpUntil(
      [&] {
        if (!OnlyDownload(archive_).empty()) return true;
        ::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_START_COMM, 0), 0);
        ::Sleep(500);
        return false;
      },
      30000))
      << (ui_support::CaptureWindowToPng(frame, (ScreensFolder(L"archive") / L"kill_not_started.png").wstring(), true)
              ? "see kill_not_started.png"
              : "");

  // Killed once the journal holds a thousand records, while replies keep coming.
  std::filesystem::path folder;
  ASSERT_TRUE(ui_support::PumpUntil(
      [&] {
        folder = OnlyDownload(archive_);
        return !folder.empty() && Total(MonitoringFiles(folder)) >= 1000;
      },
      60000));
  ASSERT_TRUE(::TerminateProcess(process_.hProcess, 9));
  ASSERT_EQ(::WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  StopMonitor();  // writes its statistics

  const std::filesystem::path statsFile = L"Z:" + stats;
  ASSERT_TRUE(ui_support::PumpUntil([&] { return std::filesystem::exists(statsFile); }, 5000));
  std::size_t requests = 0;
  {
    std::ifstream in(statsFile);
    std::string key;
    std::size_t value = 0;
    while (in >> key >> value) {
      if (key == "requests") requests = value;
    }
  }
  RunUnixCommand(L"rm -f '" + stats + L"'");
  // A request goes out only after the reply before it was accepted and journaled; the reply to
  // the last request may or may not have been accepted when the program was killed.
  ASSERT_GE(requests, 2u);
  const std::size_t dataRequests = requests - 1;
  const Served served = ServedInOrder(sim::GenerateDataSet(kDataSet));
  ASSERT_LT(dataRequests, served.replyEnds.size()) << "the download ended before the kill";
  const auto files = MonitoringFiles(folder);
  const std::size_t kept = Total(files);
  const std::size_t atLeast = dataRequests >= 2 ? served.replyEnds[dataRequests - 2] : 0;
  const std::size_t atMost = served.replyEnds[dataRequests - 1];
  EXPECT_TRUE(kept == atLeast || kept == atMost)
      << kept << " records kept; accepted replies ended at " << atLeast << " or " << atMost;

  std::map<std::string, std::vector<VitalRecord>> expected;
  for (std::size_t i = 0; i < kept; ++i) {
    expected[served.records[i].first.DisplayText()].push_back(served.records[i].second);
  }
  ASSERT_EQ(files.size(), expected.size());
  for (const auto& [id, records] : expected) {
    const std::vector<VitalRecord>& archived = files.at(id);
    ASSERT_EQ(archived.size(), records.size()) << id;
    for (std::size_t i = 0; i < records.size(); ++i) {
      ASSERT_EQ(archived[i].ToBytes(), records[i].ToBytes()) << id << " record " << i;
    }
  }

  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(archive_, downloads));
  ASSERT_EQ(downloads.size(), 1u);
  EXPECT_EQ(downloads[0].result, DownloadResult::Interrupted);
  EXPECT_EQ(downloads[0].monitoringRecords, kept);
  EXPECT_EQ(downloads[0].persons, expected.size());

  // The archive view of a new program says so too.
  StartApp({.language = 1, .archiveFolder = archive_.wstring()});
  Command(ID_SHOW_ARCHIVE);
  ASSERT_TRUE(WaitFor([&] { return Frame().CurrentViewCode() == ViewCode::Archive; }));
  wchar_t result[64] = {};
  ListView_GetItemText(::GetDlgItem(ViewWindow(), IDC_ARCHIVE_DOWNLOADS), 0, 2, result, 64);
  EXPECT_STREQ(result, L"中断");
}

}  // namespace
}  // namespace wd::uitest
