#pragma once
// Views made ahead, while the program is idle, for the next switch to take. Under Wine most of a
// switch to a form view is making the form's windows (some forty for a patient form); a spare is
// that form, made hidden and never shown, its initial update and person left to the switch, so a
// view taken from here is exactly as fresh as one made on the spot. A spare made for another
// pane size or another language is thrown away instead of taken.
//
//   ShownView next = spares_.Take(code, fit);        // in the switch
//   if (!next.window) next = MakeView(code);
//   ...
//   if (auto code = spares_.Missing(kSpareCodes))   // later, when idle
//     spares_.Put(*code, fit, MakeView(*code));

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "app/shown_view.h"
#include "views/logic/view_code.h"

namespace wd {

// What a view's form was made for.
struct ViewFit {
  RECT pane;          // the pane, in the frame's client coordinates
  HMODULE resources;  // the module its template and texts came from (the language)

  bool operator==(const ViewFit& other) const {
    return ::EqualRect(&pane, &other.pane) != FALSE && resources == other.resources;
  }
};

class SpareViews {
 public:
  // The spare of `code` when it was made for `fit`; an empty view otherwise (a spare of that
  // code made for another fit is destroyed).
  ShownView Take(ViewCode code, const ViewFit& fit);
  // Keeps `view` (hidden, not yet updated) as the spare of `code`; an empty view is ignored.
  void Put(ViewCode code, const ViewFit& fit, ShownView view);
  // The first of `wanted` that has no spare.
  std::optional<ViewCode> Missing(std::span<const ViewCode> wanted);
  void Clear() { spares_.clear(); }

 private:
  struct Spare {
    ViewCode code;
    ViewFit fit;
    ShownView view;
  };
  std::vector<Spare>::iterator Find(ViewCode code);
  std::vector<Spare> spares_;
};

}  // namespace wd
