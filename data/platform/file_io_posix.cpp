#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "data/file_io.h"

namespace wd::fileio {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool WriteFully(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

FileResult ReadAll(const std::filesystem::path& path, std::vector<std::uint8_t>& out) {
  out.clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    const int code = errno;
    return FileResult::Fail(code == ENOENT ? FileError::NotFound : FileError::OpenFailed, code);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return FileResult::Fail(FileError::ReadFailed, errno);
  if (!S_ISREG(info.st_mode)) return FileResult::Fail(FileError::OpenFailed, EISDIR);
  out.reserve(static_cast<std::size_t>(info.st_size));
  std::uint8_t buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileResult::Fail(FileError::ReadFailed, errno);
    if (n == 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return FileResult::Ok();
}

FileResult ReplaceAtomically(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes) {
  const std::filesystem::path folder = FolderOf(target);
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  Fd fd(::mkstemp(pattern.data()));
  if (!fd.valid()) return FileResult::Fail(FileError::OpenFailed, errno);
  const std::string temp = pattern;

  // Keep the mode of the file being replaced; a new file gets the usual rw-r--r--.
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  ::fchmod(fd.get(), mode);

  if (!WriteFully(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return FileResult::Fail(FileError::WriteFailed, code);
  }
  if (::close(fd.Release()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return FileResult::Fail(FileError::WriteFailed, code);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return FileResult::Fail(FileError::ReplaceFailed, code);
  }
  // Make the rename itself durable; a failure here does not undo the replacement.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
  return FileResult::Ok();
}

FileResult CreateIfMissing(const std::filesystem::path& path) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  if (!fd.valid()) return FileResult::Fail(FileError::OpenFailed, errno);
  return FileResult::Ok();
}

bool IsFolder(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string SystemErrorText(int code) {
  char buffer[256] = {};
  // The GNU strerror_r may return a static text instead of filling the buffer.
  const auto text = ::strerror_r(code, buffer, sizeof buffer);
  if constexpr (std::is_same_v<decltype(text), const int>) {
    return buffer;
  } else {
    return text ? std::string(text) : std::string();
  }
}

FileResult MakeFolder(const std::filesystem::path& path) {
  if (::mkdir(path.c_str(), 0755) == 0) return FileResult::Ok();
  const int code = errno;
  return FileResult::Fail(code == EEXIST ? FileError::AlreadyExists : FileError::OpenFailed, code);
}

FileResult RemoveFile(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) == 0) return FileResult::Ok();
  const int code = errno;
  return FileResult::Fail(code == ENOENT ? FileError::NotFound : FileError::WriteFailed, code);
}

FileResult RemoveEmptyFolder(const std::filesystem::path& path) {
  if (::rmdir(path.c_str()) == 0) return FileResult::Ok();
  const int code = errno;
  return FileResult::Fail(code == ENOENT ? FileError::NotFound : FileError::WriteFailed, code);
}

FileResult ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& out) {
  out.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    const int code = errno;
    return FileResult::Fail(code == ENOENT ? FileError::NotFound : FileError::ListFailed, code);
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) isFolder = IsFolder(folder / name);
    out.push_back({std::filesystem::path(name), isFolder});
    errno = 0;
  }
  const int code = errno;
  ::closedir(dir);
  if (code != 0) return FileResult::Fail(FileError::ListFailed, code);
  return FileResult::Ok();
}

FileResult AppendFile::Open(const std::filesystem::path& path) {
  Close();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return FileResult::Fail(FileError::OpenFailed, errno);
  handle_ = fd;
  return FileResult::Ok();
}

FileResult AppendFile::Append(std::span<const std::uint8_t> bytes) const {
  if (!IsOpen()) return FileResult::Fail(FileError::AppendFailed, EBADF);
  errno = 0;
  if (!WriteFully(static_cast<int>(handle_), bytes)) {
    // A short write that reports no error is a full disk.
    return FileResult::Fail(FileError::AppendFailed, errno != 0 ? errno : ENOSPC);
  }
  return FileResult::Ok();
}

FileResult AppendFile::Flush() const {
  if (!IsOpen()) return FileResult::Fail(FileError::AppendFailed, EBADF);
  if (::fsync(static_cast<int>(handle_)) != 0)
    return FileResult::Fail(FileError::AppendFailed, errno);
  return FileResult::Ok();
}

void AppendFile::Close() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

}  // namespace wd::fileio
