#pragma once
// The main frame's back/forward history of shown views.

#include <cstddef>
#include <optional>
#include <vector>

#include "data/patient_id.h"
#include "views/logic/view_code.h"

namespace wd {

struct HistoryEntry {
  ViewCode view;
  const PatientId* person;  // the store's own key, or null
  friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

// Entries grow at the end; showing a new view drops everything after the current one. The
// history has no length limit (a view switch costs two pointers).
class ViewHistory {
 public:
  // A newly shown view: forward entries are dropped and the new one becomes current.
  void Push(HistoryEntry entry);
  bool CanGoBack() const { return entries_.size() >= 2 && index_ >= 1; }
  bool CanGoForward() const { return entries_.size() > 1 && index_ + 1 < entries_.size(); }
  // Moves the index and returns the entry to re-show, if there is one.
  std::optional<HistoryEntry> Back();
  std::optional<HistoryEntry> Forward();
  std::optional<HistoryEntry> Current() const;

  const std::vector<HistoryEntry>& entries() const { return entries_; }
  std::size_t index() const { return index_; }

 private:
  std::vector<HistoryEntry> entries_;
  std::size_t index_ = 0;
};

}  // namespace wd
