#include <gtest/gtest.h>

#include "data/csv_writer.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

TEST(CsvWriter, QuotesOnlyFieldsThatNeedIt) {
  CsvWriter csv;
  csv.AddRow({"plain", "a,b", "say \"hi\"", "", "two\r\nlines", "lf\nonly", "cr\ronly", " space "});
  EXPECT_EQ(
      csv.text(),
      "plain,\"a,b\",\"say \"\"hi\"\"\",,\"two\r\nlines\",\"lf\nonly\",\"cr\ronly\", space \r\n");
}

TEST(CsvWriter, Utf16CellsBecomeUtf8WithOptionalMark) {
  const std::vector<std::u16string> header = {u"序号", u"体温 \u2103", u"\U0001F600"};
  CsvWriter marked({true, LineEnd::CrLf});
  marked.AddRow(header);
  EXPECT_EQ(marked.text(), "\xEF\xBB\xBF序号,体温 \xE2\x84\x83,\xF0\x9F\x98\x80\r\n");
  CsvWriter plain({false, LineEnd::Lf});
  plain.AddRow(std::vector<std::u16string>{u"王芳", u"低盐,少油"});
  plain.AddRow(std::vector<std::string>{});
  EXPECT_EQ(plain.text(), "王芳,\"低盐,少油\"\n\n");
}

TEST(CsvWriter, Utf16ToUtf8HandlesSurrogatesAndStrays) {
  EXPECT_EQ(Utf16ToUtf8(u"A\u00e9\u4e2d"), "A\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00), u'x'}), "\xEF\xBF\xBDx");
}

TEST(CsvWriter, FileIsWrittenWholeAndReplaced) {
  test::TempDir dir;
  test::WriteBytes(dir / "list.csv", {'o', 'l', 'd'});
  CsvWriter csv({true, LineEnd::CrLf});
  csv.AddRow({"a", "b"});
  ASSERT_TRUE(WriteCsvFile(dir / "list.csv", csv));
  const std::vector<std::uint8_t> bytes = test::ReadBytes(dir / "list.csv");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "\xEF\xBB\xBF"
            "a,b\r\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"list.csv"});
  EXPECT_FALSE(WriteCsvFile(dir / "no such folder" / "list.csv", csv));
}

}  // namespace
}  // namespace wd
