#pragma once
// The file names a download gives its files: "<id>.mDat" per person and "wardround.cDat".
// Shared by wardcli's output folders and the archive.

#include <optional>
#include <string>
#include <string_view>

#include "data/patient_id.h"

namespace wd {

inline constexpr const char* kWardRoundFileName = "wardround.cDat";
inline constexpr std::string_view kMonitorFileExtension = ".mDat";

// A file name for an id as the monitor sent it, safe on every file system: digits and
// capital letters as they are (so an ordinary id keeps its plain name), every other byte as
// %XX, trailing zero bytes left out ("%00" for an all-zero id). A name Windows reserves for a
// device (CON, NUL, COM1 ...) has its first letter escaped. Distinct ids give names that
// differ even to a file system that ignores case, and no id can name a path outside the folder.
std::string FileNameForId(const PatientId& id);

// The id a name made by FileNameForId stands for; nullopt for any name it does not make.
std::optional<PatientId> IdFromFileName(std::string_view name);

}  // namespace wd
