#pragma once
// A view as the frame keeps it.

#include <memory>

#include "framework/form_view.h"
#include "framework/window.h"
#include "views/person_views.h"

namespace wd {

// The view the frame shows, as the switch that made it knows it: the window, the form that takes
// an initial update (null for the data overview, which paints itself), the person it shows and
// the picker of a selected person, where the view has them.
struct ShownView {
  std::unique_ptr<fw::Window> window;
  fw::FormView* form = nullptr;
  PersonView* personView = nullptr;
  const PersonPicker* picker = nullptr;
};

}  // namespace wd
