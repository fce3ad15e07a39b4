#pragma once
// Where a download from the command line goes: one ".mDat" per person with monitoring records
// and one ".cDat" with every ward-round record, in a folder.

#include <filesystem>
#include <string>

#include "data/patient_id.h"
#include "data/patient_store.h"

namespace wd::cli {

inline constexpr const char* kWardRoundFileName = "wardround.cDat";

// A file name for an id as the monitor sent it: ASCII letters and digits as they are, every
// other byte as %XX, trailing zero bytes left out ("%00" for an all-zero id). Distinct ids give
// distinct names, and no id can name a path outside the folder.
std::string FileNameForId(const PatientId& id);

struct WrittenFiles {
  std::size_t monitoringFiles = 0;
  bool wardRoundFile = false;
};

// Writes "<id>.mDat" for every person with monitoring records and "wardround.cDat" when there
// are ward-round records. Each file is replaced whole or not at all. False with the reason
// when a file could not be written; the others are still attempted.
bool WriteDownloadFiles(const PatientStore& store, const std::filesystem::path& folder,
                        std::string& error, WrittenFiles* written = nullptr);

}  // namespace wd::cli
