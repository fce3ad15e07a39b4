#pragma once
// All records in memory, grouped per person. Written by the download thread and the imports,
// read by the views and exports: every access goes through a Reader or Writer that holds the
// store's one lock for its lifetime.

#include <cstddef>
#include <deque>
#include <mutex>
#include <unordered_map>

#include "data/patient_id.h"
#include "data/record_list.h"
#include "data/vital_record.h"

namespace wd {

class PatientStore {
 public:
  // A person: the store's own copy of the id (the stable handle the views and the history pass
  // around) and the person's records. Addresses stay fixed until RemoveAll.
  struct Entry {
    PatientId key;
    RecordList records;
  };
  using Entries = std::deque<Entry>;

  // Read access. The lock is exclusive, so readers of other threads wait too: only the window
  // thread reads and the download thread writes, and a reader-preferring shared lock would
  // let a busy window starve the download. Take no second access on the same thread.
  class Reader {
   public:
    const RecordList* FindRecordList(const PatientId& id) const { return store_->FindList(id); }
    const PatientId* FindStoreKey(const PatientId& id) const { return store_->FindKey(id); }
    // Persons in the order they were first added.
    const Entries& entries() const { return store_->entries_; }
    std::size_t PatientCount() const { return store_->entries_.size(); }

   private:
    friend class PatientStore;
    explicit Reader(const PatientStore& store) : store_(&store), lock_(store.mutex_) {}
    const PatientStore* store_;
    std::unique_lock<std::mutex> lock_;
  };

  // Exclusive access for the download thread, the imports and the final clean-up.
  class Writer {
   public:
    const RecordList* FindRecordList(const PatientId& id) const { return store_->FindList(id); }
    const PatientId* FindStoreKey(const PatientId& id) const { return store_->FindKey(id); }
    const Entries& entries() const { return store_->entries_; }
    std::size_t PatientCount() const { return store_->entries_.size(); }

    RecordList& FindOrCreateRecordList(const PatientId& id) { return store_->FindOrCreate(id); }
    // Appends the unpacked record unless the list already holds a record of the same minute
    // (of either kind). Returns whether it was stored.
    bool AddRecordUnique(RecordList& list, const WireRecord& wire, RecordKind kind);
    // The same test for a record already in its stored form (one read back from the archive).
    bool AppendRecordUnique(RecordList& list, const VitalRecord& record);
    // Appends as it stands, without the duplicate test (file imports).
    void AppendRecord(RecordList& list, const VitalRecord& record) { list.Append(record); }
    void RemoveAll();

   private:
    friend class PatientStore;
    explicit Writer(PatientStore& store) : store_(&store), lock_(store.mutex_) {}
    PatientStore* store_;
    std::unique_lock<std::mutex> lock_;
  };

  PatientStore() = default;
  PatientStore(const PatientStore&) = delete;
  PatientStore& operator=(const PatientStore&) = delete;

  Reader Read() const { return Reader(*this); }
  Writer Write() { return Writer(*this); }

 private:
  const RecordList* FindList(const PatientId& id) const;
  const PatientId* FindKey(const PatientId& id) const;
  RecordList& FindOrCreate(const PatientId& id);

  mutable std::mutex mutex_;
  Entries entries_;
  std::unordered_map<PatientId, Entry*, PatientIdHash> index_;
};

}  // namespace wd
