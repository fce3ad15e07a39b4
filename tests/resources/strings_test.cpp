// String tables of both languages: completeness, command caption layout, placeholders, and the
// Chinese texts the program shows verbatim.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"
#include "resource_modules.h"

namespace wd::test {
namespace {

bool IsCommandId(const ResourceId& id) { return std::string(id.name).rfind("ID_", 0) == 0; }

// The printf conversions of a text in order, e.g. "%d%d"; "%%" is a literal percent sign.
std::wstring Conversions(const std::wstring& text) {
  std::wstring result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    size_t j = i + 1;
    while (j < text.size() && wcschr(L"-+ #0123456789.lhz", text[j])) ++j;
    if (j < text.size() && text[j] != L'%') result += L'%' + std::wstring(1, text[j]);
    i = j;
  }
  return result;
}

// The report's texts are patterns with numbered places ("%1".."%9", in any order a language
// needs); any other '%' is a percent sign. Their places, sorted.
bool IsReportPattern(const ResourceId& id) {
  return std::string(id.name).rfind("IDS_REPORT_", 0) == 0;
}
std::wstring NumberedPlaces(const std::wstring& text) {
  std::wstring places;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == L'%' && text[i + 1] == L'%') {
      ++i;
    } else if (text[i] == L'%' && text[i + 1] >= L'1' && text[i + 1] <= L'9') {
      places += text[i + 1];
      ++i;
    }
  }
  std::sort(places.begin(), places.end());
  return places;
}

bool HasCjk(const std::wstring& text) {
  for (wchar_t c : text) {
    if ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return true;
  }
  return false;
}

TEST(StringTable, EnglishLibraryIsBesideTheProgram) {
  EXPECT_NE(EnglishModule(), nullptr) << Narrow(EnglishLibraryPath()) << " did not load";
}

TEST(StringTable, EveryIdOfTheHeaderHasTextInBothLanguages) {
  ASSERT_GT(StringIds().size(), 60u) << "the id table was not generated from resource.h";
  for (const auto& language : BothLanguages()) {
    for (const auto& id : StringIds()) {
      EXPECT_FALSE(LoadText(language.module, id.value).empty())
          << language.name << " has no text for " << id.name << " (" << id.value << ")";
    }
  }
}

TEST(StringTable, CommandStringsHoldCaptionThenTooltip) {
  std::vector<ResourceId> ids;
  for (const auto& id : StringIds()) {
    if (IsCommandId(id)) ids.push_back(id);
  }
  ids.push_back({"IDS_LOAD_INDICATOR", IDS_LOAD_INDICATOR});
  for (const auto& language : BothLanguages()) {
    for (const auto& id : ids) {
      const std::wstring text = LoadText(language.module, id.value);
      const size_t lineBreak = text.find(L'\n');
      ASSERT_NE(lineBreak, std::wstring::npos) << language.name << " " << id.name;
      EXPECT_EQ(text.find(L'\n', lineBreak + 1), std::wstring::npos)
          << language.name << " " << id.name << " has more than one line break";
      EXPECT_GT(text.size(), lineBreak + 1)
          << language.name << " " << id.name << " lacks a tooltip";
      // Only the two language buttons go without a caption: they show a flag-like icon.
      const bool captionless = id.value == ID_LANGUAGE_CHINESE || id.value == ID_LANGUAGE_ENGLISH;
      EXPECT_EQ(lineBreak == 0, captionless) << language.name << " " << id.name;
    }
  }
}

TEST(StringTable, PanelKeytipFollowsTheLineBreak) {
  for (const auto& language : BothLanguages()) {
    const std::wstring text = LoadText(language.module, IDS_PANEL_COMM);
    ASSERT_GE(text.size(), 3u) << language.name;
    EXPECT_EQ(text.substr(text.size() - 2), L"\nD") << language.name;
  }
}

TEST(StringTable, TranslationsKeepEveryPlaceholderInOrder) {
  HMODULE english = EnglishModule();
  ASSERT_NE(english, nullptr);
  for (const auto& id : StringIds()) {
    const std::wstring chinese = LoadText(ProgramModule(), id.value);
    const std::wstring englishText = LoadText(english, id.value);
    if (IsReportPattern(id)) {
      EXPECT_EQ(NumberedPlaces(englishText), NumberedPlaces(chinese)) << id.name;
    } else {
      EXPECT_EQ(Conversions(englishText), Conversions(chinese)) << id.name;
    }
  }
  EXPECT_EQ(NumberedPlaces(LoadText(ProgramModule(), IDS_REPORT_PAGE)), L"12");
  EXPECT_EQ(NumberedPlaces(L"90% \u7684 %2 %1 %%3"), L"12");
  EXPECT_EQ(Conversions(LoadText(ProgramModule(), IDS_MINUTES_OF_DATA)), L"%d");
  EXPECT_EQ(Conversions(LoadText(ProgramModule(), IDS_RECORDS_OF_DATA)), L"%d");
  EXPECT_EQ(Conversions(LoadText(ProgramModule(), IDS_DOWNLOAD_TOTALS)), L"%d%d");
}

TEST(StringTable, UnitsTextHasOnePlaceForTheDegreeSign) {
  for (const auto& language : BothLanguages()) {
    const std::wstring text = LoadText(language.module, IDS_DISPLAY_UNITS);
    const size_t dollar = text.find(L'$');
    ASSERT_NE(dollar, std::wstring::npos) << language.name;
    EXPECT_EQ(text.find(L'$', dollar + 1), std::wstring::npos) << language.name;
  }
}

TEST(StringTable, EnglishTextsAreTranslated) {
  HMODULE english = EnglishModule();
  ASSERT_NE(english, nullptr);
  for (const auto& id : StringIds()) {
    if (id.value == ID_LANGUAGE_CHINESE) continue;  // names the language in its own script
    EXPECT_FALSE(HasCjk(LoadText(english, id.value))) << id.name << " is not translated";
  }
}

// Texts the program shows exactly as written, including the ASCII comma, the space before
// 分钟 and the spacing of the units line: a wrong code page or a retyped punctuation mark
// shows up here.
TEST(StringTable, ChineseTextsSurviveTheResourceCompiler) {
  const struct {
    int id;
    const wchar_t* text;
  } expected[] = {
      {IDS_NO_DEVICE, L"没有设备,无法获取数据!"},
      {IDS_MINUTES_OF_DATA, L"共%d 分钟数据"},
      {IDS_RECORDS_OF_DATA, L"共%d 组数据"},
      {IDS_DISPLAY_UNITS, L"显示单位:   血压 mmHg        体温 $      呼末CO2 mmHg"},
      {IDS_PANEL_COMM, L"数据通讯\nD"},
      {IDS_COMM_ERROR, L"通讯错误!"},
      {IDS_HEIGHT_WEIGHT_LIMIT, L"身高和体重不能超过255!"},
      {IDS_DOWNLOAD_TOTALS, L"总共%d帧监护数据,共有%d帧查房数据"},
  };
  for (const auto& entry : expected) {
    EXPECT_EQ(LoadText(ProgramModule(), entry.id), entry.text) << entry.id;
  }
  const std::wstring start = LoadText(ProgramModule(), ID_START_COMM);
  EXPECT_EQ(start.substr(0, start.find(L'\n')), L"开始通讯");
  const std::wstring loaded = LoadText(ProgramModule(), IDS_LOAD_INDICATOR);
  EXPECT_EQ(loaded.substr(0, loaded.find(L'\n')), L"系统加载状态");
}

}  // namespace
}  // namespace wd::test
