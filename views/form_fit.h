#pragma once
// The patient forms' re-layout for a view narrower than its template, applied to the view's
// child windows (the arithmetic is FitFormToWidth in views/logic/form_layout.h).

#include <windows.h>

#include <vector>

#include "framework/form_view.h"
#include "views/logic/form_layout.h"

namespace wd {

// A child's window rectangle in the client coordinates of `form`.
RECT RectInForm(HWND form, HWND child);

// The direct children of `form` in window order, with their boxes in its client coordinates.
struct FormChild {
  HWND window;
  ChildBox box;
};
std::vector<FormChild> FormChildren(HWND form);
// Moves each child to the box of the same index, in window order.
void MoveChildren(const std::vector<FormChild>& children, const std::vector<ChildBox>& boxes);
// The boxes of the children, in the same order.
std::vector<ChildBox> BoxesOf(const std::vector<FormChild>& children);

// When the client is narrower than `formSize`: every child re-laid out by FitFormToWidth and the
// scroll sizes set to (client width, form height). False, and nothing changed, otherwise.
bool FitFormViewToWidth(fw::FormView& view, SIZE formSize);

}  // namespace wd
