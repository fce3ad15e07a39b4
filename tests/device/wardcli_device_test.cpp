// wardcli download and clear against monitor-sim over a real pty.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <set>
#include <thread>

#include "data/data_files.h"
#include "tests/unit/monitor_test_support.h"
#include "tests/unit/test_support.h"
#include "tools/monitor-sim/data_generator.h"
#include "tools/monitor-sim/sim_process.h"
#include "tools/wardcli/download_files.h"

namespace wd {
namespace {

using namespace std::chrono_literals;

const sim::GeneratorOptions kData{3, 250, 40, 7};

std::vector<std::string> DataArgs(const sim::GeneratorOptions& data) {
  return {"--patients", std::to_string(data.patients), "--minutes", std::to_string(data.minutes),
          "--ward-round", std::to_string(data.wardRound), "--seed", std::to_string(data.seed)};
}

class WardcliDevice : public ::testing::Test {
 protected:
  // Starts the simulator with the data options plus `extra`.
  void StartSimulator(std::vector<std::string> args) {
    simulator_.reset();  // an earlier one would remove the new link as it ends
    simulator_ = sim::SimulatorProcess::Start(WD_MONITOR_SIM, dir_ / "tty", std::move(args),
                                              dir_ / "sim.err");
    ASSERT_TRUE(simulator_) << "monitor-sim did not start";
  }
  void StartGenerated(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = DataArgs(kData);
    args.insert(args.end(), extra.begin(), extra.end());
    StartSimulator(args);
  }
  sim::RunResult Wardcli(std::vector<std::string> args) {
    args.insert(args.begin(), WD_WARDCLI);
    const auto scratch = dir_ / ("run" + std::to_string(runs_++));
    std::filesystem::create_directories(scratch);
    return sim::RunToEnd(args, scratch, 60s);
  }
  sim::RunResult Download(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"download", "--port", (dir_ / "tty").string(), "--out",
                                  out().string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return Wardcli(args);
  }
  std::filesystem::path out() const { return dir_ / "out"; }

  // The folder's files read back into a store, as the window program's imports would.
  void ReadBack(PatientStore& store) {
    // Monitoring files first: a download files each person's monitoring records before the
    // ward-round ones.
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(out())) files.push_back(entry.path());
    std::sort(files.begin(), files.end(), [](const auto& x, const auto& y) {
      return (x.extension() == ".mDat") > (y.extension() == ".mDat");
    });
    for (const auto& path : files) {
      if (path.extension() == ".mDat") {
        ASSERT_TRUE(ReadMonitorFile(store, path)) << path;
        const auto id = ParseMonitorFile(test::ReadBytes(path))->id;
        EXPECT_EQ(path.filename().string(), cli::FileNameForId(id) + ".mDat");
      } else {
        ASSERT_EQ(path.filename(), cli::kWardRoundFileName);
        ASSERT_TRUE(ReadCheckFile(store, path));
      }
    }
  }
  void ExpectDownloadOf(const sim::DataSet& data, bool monitoring = true, bool wardRound = true) {
    PatientStore expected;
    test::FillExpected(data, monitoring, wardRound, expected);
    PatientStore actual;
    ReadBack(actual);
    test::ExpectSameRecords(expected, actual);
  }

  test::TempDir dir_;
  std::optional<sim::SimulatorProcess> simulator_;
  int runs_ = 0;
};

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
    EXPECT_EQ(entry.path().filename(), cli::kWardRoundFileName);
  }
  std::filesystem::remove_all(out());
  run = Download({"--monitoring"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectDownloadOf(sim::GenerateDataSet(kData), true, false);
  EXPECT_FALSE(std::filesystem::exists(out() / cli::kWardRoundFileName));
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
  StartGenerated({"--fault", "no-reply@1", "--fault", "bad-checksum@3", "--fault", "wrong-index@5",
                  "--fault", "refuse@7", "--fault", "bad-length@9", "--fault", "garbage@11",
                  "--fault", "cut@13", "--fault", "cut@17",
                  "--per-reply", "20", "--ward-per-reply", "5"});
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
  StartGenerated({"--fault", "no-reply@0,1,2"});
  const sim::RunResult run = Download();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("通讯错误!"), std::string::npos) << run.err;
}

