#pragma once
// The ".mDat" (one person's monitoring records) and ".cDat" (every ward-round record) files:
// headerless little-endian streams of fixed-size units, no magic, no checksum.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_result.h"
#include "data/patient_id.h"
#include "data/patient_store.h"
#include "data/vital_record.h"

namespace wd {

inline constexpr std::size_t kCheckUnitSize = kPatientIdSize + VitalRecord::kSize;  // 38

// ".mDat": the id, then 20-byte records. Absent when the data hold no whole id.
struct MonitorFileContents {
  PatientId id;
  std::vector<VitalRecord> records;
  std::size_t trailingBytes = 0;  // an incomplete last record, ignored
};
std::optional<MonitorFileContents> ParseMonitorFile(std::span<const std::uint8_t> data);

// ".cDat": 38-byte units of id and record.
struct CheckFileUnit {
  PatientId id;
  VitalRecord record;
};
struct CheckFileContents {
  std::vector<CheckFileUnit> units;
  // A last unit whose id is whole but whose record is not: the reader still files the person.
  std::optional<PatientId> danglingId;
  std::size_t trailingBytes = 0;  // bytes of an incomplete last unit, ignored
};
CheckFileContents ParseCheckFile(std::span<const std::uint8_t> data);

// Exports. Both refuse an empty store; the monitoring export also refuses a person the store
// does not hold. Neither touches the target file then, and a failed write leaves it intact.
FileResult WriteCheckFile(const PatientStore& store, const std::filesystem::path& path);
FileResult WriteMonitorFile(const PatientStore& store, const std::filesystem::path& path,
                            const PatientId& id);

// Imports: merge the file's records into the store as they stand (no duplicate test).
FileResult ReadCheckFile(PatientStore& store, const std::filesystem::path& path);
FileResult ReadMonitorFile(PatientStore& store, const std::filesystem::path& path);

// The export dialogs' suggested name: year, month, day, hour, minute, second in plain decimal,
// unpadded ("2019624953" for 24 June 2019 09:05:03), then the extension (".cDat").
std::string DefaultExportName(const std::tm& localTime, std::string_view extension);
std::string DefaultExportNameNow(std::string_view extension);
// A moment in local time, broken down; LocalTimeNow is the present one.
std::tm LocalTime(std::time_t moment);
std::tm LocalTimeNow();

}  // namespace wd
