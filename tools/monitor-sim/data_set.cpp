#include "tools/monitor-sim/data_set.h"

#include <algorithm>
#include <cctype>

#include "data/data_files.h"
#include "data/file_io.h"

namespace wd::sim {
namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

std::size_t DataSet::MonitoringCount() const {
  std::size_t count = 0;
  for (const MonitoringPatient& patient : monitoring) count += patient.records.size();
  return count;
}

bool LoadDataFile(const std::filesystem::path& path, DataSet& into, std::string& error) {
  const std::string extension = LowerExtension(path);
  if (extension != ".mdat" && extension != ".cdat") {
    error = path.string() + ": neither a .mDat nor a .cDat file";
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (const FileResult read = fileio::ReadAll(path, bytes); !read) {
    error = path.string() + ": " + Describe(read);
    return false;
  }
  if (extension == ".mdat") {
    const auto contents = ParseMonitorFile(bytes);
    if (!contents) {
      error = path.string() + ": shorter than a patient id";
      return false;
    }
    into.monitoring.push_back({contents->id, contents->records});
    return true;
  }
  for (const CheckFileUnit& unit : ParseCheckFile(bytes).units) {
    into.wardRound.push_back({unit.id, unit.record});
  }
  return true;
}

}  // namespace wd::sim
