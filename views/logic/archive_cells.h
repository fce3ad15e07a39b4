#pragma once
// The archive view's two lists: the archived downloads, and the persons of one download or of
// a search across the archive. Cells are computed when a row is shown.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/person_history.h"
#include "data/patient_register.h"

namespace wd {

inline constexpr int kDownloadColumnCount = 6;
inline constexpr int kArchivePersonColumnCount = 7;

// The words for a download's result, in the order of DownloadResult.
using ResultTexts = std::array<std::u16string, 5>;

// Start time, computer, result, persons, monitoring records, ward-round records.
std::u16string DownloadCell(const DownloadSummary& download, int column,
                            const ResultTexts& results);

struct ArchivePersonRow {
  PatientId id;
  std::size_t monitoring = 0;  // one a minute
  std::size_t wardRound = 0;
  VitalRecord first{};  // meaningful only when the person has records
  VitalRecord last{};
  std::size_t downloads = 0;  // 0: the row is of one download
};
std::vector<ArchivePersonRow> PersonRowsOf(std::span<const ArchivedPerson> persons);
std::vector<ArchivePersonRow> PersonRowsOf(std::span<const PersonHistory> histories);

// Id, the register's name, monitoring minutes, ward-round records, first and last record's
// date and time, downloads (empty for a row of one download).
std::u16string ArchivePersonCell(const ArchivePersonRow& row, int column,
                                 const RegisterSnapshot& people);

}  // namespace wd
