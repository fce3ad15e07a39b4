#include "app/spare_views.h"

#include <algorithm>

namespace wd {

std::vector<SpareViews::Spare>::iterator SpareViews::Find(ViewCode code) {
  return std::find_if(spares_.begin(), spares_.end(),
                      [code](const Spare& spare) { return spare.code == code; });
}

ShownView SpareViews::Take(ViewCode code, const ViewFit& fit) {
  const auto found = Find(code);
  if (found == spares_.end()) return {};
  ShownView view = std::move(found->view);
  const bool fits = found->fit == fit && view.window && view.window->hwnd() != nullptr;
  spares_.erase(found);
  return fits ? std::move(view) : ShownView{};
}

void SpareViews::Put(ViewCode code, const ViewFit& fit, ShownView view) {
  if (!view.window || view.window->hwnd() == nullptr) return;
  if (const auto found = Find(code); found != spares_.end()) spares_.erase(found);
  spares_.push_back({code, fit, std::move(view)});
}

std::optional<ViewCode> SpareViews::Missing(std::span<const ViewCode> wanted) {
  for (ViewCode code : wanted) {
    if (Find(code) == spares_.end()) return code;
  }
  return std::nullopt;
}

}  // namespace wd
