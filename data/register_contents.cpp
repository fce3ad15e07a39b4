#include "data/register_contents.h"

#include <algorithm>

namespace wd::register_contents {
namespace {

constexpr std::size_t kRecord = PatientInfo::kSize;

std::optional<std::size_t> FindIndex(std::span<const std::uint8_t> contents, const PatientId& id) {
  for (std::size_t i = 0; (i + 1) * kRecord <= contents.size(); ++i) {
    if (std::equal(id.bytes.begin(), id.bytes.end(), contents.begin() + i * kRecord)) return i;
  }
  return std::nullopt;
}

PatientInfo RecordAt(std::span<const std::uint8_t> contents, std::size_t index) {
  return PatientInfo::FromBytes(contents.subspan(index * kRecord).first<kRecord>());
}

void DropFragment(std::vector<std::uint8_t>& contents) {
  contents.resize(contents.size() / kRecord * kRecord);
}

}  // namespace

std::optional<PatientInfo> Lookup(std::span<const std::uint8_t> contents, const PatientId& id) {
  const std::optional<std::size_t> index = FindIndex(contents, id);
  if (!index) return std::nullopt;
  return RecordAt(contents, *index);
}

void Save(std::vector<std::uint8_t>& contents, const PatientInfo& info) {
  DropFragment(contents);
  const PatientInfo::Bytes record = info.ToBytes();
  if (const std::optional<std::size_t> index = FindIndex(contents, info.id)) {
    std::copy(record.begin(), record.end(), contents.begin() + *index * kRecord);
  } else {
    contents.insert(contents.end(), record.begin(), record.end());
  }
}

bool Delete(std::vector<std::uint8_t>& contents, const PatientId& id) {
  const std::optional<std::size_t> index = FindIndex(contents, id);
  if (!index) return false;
  DropFragment(contents);
  const auto first = contents.begin() + static_cast<std::ptrdiff_t>(*index * kRecord);
  contents.erase(first, first + kRecord);
  return true;
}

RegisterSnapshot Snapshot(std::span<const std::uint8_t> contents) {
  RegisterSnapshot entries;
  for (std::size_t i = 0; (i + 1) * kRecord <= contents.size(); ++i) {
    const PatientInfo info = RecordAt(contents, i);
    entries.try_emplace(info.id, info);
  }
  return entries;
}

}  // namespace wd::register_contents
