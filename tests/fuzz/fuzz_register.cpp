// The patient register on arbitrary file contents: lookups never fail loudly, a save lands on
// whole records, and a delete removes exactly one record.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/patient_register.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("wd-fuzz-register-" + std::to_string(std::hash<std::string>{}(
                                           std::filesystem::current_path().string())));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = wd::RegisterPath(Folder());
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::size_t whole = size / wd::PatientInfo::kSize;
  // The id of the first record if there is one, else some other id.
  wd::PatientId id = wd::PatientId::FromText("fuzz-new-person");
  if (whole > 0) std::copy(data, data + 18, id.bytes.begin());

  const auto found = wd::LookupInfo(Folder(), id);
  FUZZ_EXPECT(found.has_value() == (whole > 0));

  wd::PatientInfo info = wd::PatientInfo::Blank(id);
  info.SetName(u"fuzz");
  FUZZ_EXPECT(wd::SaveInfo(Folder(), info));
  const std::size_t afterSave = std::filesystem::file_size(file);
  FUZZ_EXPECT(afterSave == (whole > 0 ? whole : 1) * wd::PatientInfo::kSize);
  FUZZ_EXPECT(wd::LookupInfo(Folder(), id).value() == info);

  FUZZ_EXPECT(wd::DeleteInfo(Folder(), id));
  FUZZ_EXPECT(std::filesystem::file_size(file) == afterSave - wd::PatientInfo::kSize);
  return 0;
}
