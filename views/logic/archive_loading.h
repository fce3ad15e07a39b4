#pragma once
// Bringing archived records back into memory: a whole download, or one person's history. Each
// record is kept only when its person has no record of that minute yet (the download's rule),
// so opening the same download or history twice adds nothing.

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "archive/person_history.h"
#include "data/file_result.h"
#include "data/patient_register.h"
#include "data/patient_store.h"

namespace wd {

struct LoadedRecords {
  std::size_t added = 0;
  std::size_t skipped = 0;  // a minute the person already had
  std::size_t persons = 0;  // persons the records belong to
};

// The download's data files (".mDat" then "wardround.cDat") as an import reads them, a torn last
// record left out. Stops at the first file that cannot be read, keeping what came before it.
FileResult LoadArchivedDownload(PatientStore& store, const std::filesystem::path& download,
                                LoadedRecords& loaded);

// A merged history into the store, under the person's id.
LoadedRecords LoadHistory(PatientStore& store, const PersonHistory& history);

// What the archive view's search box finds: the persons whose id begins with the typed text,
// and those whose name in the register contains it (letters in any case), by id, each once.
FileResult SearchHistory(const std::filesystem::path& root, std::u16string_view typed,
                         const RegisterSnapshot& people, std::vector<PersonHistory>& out);

// The ids of the register whose name contains `typed`, ignoring the case of Latin letters.
std::vector<PatientId> IdsByName(const RegisterSnapshot& people, std::u16string_view typed);

}  // namespace wd
