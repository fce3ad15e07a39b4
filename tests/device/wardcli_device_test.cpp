// wardcli download and clear against monitor-sim over a real pty.

#include "tests/device/wardcli_device_fixture.h"

namespace wd {
namespace {

using test::DataArgs;
using test::kData;
using test::WardcliDevice;
using namespace std::chrono_literals;

TEST_F(WardcliDevice, AFullDownloadHoldsEveryServedRecordOnce) {
  StartGenerated({"--per-reply", "37", "--ward-per-reply", "9"});
  const sim::RunResult run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(kData));
  // Three monitored people and the ward-round file.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(out())) ++files;
  EXPECT_EQ(files, 4u);
}

TEST_F(WardcliDevice, OneKindOnlyWhenAsked) {
  StartGenerated();
  sim::RunResult run = Download({"--ward-round"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(kData), false, true);
  for (const auto& entry : std::filesystem::directory_iterator(out())) {
    EXPECT_EQ(entry.path().filename(), kWardRoundFileName);
  }
  std::filesystem::remove_all(out());
  run = Download({"--monitoring"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(kData), true, false);
  EXPECT_FALSE(std::filesystem::exists(out() / kWardRoundFileName));
}

TEST_F(WardcliDevice, RecordsLoadedFromFilesAreServedAndDuplicatesDropped) {
  // A monitoring file with one minute twice, and a spot check in a monitored minute.
  const PatientId a = test::Id("110105194912310021");
  const PatientId b = test::Id("44030519900101123X");
  std::vector<std::uint8_t> monitoring(a.bytes.begin(), a.bytes.end());
  for (int minute : {0, 1, 1, 2}) {
    const auto bytes = test::Record(RecordKind::Monitoring, 3, 10, minute, 90 + minute).ToBytes();
    monitoring.insert(monitoring.end(), bytes.begin(), bytes.end());
  }
  test::WriteBytes(dir_ / "a.mDat", monitoring);
  std::vector<std::uint8_t> check;
  for (const auto& [id, minute] : std::vector<std::pair<PatientId, int>>{{a, 2}, {b, 5}, {b, 6}}) {
    check.insert(check.end(), id.bytes.begin(), id.bytes.end());
    const auto bytes = test::Record(RecordKind::WardRound, 3, 11, minute).ToBytes();
    check.insert(check.end(), bytes.begin(), bytes.end());
  }
  test::WriteBytes(dir_ / "w.cDat", check);
  StartSimulator({"--load", (dir_ / "a.mDat").string(), "--load", (dir_ / "w.cDat").string()});

  const sim::RunResult run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  PatientStore actual;
  ReadBack(actual);
  auto reader = actual.Read();
  ASSERT_NE(reader.FindRecordList(a), nullptr);
  EXPECT_EQ(reader.FindRecordList(a)->MonitoringCount(), 3u);
  EXPECT_EQ(reader.FindRecordList(a)->WardRoundCount(), 1u);  // minute 11:02 is new for A
  EXPECT_EQ(reader.FindRecordList(b)->WardRoundCount(), 2u);
  EXPECT_EQ((*reader.FindRecordList(a))[1].spo2, 91);  // the first of the two 10:01 records
}

TEST_F(WardcliDevice, EveryNamedFaultOnADataRequestIsRetriedAndTheDownloadCompletes) {
  // Requests: 0 count, 1.. monitoring pages, later ward-round pages.
  StartGenerated({"--fault",       "no-reply@1",  "--fault",  "bad-checksum@3",   "--fault",
                  "wrong-index@5", "--fault",     "refuse@7", "--fault",          "bad-length@9",
                  "--fault",       "garbage@11",  "--fault",  "cut@13",           "--fault",
                  "cut@17",        "--per-reply", "20",       "--ward-per-reply", "5"});
  const sim::RunResult run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(kData));
}

TEST_F(WardcliDevice, RepliesLargerThanTheLineQueueArriveWhole) {
  // 277 records of one person, and 139 ward-round entries: payloads past 4,992 bytes, more
  // than a pty queues at once.
  const sim::GeneratorOptions data{2, 400, 150, 3};
  std::vector<std::string> args = DataArgs(data);
  args.insert(args.end(), {"--fault", "oversized@1", "--fault", "oversized@5"});
  StartSimulator(args);
  const sim::RunResult run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(data));
}

TEST_F(WardcliDevice, ACountReplyThatFailsIsAskedAgain) {
  // A wrong length word; stray bytes before the reply; a reply completed 1.3 s after its
  // request, whose tail arrives while the second attempt waits.
  for (const char* fault : {"bad-length@0", "garbage@0", "late@0"}) {
    StartGenerated({"--fault", fault, "--fault", "garbage@3"});
    std::filesystem::remove_all(out());
    const sim::RunResult run = Download();
    ASSERT_EQ(run.exitCode, 0) << fault << "\n" << run.err;
    ExpectDownloadOf(sim::GenerateDataSet(kData));
  }
}

TEST_F(WardcliDevice, AnUnansweredCountEndsWithTheCommunicationError) {
  StartGenerated({"--fault", "no-reply@0,1,2,3,4,5"});
  sim::RunResult run = Download();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("wardcli: Communication error!\n"), std::string::npos) << run.err;
  // The program's own Chinese text when asked.
  run = Download({"--lang", "zh"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("wardcli: 通讯错误!\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nothing received"), std::string::npos) << run.err;
}

TEST_F(WardcliDevice, ThreeFailuresOnOnePageKeepWhatArrivedBefore) {
  StartGenerated({"--per-reply", "100", "--fault", "bad-checksum@2", "--fault", "wrong-index@3",
                  "--fault", "no-reply@4"});
  const sim::RunResult run = Download({"--monitoring"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("download incomplete"), std::string::npos) << run.err;
  // The first page (100 records of the first person) was kept, beside the output folder's
  // own files.
  const sim::DataSet data = sim::GenerateDataSet(kData);
  PatientStore actual;
  ReadBack(actual, PartialFolder());
  auto reader = actual.Read();
  ASSERT_EQ(reader.PatientCount(), 1u);
  EXPECT_EQ(reader.entries().front().key, data.monitoring[0].id);
  EXPECT_EQ(reader.entries().front().records.size(), 100u);
}

TEST_F(WardcliDevice, ADisconnectEndsWithTheCommunicationErrorAndKeepsTheRecords) {
  StartGenerated({"--per-reply", "50", "--fault", "disconnect-after=3"});
  const sim::RunResult run = Download({"--monitoring"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Communication error!"), std::string::npos) << run.err;
  PatientStore actual;
  ReadBack(actual, PartialFolder());
  auto reader = actual.Read();
  std::size_t records = 0;
  for (const auto& entry : reader.entries()) records += entry.records.size();
  EXPECT_EQ(records, 100u);
  EXPECT_EQ(simulator_->Wait(5s), 0);  // the simulator ended on its own
}

TEST_F(WardcliDevice, EraseEmptiesTheStoresTheUserNames) {
  StartGenerated();
  sim::RunResult run = Wardcli({"clear", "--port", Port(), "--ward-round", "--yes"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "Data erased.\n");
  run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out() / kWardRoundFileName));
  ExpectDownloadOf(sim::GenerateDataSet(kData), true, false);

  run = Wardcli({"clear", "--port", Port(), "--yes", "--lang", "zh"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "成功删除\n");
  run = Download();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("No data!"), std::string::npos) << run.err;
}

TEST_F(WardcliDevice, AnEraseTheMonitorNeverConfirmsFails) {
  StartGenerated({"--fault", "no-reply@0,1,2"});
  const sim::RunResult run = Wardcli({"clear", "--port", Port(), "--yes"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "Erase failed!\n");
}

TEST_F(WardcliDevice, UsageAndPortErrors) {
  EXPECT_EQ(Wardcli({"download", "--port", "/dev/null"}).exitCode, 2);  // no --out
  EXPECT_EQ(Wardcli({"download", "--out", out().string(), "--bogus"}).exitCode, 2);
  EXPECT_EQ(Wardcli({"clear", "--port"}).exitCode, 2);
  const sim::RunResult missing =
      Wardcli({"download", "--port", (dir_ / "none").string(), "--out", out().string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Failed to open serial port!"), std::string::npos) << missing.err;
  // A file that is no tty is refused as well.
  test::WriteBytes(dir_ / "plain", {1, 2, 3});
  EXPECT_EQ(Wardcli({"clear", "--port", (dir_ / "plain").string(), "--yes"}).exitCode, 1);
}

}  // namespace
}  // namespace wd
