// The patient form's length-limited edits: typing stops one character past the limit, editing
// keys and pasting are not limited, scrolling repaints.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/limited_edit.h"
#include "controls_test_support.h"
#include "tests/ui_support/message_pump.h"

namespace {

using controls_test::HostedForm;
using controls_test::TestForm;
using wd::CEdit50;

constexpr int kName = 1011;
constexpr int kAge = 1013;
constexpr int kAdvice = 1017;

class LimitedEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hosted.Open(form, 1240, 500));
    ASSERT_TRUE(form.BindControl(kName, name));
    ASSERT_TRUE(form.BindControl(kAge, age));
    ASSERT_TRUE(form.BindControl(kAdvice, advice));
    name.m_nLimit = 10;
    age.m_nLimit = 3;
    advice.m_nLimit = 200;
  }

  static void Type(CEdit50& edit, const std::wstring& keys) {
    ::SetFocus(edit.hwnd());
    for (wchar_t key : keys) ::SendMessageW(edit.hwnd(), WM_CHAR, key, 1);
  }

  static void SetClipboardText(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
  }

  TestForm form{346};
  HostedForm hosted;
  CEdit50 name;
  CEdit50 age;
  CEdit50 advice;
};

TEST_F(LimitedEdit, TypingStopsOneCharacterPastTheLimitAndBackspaceStillWorks) {
  Type(age, L"12345");
  EXPECT_EQ(age.Text(), L"1234");
  Type(age, L"\b");
  EXPECT_EQ(age.Text(), L"123");
  Type(age, L"98");
  EXPECT_EQ(age.Text(), L"1239") << "after a backspace one more goes in";

  Type(name, L"abcdefghijklmn");
  EXPECT_EQ(name.Text(), L"abcdefghijk");

  CEdit50 unlimited;  // a limit of 0 still takes one character
  ASSERT_TRUE(form.BindControl(1015, unlimited));
  Type(unlimited, L"77");
  EXPECT_EQ(unlimited.Text(), L"7");
}

TEST_F(LimitedEdit, PastingAndTheEditingKeysAreNotLimited) {
  Type(age, L"1234");
  SetClipboardText(form.hwnd(), L"5678");
  ::SendMessageW(age.hwnd(), WM_PASTE, 0, 0);
  EXPECT_EQ(age.Text(), L"12345678");
  ::SendMessageW(age.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"9"));
  EXPECT_EQ(age.Text(), L"123456789");

  // Ctrl+V arrives as a character; a full field still pastes from the keyboard.
  Type(age, L"\x16");
  EXPECT_EQ(age.Text(), L"1234567895678");
}

TEST_F(LimitedEdit, ScrollingRepaintsTheEditAndIsNotPassedToTheForm) {
  ::UpdateWindow(form.hwnd());
  ::ValidateRect(advice.hwnd(), nullptr);
  ::SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(kAdvice, EN_VSCROLL),
                 reinterpret_cast<LPARAM>(advice.hwnd()));
  EXPECT_NE(::GetUpdateRect(advice.hwnd(), nullptr, FALSE), FALSE);
  EXPECT_TRUE(form.notifications.empty());

  // Typing repaints as well, so the owner's colours are drawn behind the new text.
  ::ValidateRect(advice.hwnd(), nullptr);
  Type(advice, L"x");
  EXPECT_NE(::GetUpdateRect(advice.hwnd(), nullptr, FALSE), FALSE);
}

}  // namespace
