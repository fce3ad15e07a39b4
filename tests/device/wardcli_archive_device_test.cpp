// wardcli download --archive against monitor-sim: the archive is a journal, so a download
// killed in the middle has kept every record of every reply it accepted; and clear --archive
// tells whether the monitor's records are archived.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <thread>

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "tests/device/killed_download_check.h"
#include "tests/device/wardcli_device_fixture.h"

namespace wd {
namespace {

using test::DataArgs;
using test::MonitoringFiles;
using test::OnlyDownload;
using test::RecordsSoFar;
using test::StatOf;
using test::Text;
using test::Total;
using test::WardcliDevice;
using namespace std::chrono_literals;

TEST_F(WardcliDevice, AKilledArchivingDownloadKeepsEveryRecordOfEveryAcceptedReply) {
  // 6,000 monitoring records in replies of 50 at 115,200 baud: about ten seconds.
  const sim::GeneratorOptions data{3, 2000, 40, 11};
  std::vector<std::string> args = DataArgs(data);
  args.insert(args.end(),
              {"--pace", "115200", "--per-reply", "50", "--stats", (dir_ / "stats").string()});
  StartSimulator(args);
  const std::filesystem::path archive = dir_ / "archive";
  std::optional<sim::ChildProcess> download = sim::ChildProcess::Start(
      {WD_WARDCLI, "download", "--port", Port(), "--archive", archive.string()}, {},
      dir_ / "download.err");
  ASSERT_TRUE(download);

  // Killed once the journal holds a thousand records, while replies keep coming.
  std::filesystem::path folder;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (std::chrono::steady_clock::now() < deadline) {
    folder = OnlyDownload(archive);
    if (!folder.empty() && RecordsSoFar(folder) >= 1000) break;
    std::this_thread::sleep_for(5ms);
  }
  ASSERT_FALSE(folder.empty()) << Text(test::ReadBytes(dir_ / "download.err"));
  EXPECT_EQ(download->Kill(), 128 + 9);
  simulator_->Stop();  // writes its statistics

  // wardcli sends a request only after the reply before it was accepted and archived; the
  // reply to its last request may or may not have been accepted when it was killed.
  const std::uint64_t requests = StatOf(dir_ / "stats", "requests");
  ASSERT_GE(requests, 2u);
  const std::size_t dataRequests = requests - 1;
  const test::Served served = test::ServedInOrder(sim::GenerateDataSet(data), 50);
  const auto files = MonitoringFiles(folder);
  const std::size_t kept = Total(files);
  std::size_t persons = 0;
  EXPECT_TRUE(test::KeptAsServed(served, dataRequests, files, persons));

  // The archive tells the download was interrupted, with what it holds.
  const sim::RunResult list = Wardcli({"archive", "list", archive.string()});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const std::string line = folder.filename().string() + ",";
  const std::size_t at = list.out.find("\n" + line);
  ASSERT_NE(at, std::string::npos) << list.out;
  const std::string row = list.out.substr(at + 1, list.out.find('\n', at + 1) - at - 1);
  EXPECT_NE(row.find(",interrupted," + std::to_string(persons) + "," + std::to_string(kept) + ",0"),
            std::string::npos)
      << row;
}

TEST_F(WardcliDevice, ACompleteArchivedDownloadVouchesForTheErase) {
  StartGenerated({"--per-reply", "37"});
  const std::filesystem::path archive = dir_ / "archive";
  // Nothing archived yet: said, and the erase refused without --yes.
  std::filesystem::create_directories(archive);
  sim::RunResult clear = Wardcli({"clear", "--port", Port(), "--archive", archive.string()});
  EXPECT_EQ(clear.exitCode, 2);
  EXPECT_NE(clear.err.find("the monitor holds 750 monitoring and 40 ward-round records; the "
                           "records to erase are NOT in the archive"),
            std::string::npos)
      << clear.err;

  // A download into the archive alone, then files from it as from --out.
  sim::RunResult run = Wardcli({"download", "--port", Port(), "--archive", archive.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::filesystem::path folder = OnlyDownload(archive);
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(run.err.find("archived as " + archive.string() + "/" + folder.filename().string() +
                         " (complete)"),
            std::string::npos)
      << run.err;
  PatientStore fromArchive;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".mDat") {
      ASSERT_TRUE(ReadMonitorFile(fromArchive, entry.path()));
    }
  }
  std::size_t archivedRecords = 0;
  for (const auto& entry : fromArchive.Read().entries()) archivedRecords += entry.records.size();
  EXPECT_EQ(archivedRecords, 750u);
  std::optional<DownloadSummary> summary = ReadDownloadSummary(archive, folder.filename().string());
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->result, DownloadResult::Complete);
  EXPECT_EQ(summary->index.totals, (DeviceTotals{750, 40}));
  EXPECT_EQ(summary->wardRoundRecords, 40u);  // the spot check memory dropped is archived

  // Now the same totals are archived: erased at the user's word.
  clear = Wardcli({"clear", "--port", Port(), "--archive", archive.string(), "--yes"});
  EXPECT_EQ(clear.exitCode, 0) << clear.err;
  EXPECT_NE(clear.err.find("the records to erase are in the archive " + archive.string() + "/" +
                           folder.filename().string()),
            std::string::npos)
      << clear.err;
  EXPECT_EQ(clear.out, "Data erased.\n");
}

}  // namespace
}  // namespace wd
