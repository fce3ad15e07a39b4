#include "archive/journal_files.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <system_error>

#include "archive/archive_folder.h"
#include "archive/download_index.h"
#include "data/id_file_name.h"

namespace wd {

// What the journal and its flushing thread share. The thread keeps it alive, so a thread
// left to finish alone on a hanging share never touches a journal that is gone.
struct JournalFiles::Shared {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::vector<std::shared_ptr<OpenFile>> files;  // appended to since their last flush
  std::optional<std::string> index;
  std::filesystem::path indexPath;
  bool finishing = false;
  bool done = false;
  std::uint64_t queued = 0;   // batches asked for
  std::uint64_t written = 0;  // of those, how many the thread has dealt with

  std::atomic<bool> failed{false};
  mutable std::mutex reportMutex;
  std::optional<ArchiveError> first;
  ArchiveErrorHandler onError;

  void Fail(ArchiveError error) {
    if (failed.exchange(true)) return;
    const std::lock_guard lock(reportMutex);
    first = std::move(error);
    if (!onError) return;
    try {
      onError(*first);
    } catch (...) {
      // The download must go on whatever the handler does.
    }
  }
};

namespace {

void FlushBatch(JournalFiles::Shared& shared,
                const std::vector<std::shared_ptr<JournalFiles::OpenFile>>& batch,
                const std::optional<std::string>& index) {
  for (std::size_t i = 0; i < batch.size(); ++i) {
    if (shared.failed) return;
    if (std::find(batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(i), batch[i]) !=
        batch.begin() + static_cast<std::ptrdiff_t>(i)) {
      continue;
    }
    if (const FileResult flushed = batch[i]->file.Flush(); !flushed) {
      shared.Fail({batch[i]->path, flushed, {}});
      return;
    }
  }
  if (!index || shared.failed) return;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(index->data());
  if (const FileResult written =
          fileio::ReplaceAtomically(shared.indexPath, std::span(bytes, index->size()));
      !written) {
    shared.Fail({shared.indexPath, written, {}});
  }
}

void RunFlusher(std::shared_ptr<JournalFiles::Shared> shared) {
  // Swapped with the queue each round, so both keep their capacity: no allocation per reply.
  std::vector<std::shared_ptr<JournalFiles::OpenFile>> batch;
  for (;;) {
    std::optional<std::string> index;
    bool finishing = false;
    std::uint64_t taken = 0;
    {
      std::unique_lock lock(shared->mutex);
      shared->wake.wait(lock, [&] {
        return !shared->files.empty() || shared->index.has_value() || shared->finishing;
      });
      std::swap(batch, shared->files);
      index.swap(shared->index);
      finishing = shared->finishing;
      taken = shared->queued;
    }
    FlushBatch(*shared, batch, index);
    batch.clear();
    {
      const std::lock_guard lock(shared->mutex);
      shared->written = taken;
    }
    shared->idle.notify_all();
    // Finishing is asked after the last append and index, so this round took them all.
    if (finishing) {
      const std::lock_guard lock(shared->mutex);
      shared->done = true;
      shared->idle.notify_all();
      return;
    }
  }
}

// Makes the folder and its missing parents; on failure `failed` is the one not made.
FileResult MakeFolders(const std::filesystem::path& folder, std::filesystem::path& failed) {
  if (fileio::IsFolder(folder)) return FileResult::Ok();
  const std::filesystem::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder) {
    if (FileResult made = MakeFolders(parent, failed); !made) return made;
  }
  const FileResult made = fileio::MakeFolder(folder);
  if (made || fileio::IsFolder(folder)) return FileResult::Ok();
  failed = folder;
  return made;
}

}  // namespace

std::string Describe(const ArchiveError& error) {
  return Utf8Name(error.path) + ": " +
         (error.detail.empty() ? Describe(error.result) : error.detail);
}

JournalFiles::JournalFiles(ArchiveErrorHandler onError) : shared_(std::make_shared<Shared>()) {
  shared_->onError = std::move(onError);
}

JournalFiles::~JournalFiles() { Finish(std::chrono::seconds(10)); }

