#include "data/file_result.h"

#include "data/file_io.h"

namespace wd {
namespace {

std::string_view Text(FileError error) {
  switch (error) {
    case FileError::None: return "success";
    case FileError::NotFound: return "file not found";
    case FileError::OpenFailed: return "cannot open or create the file";
    case FileError::ReadFailed: return "read error";
    case FileError::WriteFailed: return "write error; the previous file is unchanged";
    case FileError::ReplaceFailed: return "cannot replace the existing file; it is unchanged";
    case FileError::EmptyStore: return "no data in memory";
    case FileError::PatientNotInStore: return "no such patient in memory";
    case FileError::TooShort: return "file too short: no complete patient id";
    case FileError::RecordNotFound: return "no register entry for this id";
    case FileError::AlreadyExists: return "the name is taken";
    case FileError::AppendFailed: return "write error";
    case FileError::ListFailed: return "cannot list the folder";
  }
  return "unknown error";
}

}  // namespace

std::string Describe(const FileResult& result) {
  std::string text(Text(result.error));
  if (result.systemCode != 0) {
    text += " (system error " + std::to_string(result.systemCode);
    if (const std::string words = fileio::SystemErrorText(result.systemCode); !words.empty()) {
      text += ": " + words;
    }
    text += ")";
  }
  return text;
}

}  // namespace wd
