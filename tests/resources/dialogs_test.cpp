// Dialog templates of both languages: the same controls in the same window order, the styles
// the views rely on, fonts, and texts that fit their controls once created.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>  // needs windows.h first

#include <string>
#include <vector>

#include "dialog_host.h"
#include "dialog_template.h"
#include "resource.h"
#include "resource_modules.h"

namespace wd::test {
namespace {

constexpr int kDialogs[] = {IDD_ABOUTBOX,  IDD_MONITOR_LIST_VIEW, IDD_CHECK_LIST_VIEW,
                            IDD_HOME_VIEW, IDD_TREND_VIEW,        IDD_ARCHIVE_VIEW};

std::string Where(const Language& language, int dialog, int control = 0) {
  std::string where = std::string(language.name) + " dialog " + std::to_string(dialog);
  return control ? where + " control " + std::to_string(control) : where;
}

TEST(DialogTemplates, BothLanguagesHaveTheSameControlsInTheSameOrder) {
  ASSERT_NE(EnglishModule(), nullptr);
  for (int id : kDialogs) {
    const auto chinese = LoadDialogTemplate(ProgramModule(), id);
    const auto english = LoadDialogTemplate(EnglishModule(), id);
    ASSERT_TRUE(chinese && english) << "dialog " << id;
    EXPECT_EQ(english->style, chinese->style) << id;
    EXPECT_EQ(english->cx, chinese->cx) << id;
    EXPECT_EQ(english->cy, chinese->cy) << id;
    ASSERT_EQ(english->controls.size(), chinese->controls.size()) << id;
    for (size_t i = 0; i < chinese->controls.size(); ++i) {
      const auto& zh = chinese->controls[i];
      const auto& en = english->controls[i];
      EXPECT_EQ(en.id, zh.id) << id << " #" << i;
      EXPECT_EQ(en.className, zh.className) << id << " #" << i;
      EXPECT_EQ(en.style, zh.style) << id << " #" << i;
      EXPECT_EQ(en.exStyle, zh.exStyle) << id << " #" << i;
      // English may widen a control for a longer word, nothing else.
      EXPECT_EQ(en.x, zh.x) << id << " #" << i;
      EXPECT_EQ(en.y, zh.y) << id << " #" << i;
      EXPECT_EQ(en.cy, zh.cy) << id << " #" << i;
    }
  }
}

// The narrow-window re-layout places each field right of its label and each unit right of its
// field, walking the children in window order: the left one must come first.
TEST(DialogTemplates, PatientFormFieldsFollowTheirLabelsInWindowOrder) {
  const int pairs[][2] = {
      {IDC_NAME_LABEL, IDC_NAME},
      {IDC_SEX_LABEL, IDC_SEX},
      {IDC_AGE_LABEL, IDC_AGE},
      {IDC_ID_LABEL, IDC_PATIENT_ID},
      {IDC_HEIGHT_LABEL, IDC_HEIGHT},
      {IDC_WEIGHT_LABEL, IDC_WEIGHT},
      {IDC_START_DATE_LABEL, IDC_START_DATE},
      {IDC_START_TIME_LABEL, IDC_START_TIME},
      {IDC_END_DATE_LABEL, IDC_END_DATE},
      {IDC_END_TIME_LABEL, IDC_END_TIME},
      {IDC_HEIGHT, IDC_HEIGHT_UNIT},
      {IDC_WEIGHT, IDC_WEIGHT_UNIT},
  };
  for (const auto& language : BothLanguages()) {
    for (int id : {IDD_MONITOR_LIST_VIEW, IDD_TREND_VIEW}) {
      const auto dialog = LoadDialogTemplate(language.module, id);
      ASSERT_TRUE(dialog) << Where(language, id);
      for (const auto& pair : pairs) {
        const int left = dialog->IndexOf(pair[0]);
        const int right = dialog->IndexOf(pair[1]);
        ASSERT_GE(left, 0) << Where(language, id, pair[0]);
        ASSERT_GE(right, 0) << Where(language, id, pair[1]);
        EXPECT_LT(left, right) << Where(language, id, pair[1]);
        const auto* label = dialog->Find(pair[0]);
        EXPECT_LE(label->x + label->cx, dialog->Find(pair[1])->x) << Where(language, id, pair[1]);
      }
    }
  }
}

// What the views take for granted: which controls start hidden, which fields only take digits
// or are read-only, and the look of the units label.
TEST(DialogTemplates, ControlsCarryTheStylesTheViewsRelyOn) {
  struct Rule {
    int dialog;
    int control;
    DWORD required;
    DWORD forbidden;
  };
  std::vector<Rule> rules = {
      {IDD_HOME_VIEW, IDC_SETTINGS, 0, WS_VISIBLE},
      {IDD_HOME_VIEW, IDC_EXIT, WS_VISIBLE, 0},
      {IDD_ABOUTBOX, IDOK, BS_DEFPUSHBUTTON, 0},
      {IDD_TREND_VIEW, IDC_COLLAPSE_FORM, 0, WS_VISIBLE},
      {IDD_TREND_VIEW, IDC_EXPAND_FORM, 0, WS_VISIBLE},
      {IDD_MONITOR_LIST_VIEW, IDC_COLLAPSE_FORM, WS_VISIBLE, 0},
      {IDD_MONITOR_LIST_VIEW, IDC_EXPAND_FORM, 0, WS_VISIBLE},
      {IDD_MONITOR_LIST_VIEW, IDC_MONITOR_LIST, LVS_REPORT | LVS_SINGLESEL, 0},
      {IDD_CHECK_LIST_VIEW, IDC_CHECK_LIST, LVS_REPORT | LVS_SINGLESEL, 0},
      {IDD_CHECK_LIST_VIEW, IDC_CHECK_UNITS, SS_SUNKEN, 0},
  };
  for (int form : {IDD_MONITOR_LIST_VIEW, IDD_TREND_VIEW}) {
    for (int digits : {IDC_AGE, IDC_HEIGHT, IDC_WEIGHT})
      rules.push_back({form, digits, ES_NUMBER, ES_READONLY});
    for (int shown : {IDC_START_DATE, IDC_START_TIME, IDC_END_DATE, IDC_END_TIME}) {
      rules.push_back({form, shown, ES_READONLY, 0});
    }
    rules.push_back({form, IDC_NAME, 0, ES_READONLY | ES_NUMBER});
    rules.push_back({form, IDC_PATIENT_ID, ES_READONLY | ES_NUMBER, 0});
    rules.push_back({form, IDC_ADVICE, ES_MULTILINE | ES_WANTRETURN, ES_READONLY});
    rules.push_back({form, IDC_SEX, CBS_DROPDOWN, 0});
    rules.push_back({form, IDC_UNITS, WS_BORDER | SS_SUNKEN, 0});
  }
  for (const auto& language : BothLanguages()) {
    for (const auto& rule : rules) {
      const auto dialog = LoadDialogTemplate(language.module, rule.dialog);
      ASSERT_TRUE(dialog) << Where(language, rule.dialog);
      const auto* control = dialog->Find(rule.control);
      ASSERT_NE(control, nullptr) << Where(language, rule.dialog, rule.control);
      EXPECT_EQ(control->style & rule.required, rule.required)
          << Where(language, rule.dialog, rule.control);
      EXPECT_EQ(control->style & rule.forbidden, 0u) << Where(language, rule.dialog, rule.control);
    }
    for (int form : {IDD_MONITOR_LIST_VIEW, IDD_TREND_VIEW}) {
      EXPECT_TRUE(LoadDialogTemplate(language.module, form)->Find(IDC_UNITS)->exStyle &
                  WS_EX_STATICEDGE)
          << Where(language, form, IDC_UNITS);
    }
  }
}

// The form views shrink these sizes by the screen's DPI, so they must be the designed ones.
TEST(DialogTemplates, FormsUseTheirDesignedFontsAndCaptions) {
  const struct {
    int dialog;
    WORD points;
  } sizes[] = {{IDD_ABOUTBOX, 9},
               {IDD_MONITOR_LIST_VIEW, 10},
               {IDD_CHECK_LIST_VIEW, 8},
               {IDD_HOME_VIEW, 8},
               {IDD_TREND_VIEW, 10}};
  for (const auto& language : BothLanguages()) {
    for (const auto& size : sizes) {
      const auto dialog = LoadDialogTemplate(language.module, size.dialog);
      ASSERT_TRUE(dialog) << Where(language, size.dialog);
      EXPECT_EQ(dialog->pointSize, size.points) << Where(language, size.dialog);
      EXPECT_EQ((dialog->style & WS_CHILD) != 0, size.dialog != IDD_ABOUTBOX)
          << Where(language, size.dialog);
    }
  }
  EXPECT_EQ(LoadDialogTemplate(ProgramModule(), IDD_TREND_VIEW)->fontFace, L"宋体");
  EXPECT_EQ(LoadDialogTemplate(ProgramModule(), IDD_ABOUTBOX)->caption, L"关于Pulsora Pro");
  EXPECT_EQ(LoadDialogTemplate(EnglishModule(), IDD_ABOUTBOX)->caption, L"About Pulsora Pro");
  EXPECT_EQ(LoadDialogTemplate(ProgramModule(), IDD_MONITOR_LIST_VIEW)->fontFace, L"宋体");
}

TEST(DialogTemplates, AboutBoxShowsTheProgramIconInBothLanguages) {
  for (const auto& language : BothLanguages()) {
    HostWindow host(/*visible=*/false);
    HostedDialog about(language.module, IDD_ABOUTBOX, host);
    ASSERT_NE(about.get(), nullptr) << language.name;
    HWND icon = nullptr;
    for (HWND child = GetWindow(about.get(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
    }
    ASSERT_NE(icon, nullptr) << language.name;
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0) << language.name;
  }
}

}  // namespace
}  // namespace wd::test
