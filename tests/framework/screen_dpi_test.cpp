// Fonts and forms at the screen's DPI: 96 in the usual prefix, 120 in the second one
// (WD_EXPECT_DPI tells which this run has).
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/device_context.h"
#include "framework/form_view.h"
#include "framework/frame_window.h"
#include "framework/gdi_objects.h"
#include "test_host.h"
#include "test_resource_ids.h"

namespace {

int ExpectedDpi() {
  const char* value = std::getenv("WD_EXPECT_DPI");
  return value != nullptr ? std::atoi(value) : 96;
}

int ScreenDpi() {
  ::SetProcessDPIAware();  // as the program's manifest declares
  fw::WindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// Scales its template's font like the program's DPI-aware form base.
class DpiForm : public fw::FormView {
 public:
  explicit DpiForm(bool scale) : FormView(IDD_FORM), scale_(scale) {}

 protected:
  void AdjustTemplate(fw::DialogTemplate& form) override {
    if (auto points = form.PointSize(); scale_ && points) {
      form.SetPointSize(fw::ScaledPointSizeForDpi(*points, ScreenDpi()));
    }
  }

 private:
  bool scale_;
};

TEST(ScreenDpi, PointFontsAreSizedForTheScreensDpi) {
  const int dpi = ScreenDpi();
  ASSERT_EQ(dpi, ExpectedDpi());
  fw::Font font = fw::CreatePointFont(150, L"Arial");
  LOGFONTW described{};
  ASSERT_NE(::GetObjectW(font.get(), sizeof(described), &described), 0);
  EXPECT_EQ(described.lfHeight, dpi == 120 ? -25 : -20);
}

TEST(ScreenDpi, AScaledFormKeepsAboutItsPixelSizeAt96Dpi) {
  const int dpi = ScreenDpi();
  fw_test::HostWindow host;
  ASSERT_TRUE(host.Open(600, 400));
  DpiForm plain(false);
  DpiForm scaled(true);
  ASSERT_TRUE(plain.Create(host.hwnd(), fw::kPaneFirstId, RECT{0, 0, 100, 100}));
  ASSERT_TRUE(scaled.Create(host.hwnd(), fw::kPaneFirstId + 1, RECT{0, 0, 100, 100}));
  if (dpi <= 96) {
    EXPECT_EQ(scaled.TotalSize().cx, plain.TotalSize().cx);
    EXPECT_EQ(scaled.TotalSize().cy, plain.TotalSize().cy);
    return;
  }
  // 8 pt becomes 6 pt at 120 DPI: the form shrinks by about 96/120 (font metrics round).
  const double ratio = static_cast<double>(scaled.TotalSize().cx) / plain.TotalSize().cx;
  EXPECT_GT(ratio, 0.65);
  EXPECT_LT(ratio, 0.9);
}

}  // namespace
