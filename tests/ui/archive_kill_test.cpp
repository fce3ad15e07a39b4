// The real wardDesk.exe killed in the middle of a download: the archive holds the records of
// every reply it accepted, record by record, and reads as an interrupted download.

#include "tests/ui/ui_app_fixture.h"

#include <commctrl.h>

#include <chrono>
#include <thread>

#include "archive/archive_reader.h"
#include "res/resource.h"
#include "tests/device/killed_download_check.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"
#include "tools/monitor-sim/data_generator.h"

namespace wd::uitest {
namespace {

using test::MonitoringFiles;
using test::OnlyDownload;
using test::RecordsSoFar;
using test::Total;

// 6,000 monitoring records in replies of 50 at 115,200 baud: about ten seconds of download.
const sim::GeneratorOptions kKillDataSet{3, 2000, 40, 11};
constexpr std::size_t kPerReply = 50;

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
        if (owner == s.process && ::IsWindowVisible(window) &&
            ::GetWindow(window, GW_OWNER) == nullptr) {
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

  std::filesystem::path archive_ = std::filesystem::temp_directory_path() /
                                   (L"wd-ui-kill-" + std::to_wstring(::GetCurrentProcessId()));
  PROCESS_INFORMATION process_{};
};

TEST_F(ArchiveKillTest, AKilledProgramLeavesEveryAcceptedReplyInTheArchiveAndReadsAsInterrupted) {
  std::filesystem::remove_all(archive_);
  SetLanguageValue(true, 1);
  SetArchiveFolderValue(archive_.wstring());
  const std::wstring stats = L"/tmp/wd-ui-kill-stats-" + std::to_wstring(::GetCurrentProcessId());
  RunUnixCommand(L"rm -f '" + stats + L"'");
  StartMonitor(
      L"--patients 3 --minutes 2000 --ward-round 40 --seed 11 --pace 115200 --per-reply 50 "
      L"--stats " +
      stats);

  std::wstring line = L"\"" + (TestProgramFolder() / L"wardDesk.exe").wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process_));
  HWND frame = nullptr;
  ASSERT_TRUE(ui_support::PumpUntil(
      [&] { return (frame = MainWindowOf(process_.dwProcessId)) != nullptr; }, 30000));
  // Asked again until it starts: the program may still be finding the monitor.
  ASSERT_TRUE(ui_support::PumpUntil(
      [&] {
        if (!OnlyDownload(archive_).empty()) return true;
        ::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_START_COMM, 0), 0);
        ::Sleep(500);
        return false;
      },
      30000))
      << (ui_support::CaptureWindowToPng(
              frame, (ScreensFolder(L"archive") / L"kill_not_started.png").wstring(), true)
              ? "see kill_not_started.png"
              : "");

  // Killed once the journal holds a thousand records, while replies keep coming.
  std::filesystem::path folder;
  ASSERT_TRUE(ui_support::PumpUntil(
      [&] {
        folder = OnlyDownload(archive_);
        return !folder.empty() && RecordsSoFar(folder) >= 1000;
      },
      60000));
  ASSERT_TRUE(::TerminateProcess(process_.hProcess, 9));
  ASSERT_EQ(::WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  StopMonitor();  // writes its statistics

  const std::filesystem::path statsFile = L"Z:" + stats;
  ASSERT_TRUE(ui_support::PumpUntil([&] { return std::filesystem::exists(statsFile); }, 5000));
  const std::uint64_t requests = test::StatOf(statsFile, "requests");
  RunUnixCommand(L"rm -f '" + stats + L"'");
  ASSERT_GE(requests, 2u);
  const test::Served served = test::ServedInOrder(sim::GenerateDataSet(kKillDataSet), kPerReply);
  const auto files = MonitoringFiles(folder);
  const std::size_t kept = Total(files);
  std::size_t persons = 0;
  EXPECT_TRUE(test::KeptAsServed(served, requests - 1, files, persons));

  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(archive_, downloads));
  ASSERT_EQ(downloads.size(), 1u);
  EXPECT_EQ(downloads[0].result, DownloadResult::Interrupted);
  EXPECT_EQ(downloads[0].monitoringRecords, kept);
  EXPECT_EQ(downloads[0].persons, persons);

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
