#include "data/patient_register.h"

#include <cstdint>
#include <span>
#include <vector>

#include "data/file_io.h"

namespace wd {
namespace {

constexpr std::size_t kRecord = PatientInfo::kSize;

// Index of the first whole record whose id matches, if any.
std::optional<std::size_t> Scan(std::span<const std::uint8_t> data, const PatientId& id) {
  for (std::size_t i = 0; (i + 1) * kRecord <= data.size(); ++i) {
    if (std::equal(id.bytes.begin(), id.bytes.end(), data.begin() + i * kRecord)) return i;
  }
  return std::nullopt;
}

// The whole register for reading, created empty when there is none (as lookups always did).
bool ReadForLookup(const std::filesystem::path& path, std::vector<std::uint8_t>& data) {
  if (!fileio::IsRegularFile(path) && !fileio::CreateIfMissing(path)) return false;
  return static_cast<bool>(fileio::ReadAll(path, data));
}

}  // namespace

std::filesystem::path RegisterPath(const std::filesystem::path& folder) {
  return folder / kRegisterFileName;
}

std::optional<PatientInfo> LookupInfo(const std::filesystem::path& folder, const PatientId& id) {
  std::vector<std::uint8_t> data;
  if (!ReadForLookup(RegisterPath(folder), data)) return std::nullopt;
  const std::optional<std::size_t> index = Scan(data, id);
  if (!index) return std::nullopt;
  return PatientInfo::FromBytes(std::span(data).subspan(*index * kRecord).first<kRecord>());
}

FileResult SaveInfo(const std::filesystem::path& folder, const PatientInfo& info) {
  const std::filesystem::path path = RegisterPath(folder);
  std::vector<std::uint8_t> data;
  if (fileio::IsRegularFile(path)) {
    if (FileResult read = fileio::ReadAll(path, data); !read) return read;
  }
  data.resize(data.size() / kRecord * kRecord);
  const PatientInfo::Bytes record = info.ToBytes();
  if (const std::optional<std::size_t> index = Scan(data, info.id)) {
    std::copy(record.begin(), record.end(), data.begin() + *index * kRecord);
  } else {
    data.insert(data.end(), record.begin(), record.end());
  }
  return fileio::ReplaceAtomically(path, data);
}

FileResult DeleteInfo(const std::filesystem::path& folder, const PatientId& id) {
  const std::filesystem::path path = RegisterPath(folder);
  std::vector<std::uint8_t> data;
  if (FileResult read = fileio::ReadAll(path, data); !read) {
    return read.error == FileError::NotFound ? FileResult::Fail(FileError::RecordNotFound) : read;
  }
  const std::optional<std::size_t> index = Scan(data, id);
  if (!index) return FileResult::Fail(FileError::RecordNotFound);
  data.resize(data.size() / kRecord * kRecord);
  const auto first = data.begin() + static_cast<std::ptrdiff_t>(*index * kRecord);
  data.erase(first, first + kRecord);
  return fileio::ReplaceAtomically(path, data);
}

RegisterSnapshot LoadRegister(const std::filesystem::path& folder) {
  RegisterSnapshot entries;
  std::vector<std::uint8_t> data;
  if (!ReadForLookup(RegisterPath(folder), data)) return entries;
  const std::span<const std::uint8_t> bytes(data);
  for (std::size_t offset = 0; offset + kRecord <= bytes.size(); offset += kRecord) {
    const PatientInfo info = PatientInfo::FromBytes(bytes.subspan(offset).first<kRecord>());
    entries.try_emplace(info.id, info);
  }
  return entries;
}

}  // namespace wd
