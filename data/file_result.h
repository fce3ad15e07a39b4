#pragma once
// Outcome of a data-file or register operation: success, or why it failed. The caller
// decides what the user sees; nothing here throws.

#include <string>
#include <string_view>

namespace wd {

enum class FileError {
  None,
  NotFound,    // no file at the path
  OpenFailed,  // the file (or the temporary beside it) could not be opened or created
  ReadFailed,
  WriteFailed,        // writing or flushing the new content failed; the old file is intact
  ReplaceFailed,      // the finished file could not take the old one's place; the old is intact
  EmptyStore,         // export with nothing in memory: no file touched
  PatientNotInStore,  // export of a person the store does not hold: no file touched
  TooShort,           // a monitoring file without a whole patient id
  RecordNotFound,     // the register holds no entry for the id
  AlreadyExists,      // a new file or folder was asked for and the name is taken
  AppendFailed,       // writing at a file's end, or putting it on the disk, failed
  ListFailed,         // a folder's contents could not be listed
};

struct FileResult {
  FileError error = FileError::None;
  int systemCode = 0;  // errno or GetLastError() of the failing call, 0 if none

  explicit operator bool() const { return error == FileError::None; }
  static FileResult Ok() { return {}; }
  static FileResult Fail(FileError error, int systemCode = 0) { return {error, systemCode}; }
};

// One English line for logs and the command-line tool, with the system's own words for the
// failing call's code ("No space left on device").
std::string Describe(const FileResult& result);

}  // namespace wd
