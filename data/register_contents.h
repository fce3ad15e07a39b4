#pragma once
// The register's logic on its bytes in memory: what a lookup finds and what a save or delete
// makes of the file's contents. patient_register.h is the file layer over it; the fuzz target
// and the tests reach it without a disk.

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "data/patient_id.h"
#include "data/patient_info.h"

namespace wd {

using RegisterSnapshot = std::unordered_map<PatientId, PatientInfo, PatientIdHash>;

namespace register_contents {

// The first whole record with the id; a trailing fragment is never read.
std::optional<PatientInfo> Lookup(std::span<const std::uint8_t> contents, const PatientId& id);

// Replaces the first record with the id, else appends one. A trailing fragment is dropped first,
// so every record stays at a multiple of 492.
void Save(std::vector<std::uint8_t>& contents, const PatientInfo& info);

// Removes the first record with the id, keeping the others' order, and drops a trailing
// fragment. False, with the contents untouched, when there is none.
bool Delete(std::vector<std::uint8_t>& contents, const PatientId& id);

// Every id with its first record.
RegisterSnapshot Snapshot(std::span<const std::uint8_t> contents);

}  // namespace register_contents
}  // namespace wd
