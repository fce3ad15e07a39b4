#pragma once
// Live GDI/USER objects owned by the framework's wrappers. Wine's GetGuiResources reports 0,
// so leak tests count here instead: a view created and destroyed many times must come back
// to the same numbers.
#include <cstddef>

namespace fw {

enum class GuiObjectKind { Pen, Brush, Font, Bitmap, Icon, DeviceContext, Count };

class GuiObjectCounter {
 public:
  static void Created(GuiObjectKind kind) noexcept;
  static void Destroyed(GuiObjectKind kind) noexcept;
  static long Live(GuiObjectKind kind) noexcept;
  static long LiveTotal() noexcept;
};

}  // namespace fw
