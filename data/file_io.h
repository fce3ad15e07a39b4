#pragma once
// The few file operations the data formats and the archive need: crash-safe replacement,
// appending for journals, folders. Paths are std::filesystem paths, so Windows gets its wide
// (Unicode) names.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "data/file_result.h"

namespace wd::fileio {

bool IsRegularFile(const std::filesystem::path& path);

// Opens for reading only (a read-only file reads fine) and reads the whole file.
FileResult ReadAll(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

// Writes `bytes` to a new temporary file in the target's folder, flushes it to disk, then puts
// it in the target's place in one step. On any failure the temporary is removed and an
// existing target is untouched.
FileResult ReplaceAtomically(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes);

// Creates an empty file when none exists; an existing file is left alone.
FileResult CreateIfMissing(const std::filesystem::path& path);

bool IsFolder(const std::filesystem::path& path);

// The system's own words for an errno or GetLastError() code, UTF-8, without a final full stop.
std::string SystemErrorText(int code);

// Creates one folder; AlreadyExists when something of that name is there.
FileResult MakeFolder(const std::filesystem::path& path);
FileResult RemoveFile(const std::filesystem::path& path);
// Removes a folder that is empty.
FileResult RemoveEmptyFolder(const std::filesystem::path& path);

struct FolderEntry {
  std::filesystem::path name;  // without the folder
  bool isFolder = false;
};
// Everything in the folder but "." and "..", in no particular order.
FileResult ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& out);

// A file written at its end only, for journals. Append hands the bytes to the operating
// system, so they outlive a killed process; Flush puts them on the disk. Other processes may
// read the file meanwhile. Append and Flush may be called from two threads at once, and the
// file opened again while an earlier AppendFile of it is still being flushed.
class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile() { Close(); }
  AppendFile(AppendFile&& other) noexcept : handle_(other.handle_) { other.handle_ = kClosed; }
  AppendFile& operator=(AppendFile&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = kClosed;
    }
    return *this;
  }
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Opens the file, creating it when missing; an open file is closed first.
  FileResult Open(const std::filesystem::path& path);
  bool IsOpen() const { return handle_ != kClosed; }
  // All of `bytes` or WriteFailed; a failure may leave a part of them at the end.
  FileResult Append(std::span<const std::uint8_t> bytes) const;
  FileResult Flush() const;
  void Close();

 private:
  // A file descriptor, or a Windows HANDLE (whose INVALID_HANDLE_VALUE is -1 too).
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
};

}  // namespace wd::fileio
