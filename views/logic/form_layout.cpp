#include "views/logic/form_layout.h"

#include <map>

namespace wd {
namespace {

// Pairs of (control, the control it follows, gap in pixels).
struct Follower {
  int id;
  int after;
  int gap;
};
constexpr Follower kFollowers[] = {
    {1011, 1038, 2}, {1012, 1039, 2}, {1013, 1040, 2}, {1014, 1041, 2},
    {1015, 1042, 2}, {1016, 1043, 2}, {1020, 1046, 2}, {1021, 1047, 2},
    {1022, 1048, 2}, {1023, 1049, 2}, {1044, 1015, 5}, {1045, 1016, 5},
};
constexpr int kGroupBox = 1037;
constexpr int kAdviceEdit = 1017;

int ScaleTrunc(int value, float scale) {
  return static_cast<int>(static_cast<float>(value) * scale);
}

const Follower* FollowerOf(int id) {
  for (const Follower& f : kFollowers) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

ChildBox MovedTo(const ChildBox& box, int left, int width) {
  return {box.id, left, box.top, left + width, box.bottom};
}

}  // namespace

std::vector<ChildBox> FitFormToWidth(const std::vector<ChildBox>& children, int clientWidth,
                                     int formWidth) {
  const float scale = static_cast<float>(clientWidth) / static_cast<float>(formWidth);
  std::map<int, ChildBox> current;
  for (const ChildBox& box : children) current[box.id] = box;
  std::vector<ChildBox> result;
  result.reserve(children.size());
  for (const ChildBox& box : children) {
    const int width = box.right - box.left;
    ChildBox moved;
    if (box.id == kGroupBox || box.id == kAdviceEdit) {
      moved = MovedTo(box, ScaleTrunc(box.left, scale), ScaleTrunc(width, scale));
    } else if (const Follower* follower = FollowerOf(box.id);
               follower != nullptr && current.contains(follower->after)) {
      moved = MovedTo(box, current[follower->after].right + follower->gap, width);
    } else {
      moved = MovedTo(box, ScaleTrunc(box.left, scale), width);
    }
    current[box.id] = moved;
    result.push_back(moved);
  }
  return result;
}

std::vector<ChildBox> ScaleLeftEdges(const std::vector<ChildBox>& children, int clientWidth,
                                     int formWidth) {
  const float scale = static_cast<float>(clientWidth) / static_cast<float>(formWidth);
  std::vector<ChildBox> result;
  result.reserve(children.size());
  for (const ChildBox& box : children) {
    result.push_back(MovedTo(box, ScaleTrunc(box.left, scale), box.right - box.left));
  }
  return result;
}

}  // namespace wd
