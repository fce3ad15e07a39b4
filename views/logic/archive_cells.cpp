#include "views/logic/archive_cells.h"

#include "archive/archive_folder.h"
#include "data/ascii_text.h"
#include "data/record_format.h"

namespace wd {
namespace {

// A folder's or computer's name, UTF-8 in the archive's index (any language's letters).
std::u16string FromUtf8(const std::string& text) { return PathFromUtf8(text).u16string(); }

std::u16string Moment(const VitalRecord& record) {
  return AsciiText(FormatRecordDate(record) + " " + FormatRecordTime(record));
}

}  // namespace

std::u16string DownloadCell(const DownloadSummary& download, int column,
                            const ResultTexts& results) {
  switch (column) {
    case 0:
      return download.index.startUtc != 0 ? AsciiText(LocalTimeText(download.index.startUtc))
                                          : FromUtf8(download.folder);
    case 1: return FromUtf8(download.index.computer);
    case 2: return results[static_cast<std::size_t>(download.result)];
    case 3: return NumberText(download.persons);
    case 4: return NumberText(download.monitoringRecords);
    case 5: return NumberText(download.wardRoundRecords);
    default: return {};
  }
}

std::vector<ArchivePersonRow> PersonRowsOf(std::span<const ArchivedPerson> persons) {
  std::vector<ArchivePersonRow> rows;
  rows.reserve(persons.size());
  for (const ArchivedPerson& person : persons) {
    rows.push_back({person.id, person.monitoring, person.wardRound, person.first, person.last, 0});
  }
  return rows;
}

std::vector<ArchivePersonRow> PersonRowsOf(std::span<const PersonHistory> histories) {
  std::vector<ArchivePersonRow> rows;
  rows.reserve(histories.size());
  for (const PersonHistory& history : histories) {
    ArchivePersonRow row{history.id};
    row.downloads = history.downloads;
    for (const VitalRecord& record : history.records)
      ++(record.IsMonitoring() ? row.monitoring : row.wardRound);
    if (!history.records.empty()) {
      row.first = history.records.front();
      row.last = history.records.back();
    }
    rows.push_back(row);
  }
  return rows;
}

std::u16string ArchivePersonCell(const ArchivePersonRow& row, int column,
                                 const RegisterSnapshot& people) {
  const bool hasRecords = row.monitoring + row.wardRound > 0;
  switch (column) {
    case 0: return AsciiText(row.id.DisplayText());
    case 1: {
      const auto found = people.find(row.id);
      return found != people.end() ? found->second.Name() : std::u16string();
    }
    case 2: return NumberText(row.monitoring);
    case 3: return NumberText(row.wardRound);
    case 4: return hasRecords ? Moment(row.first) : std::u16string();
    case 5: return hasRecords ? Moment(row.last) : std::u16string();
    case 6: return row.downloads != 0 ? NumberText(row.downloads) : std::u16string();
    default: return {};
  }
}

}  // namespace wd