std::optional<std::string> JournalFiles::Create(const std::filesystem::path& root,
                                                std::int64_t startUtc, std::string_view computer) {
  std::filesystem::path failed;
  if (FileResult made = MakeFolders(root, failed); !made) {
    shared_->Fail({failed, made, {}});
    return std::nullopt;
  }
  const std::string base = DownloadFolderName(startUtc, computer);
  for (int n = 1; n <= 1000; ++n) {
    const std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
    const std::filesystem::path path = root / PathFromUtf8(name);
    const FileResult made = fileio::MakeFolder(path);
    if (!made && made.error == FileError::AlreadyExists) continue;
    if (!made) {
      shared_->Fail({path, made, {}});
      return std::nullopt;
    }
    folder_ = path;
    shared_->indexPath = path / kIndexFileName;
    try {
      flusher_ = std::thread(RunFlusher, shared_);
    } catch (const std::system_error&) {
      shared_->Fail({path, FileResult::Fail(FileError::WriteFailed), "no thread to write with"});
      return std::nullopt;
    }
    return name;
  }
  shared_->Fail({root / PathFromUtf8(base), FileResult::Fail(FileError::AlreadyExists), {}});
  return std::nullopt;
}

std::shared_ptr<JournalFiles::OpenFile> JournalFiles::OpenForAppend(
    const std::filesystem::path& path) {
  auto file = std::make_shared<OpenFile>();
  file->path = path;
  if (const FileResult opened = file->file.Open(path); !opened) {
    shared_->Fail({path, opened, {}});
    return nullptr;
  }
  return file;
}

void JournalFiles::Append(const AcceptedRecords& records) {
  if (finished_ || !flusher_.joinable() || shared_->failed || records.empty()) return;
  buffer_.clear();
  auto add = [this](const auto& bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  };
  if (records.kind() == RecordKind::Monitoring) {
    const PatientId id = records.IdAt(0);
    if (!monitoring_ || id != monitoringId_) {
      monitoringId_ = id;
      monitoring_ = OpenForAppend(folder_ / PathFromUtf8(FileNameForId(id) + ".mDat"));
      if (!monitoring_) return;
    }
    if (monitoringFiles_.insert(id).second) add(id.bytes);
    for (std::size_t i = 0; i < records.size(); ++i) {
      add(UnpackWireRecord(records.RecordAt(i), RecordKind::Monitoring).ToBytes());
    }
    Write(monitoring_);
  } else {
    if (!wardRound_ && !(wardRound_ = OpenForAppend(folder_ / kWardRoundFileName))) return;
    for (std::size_t i = 0; i < records.size(); ++i) {
      add(records.IdAt(i).bytes);
      add(UnpackWireRecord(records.RecordAt(i), RecordKind::WardRound).ToBytes());
    }
    Write(wardRound_);
  }
}

void JournalFiles::Write(const std::shared_ptr<OpenFile>& file) {
  if (const FileResult written = file->file.Append(buffer_); !written) {
    shared_->Fail({file->path, written, {}});
    return;
  }
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->files.push_back(file);
    ++shared_->queued;
  }
  shared_->wake.notify_one();
}

void JournalFiles::WriteIndex(std::string text) {
  if (finished_ || !flusher_.joinable() || shared_->failed) return;
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->index = std::move(text);
    ++shared_->queued;
  }
  shared_->wake.notify_one();
}

bool JournalFiles::WaitUntilOnDisk(std::chrono::milliseconds limit) {
  if (folder_.empty()) return false;
  std::unique_lock lock(shared_->mutex);
  const std::uint64_t target = shared_->queued;
  return shared_->idle.wait_for(lock, limit, [&] { return shared_->written >= target; }) &&
         !shared_->failed;
}

void JournalFiles::Finish(std::chrono::milliseconds limit) {
  if (finished_) return;
  finished_ = true;
  if (flusher_.joinable()) {
    bool done = false;
    {
      std::unique_lock lock(shared_->mutex);
      shared_->finishing = true;
      shared_->wake.notify_one();
      done = shared_->idle.wait_for(lock, limit, [this] { return shared_->done; });
    }
    if (done) {
      flusher_.join();
    } else {
      {
        const std::lock_guard report(shared_->reportMutex);
        shared_->onError = nullptr;
      }
      flusher_.detach();
    }
  }
  monitoring_.reset();
  wardRound_.reset();
}

void JournalFiles::Abandon(const std::filesystem::path& path, std::string detail) {
  shared_->Fail({path, FileResult::Fail(FileError::WriteFailed), std::move(detail)});
}

bool JournalFiles::failed() const { return shared_->failed; }

std::optional<ArchiveError> JournalFiles::error() const {
  const std::lock_guard lock(shared_->reportMutex);
  return shared_->first;
}

}  // namespace wd
