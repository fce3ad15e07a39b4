// Command tables (action and rule side by side) and routing through a frame: view first.
#include <gtest/gtest.h>

#include <vector>

#include "framework/command_table.h"
#include "framework/frame_window.h"
#include "test_host.h"

namespace {

class Target {
 public:
  void OnStart() { log.push_back(220); }
  void OnToggle() { choice = !choice; }
  void OnLook(UINT id) { look = id; }
  bool CanStart() const { return devicePresent && !running; }
  bool IsChosen() const { return choice; }
  fw::CommandState LookState(UINT id) const { return {true, id == look, true}; }

  bool devicePresent = false;
  bool running = false;
  bool choice = true;
  UINT look = 216;
  std::vector<UINT> log;
};

const fw::CommandTable<Target>& Table() {
  static const fw::CommandTable<Target> table{
      {220, &Target::OnStart, &Target::CanStart},
      {32822, &Target::OnToggle, nullptr, &Target::IsChosen},
      fw::CommandEntry<Target>::Range(210, 218, &Target::OnLook, &Target::LookState),
  };
  return table;
}

TEST(CommandTable, RulesAreEvaluatedAtEachQueryAndGuardTheAction) {
  Target target;
  EXPECT_EQ(Table().Query(target, 220), (fw::CommandState{false, false, false}));
  EXPECT_TRUE(Table().Execute(target, 220));  // the table's command, but disabled: not run
  EXPECT_TRUE(target.log.empty());

  target.devicePresent = true;
  EXPECT_EQ(Table().Query(target, 220), (fw::CommandState{true, false, false}));
  EXPECT_TRUE(Table().Execute(target, 220));
  EXPECT_EQ(target.log, std::vector<UINT>{220});

  target.running = true;
  EXPECT_FALSE(Table().Query(target, 220)->enabled);
}

TEST(CommandTable, CheckRulesAndRangesFollowTheTargetsState) {
  Target target;
  EXPECT_EQ(Table().Query(target, 32822), (fw::CommandState{true, true, false}));
  Table().Execute(target, 32822);
  EXPECT_EQ(Table().Query(target, 32822), (fw::CommandState{true, false, false}));

  EXPECT_EQ(Table().Query(target, 216), (fw::CommandState{true, true, true}));
  EXPECT_EQ(Table().Query(target, 210), (fw::CommandState{true, false, true}));
  Table().Execute(target, 212);
  EXPECT_EQ(target.look, 212u);
  EXPECT_TRUE(Table().Query(target, 212)->checked);
  EXPECT_FALSE(Table().Query(target, 216)->checked);
}

TEST(CommandTable, UnknownIdsAreNotTheTables) {
  Target target;
  EXPECT_FALSE(Table().Query(target, 219).has_value());
  EXPECT_FALSE(Table().Query(target, 209).has_value());
  EXPECT_FALSE(Table().Execute(target, 999));
}

// A view and a frame sharing command 500; the view also has 501, the frame 502.
class RoutedView : public fw_test::HostWindow {
 public:
  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }
  void OnShared() { log->push_back(L"view 500"); }
  void OnOwn() { log->push_back(L"view 501"); }
  bool SharedEnabled() const { return false; }
  std::vector<std::wstring>* log = nullptr;

 private:
  static const fw::CommandTable<RoutedView>& Commands() {
    static const fw::CommandTable<RoutedView> table{
        {500, &RoutedView::OnShared, &RoutedView::SharedEnabled},
        {501, &RoutedView::OnOwn},
    };
    return table;
  }
};

class RoutedFrame : public fw::FrameWindow {
 public:
  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }
  void OnShared() { log.push_back(L"frame 500"); }
  void OnFrameOnly() { log.push_back(L"frame 502"); }
  bool IsChecked() const { return true; }
  std::vector<std::wstring> log;

 private:
  static const fw::CommandTable<RoutedFrame>& Commands() {
    static const fw::CommandTable<RoutedFrame> table{
        {500, &RoutedFrame::OnShared, nullptr, &RoutedFrame::IsChecked},
        {502, &RoutedFrame::OnFrameOnly},
    };
    return table;
  }
};

class FrameRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateFrame(L"routing", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 400, 300}));
    fw::WindowSpec windowSpec;
    const std::wstring className = fw::RegisterPrivateClass();
    windowSpec.className = className.c_str();
    windowSpec.style = WS_CHILD | WS_VISIBLE;
    windowSpec.parent = frame.hwnd();
    windowSpec.id = fw::kPaneFirstId;
    ASSERT_TRUE(view.Create(windowSpec));
    view.log = &frame.log;
    frame.SetCurrentView(&view);
  }
  void Command(UINT id, UINT code = 0, HWND control = nullptr) {
    ::SendMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(control));
  }

  RoutedFrame frame;
  RoutedView view;
};

TEST_F(FrameRouting, TheCurrentViewIsOfferedACommandBeforeTheFrame) {
  Command(501);
  Command(502);
  Command(500);  // the view has it (disabled), so the frame's handler does not run
  EXPECT_EQ(frame.log, (std::vector<std::wstring>{L"view 501", L"frame 502"}));

  frame.SetCurrentView(nullptr);
  Command(500);
  Command(501);
  EXPECT_EQ(frame.log.back(), L"frame 500");
  EXPECT_EQ(frame.log.size(), 3u);
}

TEST_F(FrameRouting, StateQueriesAnswerLikeTheRouteAndUnknownCommandsAreDisabled) {
  EXPECT_EQ(frame.QueryCommandState(500), (fw::CommandState{false, false, false}));  // the view's
  EXPECT_EQ(frame.QueryCommandState(501), (fw::CommandState{true, false, false}));
  EXPECT_EQ(frame.QueryCommandState(502), (fw::CommandState{true, false, false}));
  EXPECT_EQ(frame.QueryCommandState(777), fw::CommandState{});
  frame.SetCurrentView(nullptr);
  EXPECT_EQ(frame.QueryCommandState(500), (fw::CommandState{true, true, false}));
}

TEST_F(FrameRouting, ControlNotificationsOtherThanClicksAreNotCommands) {
  HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD, 0, 0, 50, 50, frame.hwnd(),
                                 reinterpret_cast<HMENU>(502), nullptr, nullptr);
  ASSERT_NE(combo, nullptr);
  Command(502, CBN_SELCHANGE, combo);
  EXPECT_TRUE(frame.log.empty());
  Command(502, BN_CLICKED, combo);
  EXPECT_EQ(frame.log, std::vector<std::wstring>{L"frame 502"});
  ::DestroyWindow(combo);
}

}  // namespace
