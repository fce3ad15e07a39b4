#include "app/spare_views.h"

#include <algorithm>

namespace wd {

ShownView SpareViews::Take(ViewCode code, const ViewFit& fit) {
  const auto found = std::find_if(spares_.begin(), spares_.end(),
                                  [code](const Spare& spare) { return spare.code == code; });
  if (found == spares_.end()) return {};
  ShownView view = std::move(found->view);
  const bool fits = found->fit == fit && view.window && view.window->hwnd() != nullptr;
  spares_.erase(found);
  return fits ? std::move(view) : ShownView{};
}

void SpareViews::Put(ViewCode code, const ViewFit& fit, ShownView view) {
  if (!view.window || view.window->hwnd() == nullptr) return;
  std::erase_if(spares_, [code](const Spare& spare) { return spare.code == code; });
  spares_.push_back({code, fit, std::move(view)});
}

std::optional<ViewCode> SpareViews::Missing(std::span<const ViewCode> wanted) const {
  for (ViewCode code : wanted) {
    if (std::none_of(spares_.begin(), spares_.end(),
                     [code](const Spare& spare) { return spare.code == code; }))
      return code;
  }
  return std::nullopt;
}

}  // namespace wd
