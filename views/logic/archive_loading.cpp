#include "views/logic/archive_loading.h"

#include <algorithm>
#include <optional>
#include <string>

#include "archive/archive_reader.h"
#include "data/data_files.h"
#include "data/file_io.h"

namespace wd {
namespace {

class StoreFiller {
 public:
  explicit StoreFiller(PatientStore& store) : writer_(store.Write()) {}

  RecordList& ListOf(const PatientId& id) {
    if (current_ == nullptr || currentId_ != id) {
      current_ = &writer_.FindOrCreateRecordList(id);
      currentId_ = id;
      if (std::find(persons_.begin(), persons_.end(), id) == persons_.end()) persons_.push_back(id);
    }
    return *current_;
  }
  void Add(const PatientId& id, const VitalRecord& record) {
    if (writer_.AppendRecordUnique(ListOf(id), record)) {
      ++loaded_.added;
    } else {
      ++loaded_.skipped;
    }
  }
  LoadedRecords Result() {
    loaded_.persons = persons_.size();
    return loaded_;
  }

 private:
  PatientStore::Writer writer_;
  RecordList* current_ = nullptr;
  PatientId currentId_{};
  std::vector<PatientId> persons_;
  LoadedRecords loaded_;
};

char16_t Folded(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool ContainsFolded(std::u16string_view text, std::u16string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char16_t a, char16_t b) { return Folded(a) == Folded(b); }) != text.end();
}

// The typed text as id bytes when it can begin an id: printable ASCII, at most 18 characters.
std::optional<std::string> IdPrefix(std::u16string_view typed) {
  if (typed.empty() || typed.size() > kPatientIdSize) return std::nullopt;
  std::string bytes;
  for (char16_t c : typed) {
    if (c < 0x21 || c > 0x7E) return std::nullopt;
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

}  // namespace

FileResult LoadArchivedDownload(PatientStore& store, const std::filesystem::path& download,
                                LoadedRecords& loaded) {
  std::vector<std::filesystem::path> files;
  if (const FileResult listed = DownloadDataFiles(download, files); !listed) return listed;
  StoreFiller filler(store);
  FileResult result;
  std::vector<std::uint8_t> bytes;
  for (const std::filesystem::path& file : files) {
    if (result = fileio::ReadAll(file, bytes); !result) break;
    if (file.extension() == ".mDat") {
      const std::optional<MonitorFileContents> contents = ParseMonitorFile(bytes);
      if (!contents) continue;  // begun, but cut before its id was whole
      filler.ListOf(contents->id);
      for (const VitalRecord& record : contents->records) filler.Add(contents->id, record);
    } else {
      for (const CheckFileUnit& unit : ParseCheckFile(bytes).units)
        filler.Add(unit.id, unit.record);
    }
  }
  loaded = filler.Result();
  return result;
}

LoadedRecords LoadHistory(PatientStore& store, const PersonHistory& history) {
  StoreFiller filler(store);
  filler.ListOf(history.id);
  for (const VitalRecord& record : history.records) filler.Add(history.id, record);
  return filler.Result();
}

std::vector<PatientId> IdsByName(const RegisterSnapshot& people, std::u16string_view typed) {
  std::vector<PatientId> ids;
  if (typed.empty()) return ids;
  for (const auto& [id, info] : people) {
    if (ContainsFolded(info.Name(), typed)) ids.push_back(id);
  }
  return ids;
}

FileResult SearchHistory(const std::filesystem::path& root, std::u16string_view typed,
                         const RegisterSnapshot& people, std::vector<PersonHistory>& out) {
  out.clear();
  if (const std::optional<std::string> prefix = IdPrefix(typed)) {
    if (const FileResult read = HistoryByIdPrefix(root, *prefix, out); !read) return read;
  }
  std::vector<PatientId> byName = IdsByName(people, typed);
  std::erase_if(byName, [&](const PatientId& id) {
    return std::any_of(out.begin(), out.end(),
                       [&](const PersonHistory& found) { return found.id == id; });
  });
  if (!byName.empty()) {
    std::vector<PersonHistory> named;
    if (const FileResult read = HistoryOf(root, byName, named); !read) return read;
    for (PersonHistory& person : named) out.push_back(std::move(person));
    std::sort(out.begin(), out.end(), [](const PersonHistory& a, const PersonHistory& b) {
      return a.id.bytes < b.id.bytes;
    });
  }
  return {};
}

}  // namespace wd
