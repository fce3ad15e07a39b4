#include "app/logic/view_history.h"

namespace wd {

void ViewHistory::Push(HistoryEntry entry) {
  if (!entries_.empty()) entries_.resize(index_ + 1);
  entries_.push_back(entry);
  index_ = entries_.size() - 1;
}

std::optional<HistoryEntry> ViewHistory::Back() {
  if (!CanGoBack()) return std::nullopt;
  --index_;
  return entries_[index_];
}

std::optional<HistoryEntry> ViewHistory::Forward() {
  if (!CanGoForward()) return std::nullopt;
  ++index_;
  return entries_[index_];
}

std::optional<HistoryEntry> ViewHistory::Current() const {
  if (entries_.empty()) return std::nullopt;
  return entries_[index_];
}

}  // namespace wd