TEST_F(WardcliDevice, ThreeFailuresOnOnePageKeepWhatArrivedBefore) {
  StartGenerated({"--per-reply", "100", "--fault", "bad-checksum@2", "--fault", "wrong-index@3",
                  "--fault", "no-reply@4"});
  const sim::RunResult run = Download({"--monitoring"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("download incomplete"), std::string::npos) << run.err;
  // The first page (100 records of the first person) was written.
  const sim::DataSet data = sim::GenerateDataSet(kData);
  PatientStore actual;
  ReadBack(actual);
  auto reader = actual.Read();
  ASSERT_EQ(reader.PatientCount(), 1u);
  EXPECT_EQ(reader.entries().front().key, data.monitoring[0].id);
  EXPECT_EQ(reader.entries().front().records.size(), 100u);
}

TEST_F(WardcliDevice, ADisconnectEndsWithTheCommunicationErrorAndKeepsTheRecords) {
  StartGenerated({"--per-reply", "50", "--fault", "disconnect-after=3"});
  const sim::RunResult run = Download({"--monitoring"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("通讯错误!"), std::string::npos) << run.err;
  PatientStore actual;
  ReadBack(actual);
  auto reader = actual.Read();
  std::size_t records = 0;
  for (const auto& entry : reader.entries()) records += entry.records.size();
  EXPECT_EQ(records, 100u);
  EXPECT_EQ(simulator_->Wait(5s), 0);  // the simulator ended on its own
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Whether the port is marked for one user (TIOCEXCL), as another program opening it sees.
std::optional<bool> MarkedExclusive(const std::filesystem::path& port) {
  const int fd = open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int exclusive = 0;
  const bool read = ioctl(fd, TIOCGEXCL, &exclusive) == 0;
  close(fd);
  return read ? std::optional(exclusive != 0) : std::nullopt;
}

TEST_F(WardcliDevice, ASecondClientOfAHeldPortIsRefusedAtOnceAndTheFirstGoesOn) {
  // At the wire rate the download takes over a second.
  StartGenerated({"--pace", "115200"});
  const std::string tty = (dir_ / "tty").string();
  std::optional<sim::ChildProcess> first = sim::ChildProcess::Start(
      {WD_WARDCLI, "download", "--port", tty, "--out", out().string()}, {}, dir_ / "first.err");
  ASSERT_TRUE(first);
  bool held = false;
  for (int i = 0; i < 500 && !held; ++i) {
    held = MarkedExclusive(tty) == true;
    if (!held) std::this_thread::sleep_for(5ms);
  }
  ASSERT_TRUE(held) << "the first download never took the port";

  const auto start = std::chrono::steady_clock::now();
  const sim::RunResult second =
      Wardcli({"download", "--port", tty, "--out", (dir_ / "second").string()});
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find("port busy"), std::string::npos) << second.err;
  std::filesystem::create_directories(dir_ / "simrun");
  const sim::RunResult simulator = sim::RunToEnd({WD_MONITOR_SIM, "--tty", tty}, dir_ / "simrun", 5s);
  EXPECT_EQ(simulator.exitCode, 1);
  EXPECT_NE(simulator.err.find("port busy"), std::string::npos) << simulator.err;

  EXPECT_EQ(first->Wait(30s), 0) << Text(test::ReadBytes(dir_ / "first.err"));
  ExpectDownloadOf(sim::GenerateDataSet(kData));
  // Given back whole: the simulator's own descriptor keeps the pty, and others may open it.
  EXPECT_EQ(MarkedExclusive(tty), false);
}

TEST_F(WardcliDevice, EraseEmptiesTheStoresTheUserNames) {
  StartGenerated();
  sim::RunResult run = Wardcli({"clear", "--port", (dir_ / "tty").string(), "--ward-round"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "成功删除\n");
  run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out() / cli::kWardRoundFileName));
  ExpectDownloadOf(sim::GenerateDataSet(kData), true, false);

  run = Wardcli({"clear", "--port", (dir_ / "tty").string()});
  EXPECT_EQ(run.exitCode, 0);
  run = Download();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("没有数据!"), std::string::npos) << run.err;
}

TEST_F(WardcliDevice, AnEraseTheMonitorNeverConfirmsFails) {
  StartGenerated({"--fault", "no-reply@0,1,2"});
  const sim::RunResult run = Wardcli({"clear", "--port", (dir_ / "tty").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "删除失败\n");
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
  EXPECT_EQ(Wardcli({"clear", "--port", (dir_ / "plain").string()}).exitCode, 1);
}

}  // namespace
}  // namespace wd
