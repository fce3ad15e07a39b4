// wardcli archive list|history|delete: reading and tidying an archive without the program.

#include <cstdio>
#include <string>
#include <vector>

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "archive/download_index.h"
#include "archive/person_history.h"
#include "data/csv_writer.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/record_csv.h"

namespace wd::cli {
namespace {

void Print(const Invocation& invocation, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), invocation.io.out);
}

void BeginCsv(const Invocation& invocation) {
  if (invocation.args.Has("--bom")) Print(invocation, "\xEF\xBB\xBF");
}

std::string StartText(const DownloadSummary& download) {
  return download.index.startUtc != 0 ? LocalTimeText(download.index.startUtc) : "";
}

int Unreadable(const Invocation& invocation, const std::string& archive, const FileResult& result) {
  invocation.Note("cannot read the archive " + archive + ": " + Describe(result));
  return kExitUnreadable;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The id as typed, with \xNN for a byte as dump prints it; nullopt for a stray backslash.
std::optional<std::string> IdBytes(const std::string& typed) {
  std::string bytes;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] != '\\') {
      bytes.push_back(typed[i]);
      continue;
    }
    if (i + 3 >= typed.size() || typed[i + 1] != 'x' || HexDigit(typed[i + 2]) < 0 ||
        HexDigit(typed[i + 3]) < 0) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(HexDigit(typed[i + 2]) * 16 + HexDigit(typed[i + 3])));
    i += 3;
  }
  return bytes;
}

}  // namespace

int RunArchiveList(const Invocation& invocation) {
  const std::string& archive = invocation.args.operands[0];
  std::vector<DownloadSummary> downloads;
  if (const FileResult listed = ListArchive(PathFromArg(archive), downloads); !listed) {
    return Unreadable(invocation, archive, listed);
  }
  BeginCsv(invocation);
  Print(invocation, "folder,start,computer,result,persons,monitoring_records,ward_round_records\n");
  for (const DownloadSummary& download : downloads) {
    Print(invocation,
          CsvLine({download.folder, StartText(download), download.index.computer,
                   std::string(ResultName(download.result)), std::to_string(download.persons),
                   std::to_string(download.monitoringRecords),
                   std::to_string(download.wardRoundRecords)},
                  LineEnd::Lf));
  }
  return kExitOk;
}

int RunArchiveHistory(const Invocation& invocation) {
  const std::string& archive = invocation.args.operands[0];
  const std::string& typed = invocation.args.operands[1];
  const std::optional<std::string> prefix = IdBytes(typed);
  if (!prefix || prefix->empty() || prefix->size() > kPatientIdSize) {
    return invocation.UsageError(
        "ID is an id or its beginning: 1 to 18 characters, \\xNN for a byte");
  }
  std::vector<PersonHistory> persons;
  if (const FileResult read = HistoryByIdPrefix(PathFromArg(archive), *prefix, persons); !read) {
    return Unreadable(invocation, archive, read);
  }
  BeginCsv(invocation);
  Print(invocation, kRecordCsvHeader);
  std::size_t records = 0;
  for (const PersonHistory& person : persons) {
    for (const VitalRecord& record : person.records)
      Print(invocation, RecordCsvLine(person.id, record));
    records += person.records.size();
  }
  if (persons.empty()) {
    invocation.Note("no archived records of an id beginning with " + typed);
  } else {
    invocation.Note(std::to_string(persons.size()) + " person(s), " + std::to_string(records) +
                    " record(s), each minute once");
  }
  return kExitOk;
}

int RunArchiveDelete(const Invocation& invocation) {
  const std::string& archive = invocation.args.operands[0];
  const std::string& folder = invocation.args.operands[1];
  const std::filesystem::path root = PathFromArg(archive);
  const std::optional<DownloadSummary> download = ReadDownloadSummary(root, folder);
  if (!download) {
    invocation.Note("no download " + folder + " in the archive " + archive);
    return kExitFailed;
  }
  if (!invocation.args.Has("--yes")) {
    if (!IsTerminal(invocation.io.in)) {
      return invocation.UsageError(
          "delete removes an archived download: confirm with --yes (standard input is no "
          "terminal to ask on)");
    }
    const std::string question =
        "Delete the download " + folder + " (" + std::string(ResultName(download->result)) + ", " +
        std::to_string(download->monitoringRecords) + " monitoring and " +
        std::to_string(download->wardRoundRecords) + " ward-round records) from " + archive +
        "? This cannot be undone.";
    if (!AskYesNo(invocation, question, false)) {
      invocation.Note("nothing deleted");
      return kExitFailed;
    }
  }
  const DeleteOutcome outcome = DeleteDownload(root, folder);
  switch (outcome.problem) {
    case DeleteProblem::None: invocation.Note("deleted " + archive + "/" + folder); return kExitOk;
    case DeleteProblem::NotADownload:
      invocation.Note("not deleted: " + folder + " holds what the archive did not write (" +
                      Utf8Name(outcome.path.filename()) + ")");
      return kExitFailed;
    case DeleteProblem::StillWriting:
      invocation.Note("not deleted: a running program is still writing " + folder);
      return kExitFailed;
    case DeleteProblem::FileFailed:
      invocation.Note("cannot delete " + Utf8Name(outcome.path) + ": " + Describe(outcome.file));
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace wd::cli
