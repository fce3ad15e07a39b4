#pragma once
// Where a download from the command line goes: one ".mDat" per person with monitoring records
// and one ".cDat" with every ward-round record, in a folder.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "data/id_file_name.h"
#include "data/patient_id.h"
#include "data/patient_store.h"

namespace wd::cli {

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
