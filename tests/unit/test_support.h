#pragma once
// Helpers shared by the native and Windows unit tests.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd::test {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("wd-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Names of everything in the folder, to catch stray temporary files.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline PatientId Id(const std::string& text) { return PatientId::FromText(text); }

// A record at the given minute with recognisable values.
inline VitalRecord Record(RecordKind kind, int day, int hour, int minute, int spo2 = 97) {
  VitalRecord r{};
  r.kind = static_cast<std::uint8_t>(kind);
  r.year = 23;
  r.month = 6;
  r.day = static_cast<std::uint8_t>(day);
  r.hour = static_cast<std::uint8_t>(hour);
  r.minute = static_cast<std::uint8_t>(minute);
  r.spo2 = static_cast<std::uint8_t>(spo2);
  r.pulse = 72;
  r.pi = 15;
  r.systolic = 120;
  r.diastolic = 80;
  r.mean = 93;
  r.temperature = 370;
  r.respiration = 16;
  r.etco2 = 38;
  r.fico2 = 1;
  return r;
}

inline bool SameBytes(const VitalRecord& a, const VitalRecord& b) {
  return a.ToBytes() == b.ToBytes();
}

}  // namespace wd::test
