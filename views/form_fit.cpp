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
  for (HWND child = ::GetWindow(form, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const RECT rect = RectInForm(form, child);
    children.push_back(
        {child, {::GetDlgCtrlID(child), rect.left, rect.top, rect.right, rect.bottom}});
  }
  return children;
}

std::vector<ChildBox> BoxesOf(const std::vector<FormChild>& children) {
  std::vector<ChildBox> boxes;
  boxes.reserve(children.size());
  for (const FormChild& child : children) boxes.push_back(child.box);
  return boxes;
}

void MoveChildren(const std::vector<FormChild>& children, const std::vector<ChildBox>& boxes) {
  // Moved without drawing, then the form repainted once: one paint instead of one per child.
  HWND form = nullptr;
  for (std::size_t i = 0; i < children.size() && i < boxes.size(); ++i) {
    const ChildBox& box = boxes[i];
    ::SetWindowPos(children[i].window, nullptr, box.left, box.top, box.right - box.left,
                   box.bottom - box.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    form = ::GetParent(children[i].window);
  }
  if (form != nullptr && ::IsWindowVisible(form)) {
    ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

bool FitFormViewToWidth(fw::FormView& view, SIZE formSize) {
  const RECT client = view.ClientRect();
  const int width = client.right - client.left;
  if (width <= 0 || width >= formSize.cx) return false;
  const std::vector<FormChild> children = FormChildren(view.hwnd());
  MoveChildren(children, FitFormToWidth(BoxesOf(children), width, formSize.cx));
  view.SetScrollSizes(SIZE{width, formSize.cy});
  return true;
}

}  // namespace wd
