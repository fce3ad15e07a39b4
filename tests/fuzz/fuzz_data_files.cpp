// Both data-file readers on arbitrary bytes: the import must take exactly the whole units.

#include <cstddef>
#include <cstdint>
#include <span>

#include "data/data_files.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::size_t TotalRecords(const wd::PatientStore& store) {
  std::size_t total = 0;
  for (const auto& entry : store.Read().entries()) total += entry.records.size();
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);

  const auto monitor = wd::ParseMonitorFile(bytes);
  if (size < wd::kPatientIdSize) {
    FUZZ_EXPECT(!monitor);
  } else {
    FUZZ_EXPECT(monitor);
    FUZZ_EXPECT(monitor->records.size() == (size - 18) / 20);
    FUZZ_EXPECT(monitor->trailingBytes == (size - 18) % 20);
    // What the reader took is what a writer gives back, byte for byte.
    for (std::size_t i = 0; i < monitor->records.size(); ++i) {
      const auto back = monitor->records[i].ToBytes();
      FUZZ_EXPECT(std::equal(back.begin(), back.end(), data + 18 + 20 * i));
    }
  }

  const wd::CheckFileContents check = wd::ParseCheckFile(bytes);
  FUZZ_EXPECT(check.units.size() == size / 38);
  FUZZ_EXPECT(check.trailingBytes == size % 38);
  FUZZ_EXPECT(check.danglingId.has_value() == (size % 38 >= 18));

  wd::PatientStore store;
  {
    auto writer = store.Write();
    for (const auto& unit : check.units) {
      writer.AppendRecord(writer.FindOrCreateRecordList(unit.id), unit.record);
    }
  }
  FUZZ_EXPECT(TotalRecords(store) == check.units.size());
  return 0;
}
