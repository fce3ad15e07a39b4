#pragma once
// Horizontal re-layout of a form whose template is wider than the view showing it.

#include <vector>

namespace wd {

struct ChildBox {
  int id;  // control id; 0 or -1 for controls without one
  int left, top, right, bottom;
  friend bool operator==(const ChildBox&, const ChildBox&) = default;
};

// The patient forms: with s = clientWidth / formWidth (single precision), the group box 1037 and
// the advice edit 1017 are scaled in position and width; an edit or box that follows a label
// starts 2 pixels after that label's (already moved) right edge; "CM" and "KG" start 5 pixels
// after their edits; everything else only has its left edge scaled. Children are processed in
// window order, each seeing the new places of those before it. Tops and bottoms never change.
std::vector<ChildBox> FitFormToWidth(const std::vector<ChildBox>& children, int clientWidth,
                                     int formWidth);

// The home view's simpler rule: every child's left edge is scaled, sizes kept.
std::vector<ChildBox> ScaleLeftEdges(const std::vector<ChildBox>& children, int clientWidth,
                                     int formWidth);

}  // namespace wd
