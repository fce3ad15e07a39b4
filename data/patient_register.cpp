#include "data/patient_register.h"

#include <cstdint>
#include <vector>

#include "data/file_io.h"

namespace wd {
namespace {

// The whole register for reading, created empty when there is none (as lookups always did).
bool ReadForLookup(const std::filesystem::path& path, std::vector<std::uint8_t>& contents) {
  if (!fileio::IsRegularFile(path) && !fileio::CreateIfMissing(path)) return false;
  return static_cast<bool>(fileio::ReadAll(path, contents));
}

}  // namespace

std::filesystem::path RegisterPath(const std::filesystem::path& folder) {
  return folder / kRegisterFileName;
}

std::optional<PatientInfo> LookupInfo(const std::filesystem::path& folder, const PatientId& id) {
  std::vector<std::uint8_t> contents;
  if (!ReadForLookup(RegisterPath(folder), contents)) return std::nullopt;
  return register_contents::Lookup(contents, id);
}

FileResult SaveInfo(const std::filesystem::path& folder, const PatientInfo& info) {
  const std::filesystem::path path = RegisterPath(folder);
  std::vector<std::uint8_t> contents;
  if (fileio::IsRegularFile(path)) {
    if (FileResult read = fileio::ReadAll(path, contents); !read) return read;
  }
  register_contents::Save(contents, info);
  return fileio::ReplaceAtomically(path, contents);
}

FileResult DeleteInfo(const std::filesystem::path& folder, const PatientId& id) {
  const std::filesystem::path path = RegisterPath(folder);
  std::vector<std::uint8_t> contents;
  if (FileResult read = fileio::ReadAll(path, contents); !read) {
    return read.error == FileError::NotFound ? FileResult::Fail(FileError::RecordNotFound) : read;
  }
  // Without a match the file is not rewritten at all.
  if (!register_contents::Delete(contents, id)) return FileResult::Fail(FileError::RecordNotFound);
  return fileio::ReplaceAtomically(path, contents);
}

RegisterSnapshot LoadRegister(const std::filesystem::path& folder) {
  std::vector<std::uint8_t> contents;
  if (!ReadForLookup(RegisterPath(folder), contents)) return {};
  return register_contents::Snapshot(contents);
}

}  // namespace wd
