// bench_download: a whole download from monitor-sim paced at 115200 baud, timed against the
// time its bytes need on the wire, with and without writing the archive as it arrives (the
// best of --repeat runs of each, taken in turns). Run by hand; prints what it measured on this
// machine.
//
//   bench_download [--patients N] [--minutes N] [--ward-round N] [--per-reply N] [--repeat N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
                    const std::vector<std::string>& cliArgs) {
  Measurement result;
  const auto stats = scratch / "stats";
  std::vector<std::string> simArgs{"--pace", "115200", "--stats", stats.string()};
  simArgs.insert(simArgs.end(), dataArgs.begin(), dataArgs.end());
  auto simulator = wd::sim::SimulatorProcess::Start(WD_MONITOR_SIM, scratch / "tty", simArgs);
  if (!simulator) {
    std::fputs("bench_download: monitor-sim did not start\n", stderr);
    return result;
  }
  std::vector<std::string> cli{WD_WARDCLI, "download",
                               "--port",   (scratch / "tty").string(),
                               "--out",    (scratch / "out").string(),
                               "--quiet"};
  cli.insert(cli.end(), cliArgs.begin(), cliArgs.end());
  const auto start = std::chrono::steady_clock::now();
  const wd::sim::RunResult run = wd::sim::RunToEnd(cli, scratch, 600s);
  result.elapsedSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  simulator->Stop();
  if (run.exitCode != 0) {
    std::fprintf(stderr, "bench_download: wardcli failed (%d): %s\n", run.exitCode,
                 run.err.c_str());
    return result;
  }
  auto counters = ReadStats(stats);
  result.wireBytes = counters["bytes_in"] + counters["bytes_out"];
  result.ok = result.wireBytes > 0;
  return result;
}

}  // namespace

struct Variant {
  std::string label;
  std::vector<std::string> cliArgs;
  int runs;
};

int main(int argc, char** argv) {
  std::map<std::string, std::string> options{{"--patients", "20"},
                                             {"--minutes", "1000"},
                                             {"--ward-round", "2000"},
                                             {"--per-reply", "100"},
                                             {"--repeat", "2"}};
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!options.contains(argv[i])) {
      std::fprintf(stderr,
                   "usage: bench_download [--patients N] [--minutes N] [--ward-round N] "
                   "[--per-reply N] [--repeat N]\n");
      return 2;
    }
    options[argv[i]] = argv[i + 1];
  }
  const int repeat = std::max(1, std::atoi(options["--repeat"].c_str()));
  std::vector<std::string> dataArgs;
  for (const auto& [flag, value] : options) {
    if (flag != "--repeat") dataArgs.insert(dataArgs.end(), {flag, value});
  }

  const auto scratch =
      std::filesystem::temp_directory_path() /
      ("bench_download-" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::printf(
      "download of %s patients x %s minutes + %s ward-round records, %s per reply, "
      "paced at 115200 baud, best of %d\n",
      options["--patients"].c_str(), options["--minutes"].c_str(), options["--ward-round"].c_str(),
      options["--per-reply"].c_str(), repeat);
  std::printf("%-28s %10s %12s %10s %8s\n", "polling", "elapsed s", "wire bytes", "wire s",
              "ratio");
  const std::string archive = (scratch / "archive").string();
  const std::vector<Variant> variants{{"every 10 ms", {}, repeat},
                                      {"every 10 ms, archived", {"--archive", archive}, repeat},
                                      {"every 100 ms (original)", {"--poll-ms", "100"}, 1}};
  std::vector<Measurement> best(variants.size());
  int failures = 0;
  // In turns, so a machine busy for a while slows both alike.
  for (int run = 0; run < repeat; ++run) {
    for (std::size_t v = 0; v < variants.size(); ++v) {
      if (run >= variants[v].runs) continue;
      const auto folder = scratch / ("run" + std::to_string(v) + "-" + std::to_string(run));
      std::filesystem::create_directories(folder);
      const Measurement m = Measure(folder, dataArgs, variants[v].cliArgs);
      if (!m.ok) {
        ++failures;
        continue;
      }
      if (!best[v].ok || m.elapsedSeconds < best[v].elapsedSeconds) best[v] = m;
    }
  }
  for (std::size_t v = 0; v < variants.size(); ++v) {
    if (!best[v].ok) continue;
    const double wireSeconds = static_cast<double>(best[v].wireBytes) / kWireBytesPerSecond;
    std::printf("%-28s %10.2f %12llu %10.2f %8.3f\n", variants[v].label.c_str(),
                best[v].elapsedSeconds, best[v].wireBytes, wireSeconds,
                best[v].elapsedSeconds / wireSeconds);
  }
  if (best[0].ok && best[1].ok) {
    std::printf("archiving: x%.4f of the plain download's time (the limit is x1.02)\n",
                best[1].elapsedSeconds / best[0].elapsedSeconds);
  }
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return failures == 0 ? 0 : 1;
}
