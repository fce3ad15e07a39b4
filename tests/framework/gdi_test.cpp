// Ownership of GDI objects and DCs: counted, moved, released, restored; point fonts.
#include <gtest/gtest.h>

#include <vector>

#include "framework/device_context.h"
#include "framework/form_view.h"
#include "framework/frame_window.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "test_host.h"
#include "test_resource_ids.h"

namespace {

using fw::GuiObjectCounter;
using fw::GuiObjectKind;

TEST(GdiObjects, WrappersCountWhatTheyOwnAndMovesTransferOwnership) {
  const long pens = GuiObjectCounter::Live(GuiObjectKind::Pen);
  fw::Pen pen = fw::CreateSolidPen(1, RGB(255, 255, 255));
  ASSERT_TRUE(pen);
  EXPECT_EQ(GuiObjectCounter::Live(GuiObjectKind::Pen), pens + 1);

  fw::Pen moved = std::move(pen);
  EXPECT_FALSE(pen);
  EXPECT_EQ(GuiObjectCounter::Live(GuiObjectKind::Pen), pens + 1);

  const HPEN raw = moved.release();
  EXPECT_EQ(GuiObjectCounter::Live(GuiObjectKind::Pen), pens);
  moved.reset(raw);
  EXPECT_EQ(GuiObjectCounter::Live(GuiObjectKind::Pen), pens + 1);
  moved = fw::Pen();
  EXPECT_EQ(GuiObjectCounter::Live(GuiObjectKind::Pen), pens);
  EXPECT_EQ(::GetObjectType(raw), 0u) << "the pen was deleted";
}

TEST(GdiObjects, ASelectionIsUndoneAtTheEndOfItsScope) {
  fw::MemoryDc dc(nullptr);
  ASSERT_TRUE(dc);
  const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_FONT);
  fw::Font font = fw::CreatePointFont(150, L"Arial", dc.get());
  {
    fw::SelectionGuard select(dc.get(), font.get());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), font.get());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), original);
}

TEST(GdiObjects, PointFontHeightsFollowTheDevicesDotsPerInch) {
  EXPECT_EQ(fw::PointFontHeight(150, 96), -20);
  EXPECT_EQ(fw::PointFontHeight(150, 120), -25);
  EXPECT_EQ(fw::PointFontHeight(80, 96), -10);   // 10.67 truncated
  EXPECT_EQ(fw::PointFontHeight(80, 120), -13);  // 13.33 truncated
  EXPECT_EQ(fw::PointFontHeight(100, 144), -20);
}

TEST(GdiObjects, APointFontIsSizedForTheScreen) {
  fw::WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  fw::Font font = fw::CreatePointFont(150, L"Arial");
  ASSERT_TRUE(font);
  LOGFONTW described{};
  ASSERT_NE(::GetObjectW(font.get(), sizeof(described), &described), 0);
  EXPECT_EQ(described.lfHeight, fw::PointFontHeight(150, dpi));
  EXPECT_STREQ(described.lfFaceName, L"Arial");
  if (dpi == 96) {
    EXPECT_EQ(described.lfHeight, -20);
  }
}

TEST(GdiObjects, ADibSectionHasWritablePixels) {
  fw::DibSection dib = fw::CreateDibSection32(4, 3);
  ASSERT_TRUE(dib.bitmap);
  ASSERT_NE(dib.bits, nullptr);
  static_cast<std::uint32_t*>(dib.bits)[4 * 3 - 1] = 0x80112233u;
  fw::MemoryDc dc(nullptr);
  fw::SelectionGuard select(dc.get(), dib.bitmap.get());
  EXPECT_EQ(::GetPixel(dc.get(), 3, 2), RGB(0x11, 0x22, 0x33)) << "top-down rows";
  EXPECT_FALSE(fw::CreateDibSection32(0, 5).bitmap);
}

// A view that owns the usual drawing objects, as the program's views do.
class PaintedForm : public fw::FormView {
 public:
  PaintedForm() : FormView(IDD_FORM) {}

 protected:
  void OnInitialUpdate() override {
    brush_ = fw::CreateSolidBrush(RGB(180, 200, 255));
    font_ = fw::CreatePointFont(150, L"Arial");
    icon_ = fw::LoadIconResource(IDI_PROGRAM_ONLY, 32, 32);
    fw::WindowDc dc(hwnd());
    fw::MemoryDc memory(dc.get());
    fw::Pen pen = fw::CreateSolidPen(1, RGB(0, 0, 0));
    fw::Bitmap bitmap = fw::CreateDibSection32(50, 50).bitmap;
    fw::SelectionGuard selectPen(memory.get(), pen.get());
    fw::SelectionGuard selectBitmap(memory.get(), bitmap.get());
    ::LineTo(memory.get(), 20, 20);
  }
  void OnPaint() override {
    fw::PaintDc dc(hwnd());
    ::FillRect(dc.get(), &dc.area(), brush_.get());
  }

 private:
  fw::Brush brush_;
  fw::Font font_;
  fw::Icon icon_;
};

TEST(GdiObjects, AViewCreatedAndDestroyedAHundredTimesReturnsToTheBaseline) {
  fw_test::HostWindow host;
  ASSERT_TRUE(host.Open(400, 300));
  const long baseline = GuiObjectCounter::LiveTotal();
  long peak = baseline;
  for (int cycle = 0; cycle < 100; ++cycle) {
    PaintedForm view;
    ASSERT_TRUE(view.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 300, 200}));
    view.InitialUpdate();
    view.Redraw();
    peak = std::max(peak, GuiObjectCounter::LiveTotal());
  }
  EXPECT_EQ(peak, baseline + 3) << "brush, font and icon live with the view";
  EXPECT_EQ(GuiObjectCounter::LiveTotal(), baseline);
}

}  // namespace
