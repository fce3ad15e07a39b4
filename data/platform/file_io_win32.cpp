#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>

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
  if (!GetFileSizeEx(file.get(), &size))
    return FileResult::Fail(FileError::ReadFailed, LastError());
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

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string SystemErrorText(int code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string utf8;
  if (length > 0 && text != nullptr) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(std::max(size, 0)));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                        nullptr);
  }
  if (text != nullptr) LocalFree(text);
  while (!utf8.empty() &&
         (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == '.' || utf8.back() == ' ')) {
    utf8.pop_back();
  }
  return utf8;
}

FileResult MakeFolder(const std::filesystem::path& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return FileResult::Ok();
  const DWORD error = GetLastError();
  return FileResult::Fail(
      error == ERROR_ALREADY_EXISTS ? FileError::AlreadyExists : FileError::OpenFailed,
      static_cast<int>(error));
}

FileResult RemoveFile(const std::filesystem::path& path) {
  if (DeleteFileW(path.c_str())) return FileResult::Ok();
  const DWORD error = GetLastError();
  return FileResult::Fail(IsMissing(error) ? FileError::NotFound : FileError::WriteFailed,
                          static_cast<int>(error));
}

FileResult RemoveEmptyFolder(const std::filesystem::path& path) {
  if (RemoveDirectoryW(path.c_str())) return FileResult::Ok();
  const DWORD error = GetLastError();
  return FileResult::Fail(IsMissing(error) ? FileError::NotFound : FileError::WriteFailed,
                          static_cast<int>(error));
}

FileResult ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& out) {
  out.clear();
  WIN32_FIND_DATAW found{};
  const std::filesystem::path pattern = folder / L"*";
  HANDLE search =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return FileResult::Fail(IsMissing(error) ? FileError::NotFound : FileError::ListFailed,
                            static_cast<int>(error));
  }
  DWORD error = ERROR_SUCCESS;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    out.push_back({std::filesystem::path(std::wstring(name)),
                   (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found) || (error = GetLastError()) != ERROR_NO_MORE_FILES);
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES)
    return FileResult::Fail(FileError::ListFailed, static_cast<int>(error));
  return FileResult::Ok();
}

FileResult AppendFile::Open(const std::filesystem::path& path) {
  Close();
  // Full write access, which FlushFileBuffers needs. One writer appends at a time, so starting
  // at the end keeps every write there; an earlier handle of the same file may still be being
  // flushed (hence shared writing), and readers may look in meanwhile.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileResult::Fail(FileError::OpenFailed, LastError());
  handle_ = reinterpret_cast<std::intptr_t>(file);
  if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END)) {
    const int error = LastError();
    Close();
    return FileResult::Fail(FileError::OpenFailed, error);
  }
  return FileResult::Ok();
}

FileResult AppendFile::Append(std::span<const std::uint8_t> bytes) const {
  if (!IsOpen()) return FileResult::Fail(FileError::AppendFailed, ERROR_INVALID_HANDLE);
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
      return FileResult::Fail(FileError::AppendFailed, LastError());
    }
    if (written == 0) return FileResult::Fail(FileError::AppendFailed, ERROR_DISK_FULL);
    done += written;
  }
  return FileResult::Ok();
}

FileResult AppendFile::Flush() const {
  if (!IsOpen()) return FileResult::Fail(FileError::AppendFailed, ERROR_INVALID_HANDLE);
  if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle_))) {
    return FileResult::Fail(FileError::AppendFailed, LastError());
  }
  return FileResult::Ok();
}

void AppendFile::Close() {
  if (IsOpen()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kClosed;
}

}  // namespace wd::fileio
