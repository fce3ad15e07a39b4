#include "data/data_files.h"

#include "data/file_io.h"

namespace wd {
namespace {

void AppendBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

PatientId IdAt(std::span<const std::uint8_t> data, std::size_t offset) {
  return PatientId::FromBytes(data.subspan(offset).first<kPatientIdSize>());
}

VitalRecord RecordAt(std::span<const std::uint8_t> data, std::size_t offset) {
  return VitalRecord::FromBytes(data.subspan(offset).first<VitalRecord::kSize>());
}

}  // namespace

std::optional<MonitorFileContents> ParseMonitorFile(std::span<const std::uint8_t> data) {
  if (data.size() < kPatientIdSize) return std::nullopt;
  MonitorFileContents contents;
  contents.id = IdAt(data, 0);
  std::size_t offset = kPatientIdSize;
  contents.records.reserve((data.size() - offset) / VitalRecord::kSize);
  for (; data.size() - offset >= VitalRecord::kSize; offset += VitalRecord::kSize) {
    contents.records.push_back(RecordAt(data, offset));
  }
  contents.trailingBytes = data.size() - offset;
  return contents;
}

CheckFileContents ParseCheckFile(std::span<const std::uint8_t> data) {
  CheckFileContents contents;
  contents.units.reserve(data.size() / kCheckUnitSize);
  std::size_t offset = 0;
  for (; data.size() - offset >= kCheckUnitSize; offset += kCheckUnitSize) {
    contents.units.push_back({IdAt(data, offset), RecordAt(data, offset + kPatientIdSize)});
  }
  const std::size_t rest = data.size() - offset;
  if (rest >= kPatientIdSize) contents.danglingId = IdAt(data, offset);
  contents.trailingBytes = rest;
  return contents;
}

FileResult WriteCheckFile(const PatientStore& store, const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  {
    auto reader = store.Read();
    if (reader.PatientCount() == 0) return FileResult::Fail(FileError::EmptyStore);
    for (const auto& entry : reader.entries()) {
      for (const VitalRecord& record : entry.records) {
        if (record.IsMonitoring()) continue;
        AppendBytes(bytes, entry.key.bytes);
        AppendBytes(bytes, record.ToBytes());
      }
    }
  }
  return fileio::ReplaceAtomically(path, bytes);
}

FileResult WriteMonitorFile(const PatientStore& store, const std::filesystem::path& path,
                            const PatientId& id) {
  std::vector<std::uint8_t> bytes;
  {
    auto reader = store.Read();
    if (reader.PatientCount() == 0) return FileResult::Fail(FileError::EmptyStore);
    const RecordList* list = reader.FindRecordList(id);
    if (list == nullptr) return FileResult::Fail(FileError::PatientNotInStore);
    AppendBytes(bytes, id.bytes);
    for (const VitalRecord& record : *list) {
      if (record.IsMonitoring()) AppendBytes(bytes, record.ToBytes());
    }
  }
  return fileio::ReplaceAtomically(path, bytes);
}

FileResult ReadCheckFile(PatientStore& store, const std::filesystem::path& path) {
  std::vector<std::uint8_t> data;
  if (FileResult read = fileio::ReadAll(path, data); !read) return read;
  const CheckFileContents contents = ParseCheckFile(data);
  auto writer = store.Write();
  for (const CheckFileUnit& unit : contents.units) {
    writer.AppendRecord(writer.FindOrCreateRecordList(unit.id), unit.record);
  }
  if (contents.danglingId) writer.FindOrCreateRecordList(*contents.danglingId);
  return FileResult::Ok();
}

FileResult ReadMonitorFile(PatientStore& store, const std::filesystem::path& path) {
  std::vector<std::uint8_t> data;
  if (FileResult read = fileio::ReadAll(path, data); !read) return read;
  const std::optional<MonitorFileContents> contents = ParseMonitorFile(data);
  if (!contents) return FileResult::Fail(FileError::TooShort);
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(contents->id);
  for (const VitalRecord& record : contents->records) writer.AppendRecord(list, record);
  return FileResult::Ok();
}

std::string DefaultExportName(const std::tm& t, std::string_view extension) {
  std::string name = std::to_string(t.tm_year + 1900) + std::to_string(t.tm_mon + 1) +
                     std::to_string(t.tm_mday) + std::to_string(t.tm_hour) +
                     std::to_string(t.tm_min) + std::to_string(t.tm_sec);
  name += extension;
  return name;
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &moment);
#else
  localtime_r(&moment, &local);
#endif
  return local;
}

std::tm LocalTimeNow() { return LocalTime(std::time(nullptr)); }

std::string DefaultExportNameNow(std::string_view extension) {
  return DefaultExportName(LocalTimeNow(), extension);
}

}  // namespace wd
