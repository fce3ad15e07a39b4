// The form-view base: its form made from the template at the screen's DPI (96 here, 120 in the
// second prefix, which WD_EXPECT_DPI names), its creation steps, its controls' init data, and
// that views with image buttons give back every object they make.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "controls/logic/form_rules.h"
#include "controls_test_ids.h"
#include "controls_test_support.h"
#include "framework/dialog_template.h"
#include "framework/gui_object_counter.h"
#include "framework/resource_module.h"
#include "tests/ui_support/message_pump.h"

namespace {

using controls_test::HomeForm;
using controls_test::TestForm;
using wd::CFormViewDPI;

int ExpectedDpi() {
  const char* value = std::getenv("WD_EXPECT_DPI");
  return value != nullptr ? std::atoi(value) : 96;
}

int FontPixelHeight(HWND window) {
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW described{};
  ::GetObjectW(font, sizeof(described), &described);
  return described.lfHeight;
}

std::uint16_t TemplatePointSize(UINT id) {
  const auto bytes = fw::FindDialogTemplate(id);
  const auto form = bytes ? fw::DialogTemplate::Parse(*bytes) : std::nullopt;
  return form && form->PointSize() ? *form->PointSize() : 0;
}

class DpiFormView : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open(900, 600)); }
  fw_test::HostWindow host;
};

TEST_F(DpiFormView, TheFormsFontIsScaledForTheScreenAndTheTemplateKeepsItsOwn) {
  fw::WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  ASSERT_EQ(dpi, ExpectedDpi());
  const int points = wd::ScaledFormPointSize(8, dpi);  // 8 at 96 DPI, 6 at 120
  ASSERT_EQ(TemplatePointSize(354), 8);

  for (int round = 0; round < 2; ++round) {  // a second form is no smaller than the first
    HomeForm form;
    ASSERT_TRUE(form.Create(0, RECT{0, 0, 400, 300}, host.hwnd(), fw::kPaneFirstId, nullptr));
    EXPECT_EQ(FontPixelHeight(form.hwnd()),
              -::MulDiv(points, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72));
    RECT units{0, 0, 763, 424};
    ::MapDialogRect(form.hwnd(), &units);
    EXPECT_EQ(form.TotalSize().cx, units.right) << "the form is made exactly from its template";
    EXPECT_EQ(form.TotalSize().cy, units.bottom);
  }
  EXPECT_EQ(TemplatePointSize(354), 8);
}

class RecordingForm : public TestForm {
 public:
  RecordingForm() : TestForm(IDD_TEST_BUTTONS) {}
  bool refuse = false;
  const wd::CreateContext* contextSeen = nullptr;
  using CFormViewDPI::CreationContext;

 protected:
  bool PreCreateWindow(CREATESTRUCTW& create) override {
    create.dwExStyle |= WS_EX_CLIENTEDGE;
    return !refuse;
  }
  void OnSize(UINT type, int width, int height) override {
    if (contextSeen == nullptr) contextSeen = CreationContext();
    TestForm::OnSize(type, width, height);
  }
};

TEST_F(DpiFormView, CreationFollowsTheRequestAndThePreCreateStep) {
  int document = 0;
  const wd::CreateContext context{host.hwnd(), &document};
  RecordingForm form;
  ASSERT_TRUE(form.Create(0, RECT{10, 20, 310, 220}, host.hwnd(), 4242, &context));
  EXPECT_EQ(form.contextSeen, &context) << "the context is there while the window is made";
  EXPECT_EQ(form.CreationContext(), nullptr);
  EXPECT_EQ(::GetDlgCtrlID(form.hwnd()), 4242);
  const LONG_PTR style = ::GetWindowLongPtrW(form.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), WS_CHILD | WS_VISIBLE | WS_BORDER);
  EXPECT_NE(::GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  const RECT placed = fw_test::ChildRect(form.hwnd());
  EXPECT_EQ(placed.left, 10);
  EXPECT_EQ(placed.bottom, 220);

  RecordingForm refused;
  refused.refuse = true;
  EXPECT_FALSE(refused.Create(0, RECT{0, 0, 100, 100}, host.hwnd(), 2, nullptr));
  EXPECT_EQ(refused.hwnd(), nullptr);
}

TEST_F(DpiFormView, InitDataFillsListsAndBadDataFailsTheCreation) {
  TestForm form(IDD_TEST_INIT_DATA);
  ASSERT_TRUE(form.Create(0, RECT{0, 0, 300, 200}, host.hwnd(), 1, nullptr));
  const HWND combo = form.Child(IDC_TEST_COMBO);
  ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
  wchar_t text[16]{};
  ::SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Bravo");
  const HWND list = form.Child(IDC_TEST_LIST);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  ::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Lima");

  for (UINT bad : {IDD_TEST_BAD_INIT, IDD_TEST_CUT_INIT}) {
    TestForm broken(bad);
    EXPECT_FALSE(broken.Create(0, RECT{0, 0, 300, 200}, host.hwnd(), 2, nullptr)) << bad;
    EXPECT_EQ(broken.hwnd(), nullptr);
  }
}

TEST_F(DpiFormView, AHomeFormMadeAndDestroyedAHundredTimesGivesBackEveryObject) {
  const long before = fw::GuiObjectCounter::LiveTotal();
  const long icons = fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon);
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < 100; ++round) {
    HomeForm form;
    ASSERT_TRUE(form.Create(0, RECT{0, 0, 880, 580}, host.hwnd(), fw::kPaneFirstId, nullptr));
    form.InitialUpdate();
    if (round == 0) {
      EXPECT_EQ(fw::GuiObjectCounter::Live(fw::GuiObjectKind::Icon), icons + 12);
    }
    ::EnableWindow(form.Button(1010).hwnd(), FALSE);  // the disabled look makes a grey copy
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  const auto elapsed =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  std::printf("home form with 6 image buttons: %.1f ms to make, paint and destroy (mean of 100)\n",
              elapsed.count() / 100);
  ui_support::PumpMessagesFor(10);
  EXPECT_EQ(fw::GuiObjectCounter::LiveTotal(), before);
}

}  // namespace
