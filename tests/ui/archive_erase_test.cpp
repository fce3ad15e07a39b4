// The erase asks the monitor for its totals first and tells whether they are archived; its
// question defaults to No unless they are, and No sends nothing more to the monitor.

#include "tests/ui/ui_app_fixture.h"

#include <fstream>
#include <sstream>

#include "res/resource.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace wd::uitest {
namespace {

constexpr const wchar_t* kEraseSimArgs = L"--patients 2 --minutes 40 --ward-round 5 --seed 7";

// The request count monitor-sim wrote at exit, or -1.
long long RequestsServed(const std::wstring& unixStats) {
  const std::wstring windows = L"Z:" + unixStats;
  if (!ui_support::PumpUntil([&] { return std::filesystem::exists(windows); }, 5000)) return -1;
  std::ifstream in{std::filesystem::path(windows)};
  std::string key;
  long long value = -1;
  while (in >> key >> value) {
    if (key == "requests") return value;
  }
  return -1;
}

class EraseTest : public UiAppTest {
 protected:
  void SetUp() override {
    archive_ = std::filesystem::temp_directory_path() /
               (L"wd-ui-erase-" + std::to_wstring(::GetCurrentProcessId()));
    std::filesystem::remove_all(archive_);
    stats_ = L"/tmp/wd-ui-erase-stats-" + std::to_wstring(::GetCurrentProcessId());
    RunUnixCommand(L"rm -f '" + stats_ + L"'");
  }
  void TearDown() override {
    UiAppTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(archive_, ignored);
  }

  void Start(DWORD language) {
    StartApp({.language = language, .archiveFolder = archive_.wstring()});
    StopAnsweringBoxes();
    StartMonitor(std::wstring(kEraseSimArgs) + L" --stats " + stats_);
    ASSERT_TRUE(WaitFor([&] { return Frame().QueryCommandState(ID_CLEAR_DEVICE).enabled; }, 10000));
  }

  // Gives the erase command and answers its question with `answer`; what the box said.
  struct Question {
    bool shown = false;
    std::wstring text;
    int defaultButton = 0;
  };
  Question AskErase(int answer, const std::wstring& screenshot) {
    Question question;
    question.shown = WithModalDialog(
        [&] { Command(ID_CLEAR_DEVICE); }, L"Pulsora Pro",
        [&](HWND box) {
          for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
               child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t kind[16] = {};
            ::GetClassNameW(child, kind, 16);
            const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
            if (std::wstring_view(kind) == L"Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
              question.defaultButton = ::GetDlgCtrlID(child);
            }
            if (std::wstring_view(kind) == L"Static" && (style & SS_TYPEMASK) != SS_ICON &&
                question.text.empty()) {
              question.text = ControlText(child);
            }
          }
          ui_support::CaptureWindowToPng(
              box, (ScreensFolder(L"archive") / (screenshot + L".png")).wstring(), true);
        },
        answer);
    WaitFor([&] { return !Frame().Download().Busy(); });
    return question;
  }

  std::filesystem::path archive_;
  std::wstring stats_;
};

TEST_F(EraseTest, NotArchivedSaysSoFirstDefaultsToNoAndNoSendsNothingButTheCount) {
  Start(1);
  const Question question = AskErase(IDNO, L"erase_not_archived_zh");
  ASSERT_TRUE(question.shown);
  EXPECT_EQ(question.text.rfind(L"注意: 监护仪中的这些数据还没有完整保存到档案中!", 0), 0u)
      << question.text;
  EXPECT_NE(question.text.find(L"监护数据 (80 条)和查房数据 (5 条)"), std::wstring::npos)
      << question.text;
  EXPECT_EQ(question.defaultButton, IDNO);
  EXPECT_FALSE(Frame().Download().portOpen);
  StopMonitor();
  EXPECT_EQ(RequestsServed(stats_), 1);  // the count request alone
}

TEST_F(EraseTest, ArchivedByADownloadOfThisRunDefaultsToYesAndYesErases) {
  Start(1);
  Command(ID_START_COMM);
  ASSERT_TRUE(WaitFor(
      [&] { return Frame().FinishedJournal() != nullptr && !Frame().Download().Busy(); }, 30000));
  ASSERT_EQ(Frame().FinishedJournal()->index().result, DownloadResult::Complete);
  const std::string folder = Frame().FinishedJournal()->folder();

  Question question = AskErase(IDNO, L"erase_archived_zh");
  ASSERT_TRUE(question.shown);
  EXPECT_EQ(question.text.rfind(L"确定要删除监护仪中的监护数据 (80 条)和查房数据 (5 条)吗?", 0), 0u)
      << question.text;
  EXPECT_NE(question.text.find(std::wstring(folder.begin(), folder.end())), std::wstring::npos)
      << question.text;
  EXPECT_EQ(question.defaultButton, IDYES);

  // Yes erases: the monitor then holds nothing.
  AnswerBoxesWith(IDYES);
  Command(ID_CLEAR_DEVICE);
  ASSERT_TRUE(Boxes().WaitForCount(2, 10000));
  EXPECT_EQ(Boxes().Seen()[0].defaultButton, IDYES);
  EXPECT_EQ(Boxes().Seen()[1].text, L"成功删除");
  ASSERT_TRUE(WaitFor([&] { return !Frame().Download().Busy(); }));
  StopAnsweringBoxes();
  question = AskErase(IDNO, L"erase_empty_zh");
  EXPECT_EQ(question.text.rfind(L"监护仪中要删除的数据为空。", 0), 0u) << question.text;
}

TEST_F(EraseTest, TheQuestionInEnglish) {
  Start(0);
  const Question question = AskErase(IDNO, L"erase_not_archived_en");
  ASSERT_TRUE(question.shown);
  EXPECT_EQ(
      question.text.rfind(L"Caution: these records of the monitor are NOT all in the archive!", 0),
      0u)
      << question.text;
  EXPECT_NE(question.text.find(L"monitoring data (80 records) and ward-round data (5 records)"),
            std::wstring::npos)
      << question.text;
  EXPECT_EQ(question.defaultButton, IDNO);
}

}  // namespace
}  // namespace wd::uitest
