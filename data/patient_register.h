#pragma once
// "UserDA.dat": a flat array of 492-byte PatientInfo records, first match per id wins. Every
// call opens and closes the file; saves and deletes replace it crash-safely. What happens to the
// bytes is register_contents.h; this is the file around it.

#include <filesystem>
#include <optional>

#include "data/file_result.h"
#include "data/patient_id.h"
#include "data/patient_info.h"
#include "data/register_contents.h"

namespace wd {

inline constexpr const char* kRegisterFileName = "UserDA.dat";

std::filesystem::path RegisterPath(const std::filesystem::path& folder);

// Creates an empty register when there is none. Not found also when the file cannot be read.
std::optional<PatientInfo> LookupInfo(const std::filesystem::path& folder, const PatientId& id);

// Replaces the first record with the same id, else appends one. A trailing fragment (a length
// that is not a multiple of 492) is dropped rather than written after.
FileResult SaveInfo(const std::filesystem::path& folder, const PatientInfo& info);

// Removes the first record with the id, keeping the others' order. RecordNotFound when the
// register has none (the file is then left exactly as it was).
FileResult DeleteInfo(const std::filesystem::path& folder, const PatientId& id);

// Every entry at once, for a list of many persons: one read of the file instead of one scan per
// person. The first record of an id wins, as in LookupInfo, and a trailing fragment is ignored.
// Creates an empty register when there is none; empty when the file cannot be read.
RegisterSnapshot LoadRegister(const std::filesystem::path& folder);

}  // namespace wd
