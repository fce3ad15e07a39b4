#include "views/form_fit.h"

namespace wd {

RECT RectInForm(HWND form, HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<FormChild> FormChildren(HWND form) {
  std::vector<FormChild> children;
  for (HWND child = ::GetWindow(form, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const RECT rect = RectInForm(form, child);
    children.push_back({child, {::GetDlgCtrlID(child), rect.left, rect.top, rect.right, rect.bottom}});
  }
  return children;
}

bool FitFormViewToWidth(fw::FormView& view, SIZE formSize) {
  const RECT client = view.ClientRect();
  const int width = client.right - client.left;
  if (width <= 0 || width >= formSize.cx) return false;
  const std::vector<FormChild> children = FormChildren(view.hwnd());
  std::vector<ChildBox> boxes;
  boxes.reserve(children.size());
  for (const FormChild& child : children) boxes.push_back(child.box);
  const std::vector<ChildBox> moved = FitFormToWidth(boxes, width, formSize.cx);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ChildBox& box = moved[i];
    ::MoveWindow(children[i].window, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  }
  view.SetScrollSizes(SIZE{width, formSize.cy});
  return true;
}

}  // namespace wd
