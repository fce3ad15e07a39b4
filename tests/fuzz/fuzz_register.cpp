// The patient register's contents on arbitrary bytes, in memory: a lookup finds the first whole
// record of an id, a save lands on whole records and leaves the others alone, a delete removes
// exactly one record, and the snapshot agrees with lookups.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "data/register_contents.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::size_t kRecord = wd::PatientInfo::kSize;

std::span<const std::uint8_t> RecordBytes(std::span<const std::uint8_t> contents, std::size_t i) {
  return contents.subspan(i * kRecord, kRecord);
}

bool SameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// Index of the first whole record with the id, or the number of whole records.
std::size_t FirstRecordOf(std::span<const std::uint8_t> contents, const wd::PatientId& id) {
  const std::size_t whole = contents.size() / kRecord;
  for (std::size_t i = 0; i < whole; ++i) {
    if (SameBytes(RecordBytes(contents, i).first(wd::kPatientIdSize), id.bytes)) return i;
  }
  return whole;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace reg = wd::register_contents;
  const std::span<const std::uint8_t> contents(data, size);
  const std::size_t whole = size / kRecord;

  const wd::RegisterSnapshot snapshot = reg::Snapshot(contents);
  FUZZ_EXPECT(snapshot.size() <= whole);
  for (const auto& [id, info] : snapshot) FUZZ_EXPECT(reg::Lookup(contents, id) == info);

  // The id of a record the first byte picks, if there is one, else some other id.
  wd::PatientId id = wd::PatientId::FromText("fuzz-new-person");
  if (whole > 0) {
    std::copy_n(data + data[0] % whole * kRecord, wd::kPatientIdSize, id.bytes.begin());
  }
  const std::size_t first = FirstRecordOf(contents, id);
  const auto found = reg::Lookup(contents, id);
  FUZZ_EXPECT(found.has_value() == (first < whole));
  if (found) FUZZ_EXPECT(SameBytes(found->ToBytes(), RecordBytes(contents, first)));

  wd::PatientInfo info = wd::PatientInfo::Blank(id);
  info.SetName(u"fuzz");
  std::vector<std::uint8_t> saved(contents.begin(), contents.end());
  reg::Save(saved, info);
  const std::size_t savedRecords = first < whole ? whole : whole + 1;
  FUZZ_EXPECT(saved.size() == savedRecords * kRecord);
  FUZZ_EXPECT(reg::Lookup(saved, id) == info);
  for (std::size_t i = 0; i < whole; ++i) {
    if (i != first) FUZZ_EXPECT(SameBytes(RecordBytes(saved, i), RecordBytes(contents, i)));
  }

  // The delete takes out the saved record and closes the gap, the others in their order.
  std::vector<std::uint8_t> deleted = saved;
  FUZZ_EXPECT(reg::Delete(deleted, id));
  FUZZ_EXPECT(deleted.size() == saved.size() - kRecord);
  std::vector<std::uint8_t> expected = saved;
  const auto gap = expected.begin() + static_cast<std::ptrdiff_t>(first * kRecord);
  expected.erase(gap, gap + kRecord);
  FUZZ_EXPECT(deleted == expected);

  // Deleting an id the register does not hold changes no byte, fragment included.
  wd::PatientId absent = wd::PatientId::FromText("fuzz-absent-person");
  if (!snapshot.contains(absent)) {
    std::vector<std::uint8_t> untouched(contents.begin(), contents.end());
    FUZZ_EXPECT(!reg::Delete(untouched, absent));
    FUZZ_EXPECT(SameBytes(untouched, contents));
  }
  return 0;
}
