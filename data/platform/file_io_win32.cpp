#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "data/file_io.h"

namespace wd::fileio {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  bool Close() {
    if (!valid()) return true;
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

int LastError() { return static_cast<int>(GetLastError()); }

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(L".") : folder;
}

// A fresh name beside the target; CREATE_NEW below makes a collision fail instead of reusing.
std::filesystem::path TempNameFor(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  const unsigned serial = counter.fetch_add(1);
  std::wstring name = L"~" + target.filename().wstring() + L"." +
                      std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(serial) +
                      L"." + std::to_wstring(GetTickCount()) + L".tmp";
  return FolderOf(target) / name;
}

}  // namespace

bool IsRegularFile(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileResult ReadAll(const std::filesystem::path& path, std::vector<std::uint8_t>& out) {
  out.clear();
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    return FileResult::Fail(IsMissing(error) ? FileError::NotFound : FileError::OpenFailed,
                            static_cast<int>(error));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return FileResult::Fail(FileError::ReadFailed, LastError());
  out.reserve(static_cast<std::size_t>(size.QuadPart));
  std::uint8_t buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return FileResult::Fail(FileError::ReadFailed, LastError());
    }
    if (got == 0) break;
    out.insert(out.end(), buffer, buffer + got);
  }
  return FileResult::Ok();
}

FileResult ReplaceAtomically(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes) {
  const std::filesystem::path temp = TempNameFor(target);
  Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return FileResult::Fail(FileError::OpenFailed, LastError());

  std::size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    ok = WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = ok && FlushFileBuffers(file.get());
  const int writeError = ok ? 0 : LastError();
  ok = file.Close() && ok;
  if (!ok) {
    DeleteFileW(temp.c_str());
    return FileResult::Fail(FileError::WriteFailed, writeError);
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const int error = LastError();
    DeleteFileW(temp.c_str());
    return FileResult::Fail(FileError::ReplaceFailed, error);
  }
  return FileResult::Ok();
}

FileResult CreateIfMissing(const std::filesystem::path& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return FileResult::Fail(FileError::OpenFailed, LastError());
  return FileResult::Ok();
}

}  // namespace wd::fileio
