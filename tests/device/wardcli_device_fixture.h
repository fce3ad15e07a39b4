#pragma once
// wardcli against monitor-sim over a real pty: the simulator and wardcli run as child
// processes, and a download's files are read back as the window program's imports would.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "data/data_files.h"
#include "tests/unit/monitor_test_support.h"
#include "tests/unit/test_support.h"
#include "tools/monitor-sim/data_generator.h"
#include "tools/monitor-sim/sim_process.h"
#include "tools/wardcli/download_files.h"

namespace wd::test {

using namespace std::chrono_literals;

inline const sim::GeneratorOptions kData{3, 250, 40, 7};

inline std::vector<std::string> DataArgs(const sim::GeneratorOptions& data) {
  return {"--patients",   std::to_string(data.patients),  "--minutes", std::to_string(data.minutes),
          "--ward-round", std::to_string(data.wardRound), "--seed",    std::to_string(data.seed)};
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
  static void ReadBack(PatientStore& store, const std::filesystem::path& folder) {
    // Monitoring files first: a download files each person's monitoring records before the
    // ward-round ones.
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end(), [](const auto& x, const auto& y) {
      return (x.extension() == ".mDat") > (y.extension() == ".mDat");
    });
    for (const auto& path : files) {
      if (path.extension() == ".mDat") {
        ASSERT_TRUE(ReadMonitorFile(store, path)) << path;
        const auto id = ParseMonitorFile(ReadBytes(path))->id;
        EXPECT_EQ(path.filename().string(), FileNameForId(id) + ".mDat");
      } else {
        ASSERT_EQ(path.filename(), kWardRoundFileName);
        ASSERT_TRUE(ReadCheckFile(store, path));
      }
    }
  }
  void ReadBack(PatientStore& store) { ReadBack(store, out()); }
  void ExpectDownloadOf(const sim::DataSet& data, bool monitoring = true, bool wardRound = true) {
    PatientStore expected;
    FillExpected(data, monitoring, wardRound, expected);
    PatientStore actual;
    ReadBack(actual);
    ExpectSameRecords(expected, actual);
  }
  // The one folder a failed download left its records in, or an empty path.
  std::filesystem::path PartialFolder() const {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(out())) {
      if (entry.is_directory() && entry.path().filename().string().starts_with("partial-")) {
        found.push_back(entry.path());
      }
    }
    EXPECT_EQ(found.size(), 1u);
    return found.size() == 1 ? found[0] : std::filesystem::path();
  }
  std::string Port() const { return (dir_ / "tty").string(); }

  TempDir dir_;
  std::optional<sim::SimulatorProcess> simulator_;
  int runs_ = 0;
};

inline std::string Text(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

}  // namespace wd::test
