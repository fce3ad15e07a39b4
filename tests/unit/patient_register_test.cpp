#include <gtest/gtest.h>

#include "data/patient_register.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Id;
using test::TempDir;

PatientInfo Info(const std::string& id, const std::u16string& name, int age = 40) {
  PatientInfo info = PatientInfo::Blank(Id(id));
  info.SetName(name);
  info.sex = 1;
  info.age = age;
  info.height = 170;
  info.weight = 65;
  info.SetAdvice(u"每日测量两次");
  return info;
}

std::uintmax_t SizeOf(const TempDir& dir) {
  return std::filesystem::file_size(RegisterPath(dir.path()));
}

TEST(PatientInfo, RecordLayoutIsLittleEndianUtf16WithZeroGaps) {
  PatientInfo info = Info("110105194912310021", u"张三", -2);
  info.sex = -1;
  const auto bytes = info.ToBytes();
  EXPECT_EQ(bytes[0], '1');
  EXPECT_EQ(bytes[18], 0x20);  // 张 = U+5F20, low byte first
  EXPECT_EQ(bytes[19], 0x5F);
  EXPECT_EQ(bytes[22], 0);  // terminator
  EXPECT_EQ(bytes[78], 0);
  EXPECT_EQ(bytes[80], 0xFF);  // sex -1
  EXPECT_EQ(bytes[83], 0xFF);
  EXPECT_EQ(bytes[84], 0xFE);  // age -2
  EXPECT_EQ(bytes[88], 170);
  EXPECT_EQ(bytes[89], 65);
  EXPECT_EQ(bytes[90], 0xCF);  // 每 = U+6BCF
  EXPECT_EQ(bytes[490], 0);
  EXPECT_EQ(PatientInfo::FromBytes(bytes), info);
}

TEST(PatientInfo, TextsAreCutToTheirFields) {
  PatientInfo info = PatientInfo::Blank(Id("1"));
  info.SetName(std::u16string(35, u'名'));
  info.SetAdvice(std::u16string(250, u'x'));
  EXPECT_EQ(info.Name(), std::u16string(29, u'名'));
  EXPECT_EQ(info.Advice(), std::u16string(199, u'x'));
  EXPECT_EQ(info.name[29], 0);
  EXPECT_EQ(info.advice[199], 0);
}

TEST(PatientForm, NumbersEmptyNameAndRange) {
  PatientForm form{Id("1"), u"李四", 0, u"abc", u"180", u"75", u"ok"};
  FormResult built = BuildPatientInfo(form);
  ASSERT_EQ(built.error, FormError::None);
  EXPECT_EQ(built.info.age, 0);  // not a number
  EXPECT_EQ(built.info.height, 180);

  form.age = u" -12x";
  EXPECT_EQ(BuildPatientInfo(form).info.age, -12);

  form.name = u"";
  EXPECT_EQ(BuildPatientInfo(form).error, FormError::NameEmpty);
  form.name = u"李四";
  form.height = u"256";
  EXPECT_EQ(BuildPatientInfo(form).error, FormError::HeightOrWeightOutOfRange);
  form.height = u"255";
  form.weight = u"999";
  EXPECT_EQ(BuildPatientInfo(form).error, FormError::HeightOrWeightOutOfRange);
  form.weight = u"";
  EXPECT_EQ(BuildPatientInfo(form).info.weight, 0);
  EXPECT_EQ(ParseFormNumber(u"99999999999"), 2147483647);
}

TEST(PatientRegister, LookupCreatesAnEmptyRegisterAndSaveThenWritesTheFirstRecord) {
  TempDir dir;
  EXPECT_FALSE(LookupInfo(dir.path(), Id("A")));
  ASSERT_TRUE(std::filesystem::exists(RegisterPath(dir.path())));
  EXPECT_EQ(SizeOf(dir), 0u);
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"甲")));
  EXPECT_EQ(SizeOf(dir), 492u);
  const auto found = LookupInfo(dir.path(), Id("A"));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Name(), u"甲");
  EXPECT_EQ(found->Advice(), u"每日测量两次");
}

TEST(PatientRegister, SaveAppendsNewIdsAndRewritesKnownOnesInPlace) {
  TempDir dir;
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"甲")));
  ASSERT_TRUE(SaveInfo(dir.path(), Info("B", u"乙")));
  EXPECT_EQ(SizeOf(dir), 984u);
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"甲二", 41)));
  EXPECT_EQ(SizeOf(dir), 984u);
  const auto bytes = test::ReadBytes(RegisterPath(dir.path()));
  EXPECT_EQ(PatientInfo::FromBytes(std::span(bytes).first<492>()).Name(), u"甲二");
  EXPECT_EQ(LookupInfo(dir.path(), Id("B"))->Name(), u"乙");
}

