#pragma once
// Where a download from the command line goes: one ".mDat" per person with monitoring records
// and one ".cDat" with every ward-round record, in a folder.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "data/patient_id.h"
#include "data/patient_store.h"

namespace wd::cli {

inline constexpr const char* kWardRoundFileName = "wardround.cDat";

// A file name for an id as the monitor sent it, safe on every file system: digits and
// capital letters as they are (so an ordinary id keeps its plain name), every other byte as
// %XX, trailing zero bytes left out ("%00" for an all-zero id). A name Windows reserves for a
// device (CON, NUL, COM1 ...) has its first letter escaped. Distinct ids give names that
// differ even to a file system that ignores case, and no id can name a path outside the folder.
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

// Makes a new folder "partial-YYYYMMDD-HHMMSS" (with "-2", "-3" ... after it when that name
// is taken) in `folder` for what a failed download received. Its name, or nullopt.
std::optional<std::string> MakePartialFolder(const std::filesystem::path& folder,
                                             const std::tm& localTime);

struct StoredCounts {
  std::size_t monitoring = 0;
  std::size_t wardRound = 0;
};
StoredCounts CountStored(const PatientStore& store);

}  // namespace wd::cli
