// wardcli over a real pty, as a user meets it: a port held by another program, what a failed
// or stopped download leaves in the output folder, progress in a log, and the erase question.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "tests/device/wardcli_device_fixture.h"

namespace wd {
namespace {

using test::kData;
using test::Text;
using test::WardcliDevice;
using namespace std::chrono_literals;

// Whether the port is marked for one user (TIOCEXCL), as another program opening it sees.
std::optional<bool> MarkedExclusive(const std::filesystem::path& port) {
  const int fd = open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int exclusive = 0;
  const bool read = ioctl(fd, TIOCGEXCL, &exclusive) == 0;
  close(fd);
  return read ? std::optional(exclusive != 0) : std::nullopt;
}

// Waits until `file` holds `text`; false after ten seconds.
bool WaitForText(const std::filesystem::path& file, const std::string& text) {
  for (int i = 0; i < 2000; ++i) {
    if (Text(test::ReadBytes(file)).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

// A terminal for a child's standard input, with the user's keys typed in advance.
class Terminal {
 public:
  Terminal() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) name_ = ptsname(master_);
    if (!name_.empty()) held_ = open(name_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~Terminal() {
    if (held_ >= 0) close(held_);
    if (master_ >= 0) close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool ready() const { return held_ >= 0; }
  const std::string& name() const { return name_; }
  void Type(const std::string& keys) {
    EXPECT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

 private:
  int master_;
  int held_ = -1;  // keeps the terminal side open between the children that use it
  std::string name_;
};

TEST_F(WardcliDevice, ASecondClientOfAHeldPortIsRefusedAtOnceAndTheFirstGoesOn) {
  // At this wire rate the download takes near three seconds.
  StartGenerated({"--pace", "57600"});
  std::optional<sim::ChildProcess> first = sim::ChildProcess::Start(
      {WD_WARDCLI, "download", "--port", Port(), "--out", out().string()}, {}, dir_ / "first.err");
  ASSERT_TRUE(first);
  bool held = false;
  for (int i = 0; i < 500 && !held; ++i) {
    held = MarkedExclusive(Port()) == true;
    if (!held) std::this_thread::sleep_for(5ms);
  }
  ASSERT_TRUE(held) << "the first download never took the port";

  const auto start = std::chrono::steady_clock::now();
  const sim::RunResult second =
      Wardcli({"download", "--port", Port(), "--out", (dir_ / "second").string()});
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find("port busy"), std::string::npos) << second.err;
  std::filesystem::create_directories(dir_ / "simrun");
  const sim::RunResult simulator =
      sim::RunToEnd({WD_MONITOR_SIM, "--tty", Port()}, dir_ / "simrun", 5s);
  EXPECT_EQ(simulator.exitCode, 1);
  EXPECT_NE(simulator.err.find("port busy"), std::string::npos) << simulator.err;

  EXPECT_EQ(first->Wait(30s), 0) << Text(test::ReadBytes(dir_ / "first.err"));
  ExpectDownloadOf(sim::GenerateDataSet(kData));
  // Given back whole: the simulator's own descriptor keeps the pty, and others may open it.
  EXPECT_EQ(MarkedExclusive(Port()), false);
}

class WardcliEarlierDownload : public WardcliDevice {
 protected:
  // One person with 500 monitoring records, downloaded whole.
  void SetUp() override {
    StartSimulator(OnePerson());
    const sim::RunResult run = Download();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    file_ = out() / (FileNameForId(sim::GenerateDataSet(kOnePerson).monitoring[0].id) + ".mDat");
    complete_ = test::ReadBytes(file_);
    ASSERT_EQ(complete_.size(), 18u + 500u * 20u);
  }
  static std::vector<std::string> OnePerson() { return test::DataArgs(kOnePerson); }
  // The earlier file is as it was, and the partial folder holds `records` of the person.
  void ExpectKeptAndPartial(const sim::RunResult& run, std::size_t records) {
    EXPECT_EQ(test::ReadBytes(file_), complete_);
    const std::filesystem::path partial = PartialFolder();
    ASSERT_FALSE(partial.empty());
    EXPECT_EQ(std::filesystem::file_size(partial / file_.filename()), 18u + records * 20u);
    EXPECT_NE(run.err.find("is unchanged; the records received are in " + out().string() + "/" +
                           partial.filename().string()),
              std::string::npos)
        << run.err;
  }

  static constexpr sim::GeneratorOptions kOnePerson{1, 500, 0, 3};
  std::filesystem::path file_;
  std::vector<std::uint8_t> complete_;
};

TEST_F(WardcliEarlierDownload, AFailedDownloadReplacesNoFile) {
  // Requests: 0 count, 1 the first page, 2 to 4 the second page, all unanswered.
  std::vector<std::string> args = OnePerson();
  args.insert(args.end(), {"--per-reply", "100", "--fault", "no-reply@2,3,4"});
  StartSimulator(args);
  const sim::RunResult run = Download();
  EXPECT_EQ(run.exitCode, 1);
  ExpectKeptAndPartial(run, 100);
}

TEST_F(WardcliEarlierDownload, AStoppedDownloadReplacesNoFile) {
  std::vector<std::string> args = OnePerson();
  args.insert(args.end(), {"--per-reply", "50", "--pace", "9600"});  // about 10 s in all
  StartSimulator(args);
  std::optional<sim::ChildProcess> download = sim::ChildProcess::Start(
      {WD_WARDCLI, "download", "--port", Port(), "--out", out().string()}, {}, dir_ / "stop.err");
  ASSERT_TRUE(download);
  ASSERT_TRUE(WaitForText(dir_ / "stop.err", "% received"));
  EXPECT_EQ(download->Stop(), 1);  // SIGTERM stops the download like Ctrl+C
  sim::RunResult run;
  run.err = Text(test::ReadBytes(dir_ / "stop.err"));
  EXPECT_NE(run.err.find("download stopped"), std::string::npos) << run.err;
  ASSERT_EQ(std::filesystem::file_size(PartialFolder() / file_.filename()) % 20, 18u);
  const std::size_t kept =
      (std::filesystem::file_size(PartialFolder() / file_.filename()) - 18) / 20;
  EXPECT_GE(kept, 50u);
  EXPECT_LT(kept, 500u);
  ExpectKeptAndPartial(run, kept);
}

TEST_F(WardcliDevice, ALogGetsALineEveryTenPercentAndTheCountsAtTheEnd) {
  StartGenerated({"--per-reply", "37", "--ward-per-reply", "9"});
  const sim::RunResult run = Download();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::istringstream lines(run.err);
  std::vector<std::string> said;
  for (std::string line; std::getline(lines, line);) said.push_back(line);
  ASSERT_GE(said.size(), 4u);
  EXPECT_EQ(said.front(), "wardcli: the monitor holds 750 monitoring and 40 ward-round records");
  int tenths = 0;
  std::size_t progressLines = 0;
  for (const std::string& line : said) {
    int percent = 0;
    if (std::sscanf(line.c_str(), "wardcli: %d%% received", &percent) != 1) continue;
    EXPECT_GT(percent / 10, tenths) << line;
    tenths = percent / 10;
    ++progressLines;
  }
  EXPECT_EQ(tenths, 10);
  EXPECT_GE(progressLines, 8u);

  PatientStore expected;
  test::FillExpected(sim::GenerateDataSet(kData), true, true, expected);
  const cli::StoredCounts stored = cli::CountStored(expected);
  EXPECT_EQ(said.back(), "wardcli: monitoring records: 750 of 750 received, " +
                             std::to_string(stored.monitoring) + " stored; ward-round records: " +
                             "40 of 40 received, " + std::to_string(stored.wardRound) + " stored");
  EXPECT_LT(stored.wardRound, 40u);  // the planted spot check in a monitored minute
}

TEST_F(WardcliDevice, AnEraseIsAskedForOnATerminal) {
  StartGenerated();
  Terminal terminal;
  ASSERT_TRUE(terminal.ready());
  auto clear = [&](const std::string& keys) {
    terminal.Type(keys);
    std::optional<sim::ChildProcess> child =
        sim::ChildProcess::Start({WD_WARDCLI, "clear", "--port", Port()}, dir_ / "clear.out",
                                 dir_ / "clear.err", terminal.name());
    EXPECT_TRUE(child);
    const std::optional<int> status = child ? child->Wait(20s) : std::nullopt;
    EXPECT_NE(Text(test::ReadBytes(dir_ / "clear.err"))
                  .find("Erase the monitoring and the ward-round records on the monitor?"),
              std::string::npos);
    return status.value_or(-1);
  };
  EXPECT_EQ(clear("n\n"), 1);
  EXPECT_NE(Text(test::ReadBytes(dir_ / "clear.err")).find("nothing erased"), std::string::npos);
  // Without a terminal and without --yes nothing is erased either.
  EXPECT_EQ(Wardcli({"clear", "--port", Port()}).exitCode, 2);
  ASSERT_EQ(Download().exitCode, 0);
  ExpectDownloadOf(sim::GenerateDataSet(kData));

  EXPECT_EQ(clear("Yes\n"), 0);
  EXPECT_EQ(Text(test::ReadBytes(dir_ / "clear.out")), "Data erased.\n");
  EXPECT_NE(Download().err.find("No data!"), std::string::npos);
}

}  // namespace
}  // namespace wd