TEST(PatientRegister, ShortFileIsOverwrittenFromTheStart) {
  TempDir dir;
  test::WriteBytes(RegisterPath(dir.path()), std::vector<std::uint8_t>(100, 0x33));
  EXPECT_FALSE(LookupInfo(dir.path(), Id("A")));
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"甲")));
  EXPECT_EQ(SizeOf(dir), 492u);
  EXPECT_EQ(LookupInfo(dir.path(), Id("A"))->Name(), u"甲");
}

TEST(PatientRegister, TrailingFragmentIsScannedPastAndDroppedOnSave) {
  TempDir dir;
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"甲")));
  auto bytes = test::ReadBytes(RegisterPath(dir.path()));
  bytes.insert(bytes.end(), 100, 0x44);
  test::WriteBytes(RegisterPath(dir.path()), bytes);
  EXPECT_EQ(LookupInfo(dir.path(), Id("A"))->Name(), u"甲");
  // Appending after the fragment would misalign every later record.
  ASSERT_TRUE(SaveInfo(dir.path(), Info("B", u"乙")));
  EXPECT_EQ(SizeOf(dir), 984u);
  EXPECT_EQ(LookupInfo(dir.path(), Id("B"))->Name(), u"乙");
}

TEST(PatientRegister, DeleteKeepsTheOthersInOrder) {
  TempDir dir;
  for (const char* id : {"A", "B", "C"}) ASSERT_TRUE(SaveInfo(dir.path(), Info(id, u"x")));
  ASSERT_TRUE(DeleteInfo(dir.path(), Id("A")));
  EXPECT_EQ(SizeOf(dir), 984u);
  const auto bytes = test::ReadBytes(RegisterPath(dir.path()));
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[492], 'C');
  EXPECT_FALSE(LookupInfo(dir.path(), Id("A")));

  ASSERT_TRUE(DeleteInfo(dir.path(), Id("C")));
  EXPECT_EQ(SizeOf(dir), 492u);
  EXPECT_EQ(test::ReadBytes(RegisterPath(dir.path()))[0], 'B');
}

TEST(PatientRegister, DeletingAnUnknownIdChangesNoByte) {
  TempDir dir;
  EXPECT_EQ(DeleteInfo(dir.path(), Id("A")).error, FileError::RecordNotFound);  // no file
  EXPECT_FALSE(std::filesystem::exists(RegisterPath(dir.path())));
  ASSERT_TRUE(SaveInfo(dir.path(), Info("A", u"x")));
  auto bytes = test::ReadBytes(RegisterPath(dir.path()));
  bytes.push_back(7);  // with a fragment, to see that nothing is rewritten
  test::WriteBytes(RegisterPath(dir.path()), bytes);
  EXPECT_EQ(DeleteInfo(dir.path(), Id("Z")).error, FileError::RecordNotFound);
  EXPECT_EQ(test::ReadBytes(RegisterPath(dir.path())), bytes);
}

TEST(PatientRegister, DeleteWithAFragmentLeavesWholeRecordsOnly) {
  TempDir dir;
  for (const char* id : {"A", "B"}) ASSERT_TRUE(SaveInfo(dir.path(), Info(id, u"x")));
  auto bytes = test::ReadBytes(RegisterPath(dir.path()));
  bytes.insert(bytes.end(), 50, 0x66);
  test::WriteBytes(RegisterPath(dir.path()), bytes);
  ASSERT_TRUE(DeleteInfo(dir.path(), Id("A")));
  EXPECT_EQ(SizeOf(dir), 492u);
  EXPECT_EQ(LookupInfo(dir.path(), Id("B"))->Name(), u"x");
}

TEST(PatientRegister, FirstMatchWins) {
  TempDir dir;
  auto first = Info("A", u"first").ToBytes();
  auto second = Info("A", u"second").ToBytes();
  std::vector<std::uint8_t> bytes(first.begin(), first.end());
  bytes.insert(bytes.end(), second.begin(), second.end());
  test::WriteBytes(RegisterPath(dir.path()), bytes);
  EXPECT_EQ(LookupInfo(dir.path(), Id("A"))->Name(), u"first");
  ASSERT_TRUE(DeleteInfo(dir.path(), Id("A")));
  EXPECT_EQ(LookupInfo(dir.path(), Id("A"))->Name(), u"second");
}

TEST(PatientRegister, SaveIntoAMissingFolderReportsFailure) {
  TempDir dir;
  const FileResult result = SaveInfo(dir / "missing", Info("A", u"x"));
  EXPECT_FALSE(result);
  EXPECT_EQ(result.error, FileError::OpenFailed);
}

}  // namespace
}  // namespace wd
