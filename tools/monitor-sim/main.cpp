// monitor-sim: plays the monitor on a pty (or a given tty) for demos, tests and benchmarks.

#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/monitor-sim/pty_port.h"
#include "tools/monitor-sim/sim_options.h"
#include "tools/monitor-sim/sim_server.h"
#include "tools/wardcli/download_files.h"

namespace {

// Set from the signal handler; the serve loop looks at it between polls.
std::atomic<bool> gStop{false};

void OnSignal(int) { gStop = true; }

// The device addresses records with a 16-bit index.
constexpr std::size_t kMaxRecordsPerStore = 65535;

bool Export(const wd::sim::DataSet& data, const std::filesystem::path& folder) {
  wd::PatientStore store;
  {
    auto writer = store.Write();
    for (const auto& patient : data.monitoring) {
      wd::RecordList& list = writer.FindOrCreateRecordList(patient.id);
      for (const wd::VitalRecord& record : patient.records) writer.AppendRecord(list, record);
    }
    for (const auto& entry : data.wardRound) {
      writer.AppendRecord(writer.FindOrCreateRecordList(entry.id), entry.record);
    }
  }
  std::string error;
  if (!wd::cli::WriteDownloadFiles(store, folder, error)) {
    std::fprintf(stderr, "monitor-sim: %s\n", error.c_str());
    return false;
  }
  return true;
}

void WriteStats(const std::filesystem::path& path, const wd::sim::DeviceStats& stats) {
  std::ofstream out(path, std::ios::trunc);
  out << "requests " << stats.requests << "\nreplies " << stats.replies << "\nbytes_in "
      << stats.bytesIn << "\nbytes_out " << stats.bytesOut << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  wd::sim::SimOptions options;
  std::string error;
  if (!wd::sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "monitor-sim: %s\n%s", error.c_str(), wd::sim::kSimUsage);
    return 2;
  }

  wd::sim::DataSet data;
  if (options.loadFiles.empty()) {
    data = wd::sim::GenerateDataSet(options.generator);
  }
  for (const auto& file : options.loadFiles) {
    if (!wd::sim::LoadDataFile(file, data, error)) {
      std::fprintf(stderr, "monitor-sim: %s\n", error.c_str());
      return 3;
    }
  }
  if (data.MonitoringCount() > kMaxRecordsPerStore || data.wardRound.size() > kMaxRecordsPerStore) {
    std::fprintf(stderr, "monitor-sim: at most %zu records of each kind fit the 16-bit index\n",
                 kMaxRecordsPerStore);
    return 2;
  }
  if (options.exportTo) return Export(data, *options.exportTo) ? 0 : 1;

  std::optional<wd::sim::SimPort> port = options.tty
                                             ? wd::sim::SimPort::OpenTty(*options.tty, error)
                                             : wd::sim::SimPort::CreatePty(error);
  if (!port) {
    std::fprintf(stderr, "monitor-sim: %s\n", error.c_str());
    return 1;
  }
  if (options.link) {
    std::error_code ec;
    if (std::filesystem::is_symlink(*options.link, ec)) std::filesystem::remove(*options.link, ec);
    std::filesystem::create_symlink(port->name(), *options.link, ec);
    if (ec) {
      std::fprintf(stderr, "monitor-sim: cannot link %s: %s\n", options.link->c_str(),
                   ec.message().c_str());
      return 1;
    }
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGPIPE, SIG_IGN);
  std::printf("%s\n", port->name().c_str());
  std::fflush(stdout);
  std::fprintf(stderr, "monitor-sim: %zu monitoring and %zu ward-round records on %s\n",
               data.MonitoringCount(), data.wardRound.size(), port->name().c_str());

  wd::sim::MonitorDevice device(std::move(data), options.device, options.faults);
  wd::sim::Serve(*port, device, {options.pace, options.verbose}, gStop);

  if (options.statsFile) WriteStats(*options.statsFile, device.stats());
  if (options.link) {
    std::error_code ec;
    std::filesystem::remove(*options.link, ec);
  }
  return 0;
}
