// bench_download: a whole download from monitor-sim paced at 115200 baud, timed against the
// time its bytes need on the wire. Run by hand; prints what it measured on this machine.
//
//   bench_download [--patients N] [--minutes N] [--ward-round N] [--per-reply N]

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/monitor-sim/sim_process.h"

namespace {

using namespace std::chrono_literals;
constexpr double kWireBytesPerSecond = 115200.0 / 10.0;  // 8N1: ten bits a byte

struct Measurement {
  bool ok = false;
  double elapsedSeconds = 0;
  unsigned long long wireBytes = 0;
};

std::map<std::string, unsigned long long> ReadStats(const std::filesystem::path& path) {
  std::map<std::string, unsigned long long> stats;
  std::ifstream in(path);
  std::string name;
  unsigned long long value = 0;
  while (in >> name >> value) stats[name] = value;
  return stats;
}

Measurement Measure(const std::filesystem::path& scratch, const std::vector<std::string>& dataArgs,
                    const std::vector<std::string>& pollArgs) {
  Measurement result;
  const auto stats = scratch / "stats";
  std::vector<std::string> simArgs{"--pace", "115200", "--stats", stats.string()};
  simArgs.insert(simArgs.end(), dataArgs.begin(), dataArgs.end());
  auto simulator = wd::sim::SimulatorProcess::Start(WD_MONITOR_SIM, scratch / "tty", simArgs);
  if (!simulator) {
    std::fputs("bench_download: monitor-sim did not start\n", stderr);
    return result;
  }
  std::vector<std::string> cli{WD_WARDCLI, "download", "--port", (scratch / "tty").string(),
                               "--out", (scratch / "out").string(), "--quiet"};
  cli.insert(cli.end(), pollArgs.begin(), pollArgs.end());
  const auto start = std::chrono::steady_clock::now();
  const wd::sim::RunResult run = wd::sim::RunToEnd(cli, scratch, 600s);
  result.elapsedSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  simulator->Stop();
  if (run.exitCode != 0) {
    std::fprintf(stderr, "bench_download: wardcli failed (%d): %s\n", run.exitCode, run.err.c_str());
    return result;
  }
  auto counters = ReadStats(stats);
  result.wireBytes = counters["bytes_in"] + counters["bytes_out"];
  result.ok = result.wireBytes > 0;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> options{
      {"--patients", "20"}, {"--minutes", "1000"}, {"--ward-round", "2000"}, {"--per-reply", "100"}};
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!options.contains(argv[i])) {
      std::fprintf(stderr, "usage: bench_download [--patients N] [--minutes N] [--ward-round N] "
                           "[--per-reply N]\n");
      return 2;
    }
    options[argv[i]] = argv[i + 1];
  }
  std::vector<std::string> dataArgs;
  for (const auto& [flag, value] : options) dataArgs.insert(dataArgs.end(), {flag, value});

  const auto scratch = std::filesystem::temp_directory_path() /
                       ("bench_download-" + std::to_string(std::chrono::steady_clock::now()
                                                                .time_since_epoch().count()));
  std::printf("download of %s patients x %s minutes + %s ward-round records, %s per reply, "
              "paced at 115200 baud\n",
              options["--patients"].c_str(), options["--minutes"].c_str(),
              options["--ward-round"].c_str(), options["--per-reply"].c_str());
  std::printf("%-22s %10s %12s %10s %8s\n", "polling", "elapsed s", "wire bytes", "wire s", "ratio");
  int failures = 0;
  for (const auto& [label, pollArgs] :
       std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"every 10 ms", {}}, {"every 100 ms (original)", {"--poll-ms", "100"}}}) {
    const auto folder = scratch / (pollArgs.empty() ? "fine" : "coarse");
    std::filesystem::create_directories(folder);
    const Measurement m = Measure(folder, dataArgs, pollArgs);
    if (!m.ok) {
      ++failures;
      continue;
    }
    const double wireSeconds = static_cast<double>(m.wireBytes) / kWireBytesPerSecond;
    std::printf("%-22s %10.2f %12llu %10.2f %8.3f\n", label.c_str(), m.elapsedSeconds,
                m.wireBytes, wireSeconds, m.elapsedSeconds / wireSeconds);
    std::fflush(stdout);
  }
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return failures == 0 ? 0 : 1;
}
