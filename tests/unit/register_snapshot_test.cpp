#include <gtest/gtest.h>

#include "data/patient_register.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Id;
using test::TempDir;

PatientInfo Entry(const std::string& id, const std::u16string& name, int sex) {
  PatientInfo info = PatientInfo::Blank(Id(id));
  info.SetName(name);
  info.sex = sex;
  info.age = 61;
  info.height = 158;
  info.weight = 49;
  return info;
}

void AppendRaw(const std::filesystem::path& path, const PatientInfo& info) {
  std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  const PatientInfo::Bytes record = info.ToBytes();
  bytes.insert(bytes.end(), record.begin(), record.end());
  test::WriteBytes(path, bytes);
}

// The snapshot must answer every id exactly as a lookup of that id would, duplicates and a
// trailing fragment included, since the ward-round list relies on it instead of lookups.
TEST(RegisterSnapshot, AgreesWithLookupForEveryId) {
  TempDir dir;
  const std::filesystem::path path = RegisterPath(dir.path());
  AppendRaw(path, Entry("110105194912310021", u"王芳", 1));
  AppendRaw(path, Entry("110105194912310022", u"李雷", 0));
  AppendRaw(path, Entry("110105194912310021", u"重复", 0));  // a second record of the first id
  AppendRaw(path, Entry("110105194912310023", u"无性别", -1));
  std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  bytes.resize(bytes.size() + 100, 0x31);  // fragment: not a whole record
  test::WriteBytes(path, bytes);

  const RegisterSnapshot snapshot = LoadRegister(dir.path());
  EXPECT_EQ(snapshot.size(), 3u);
  for (const char* id :
       {"110105194912310021", "110105194912310022", "110105194912310023", "110105194912310024"}) {
    const std::optional<PatientInfo> looked = LookupInfo(dir.path(), Id(id));
    const auto found = snapshot.find(Id(id));
    ASSERT_EQ(looked.has_value(), found != snapshot.end()) << id;
    if (looked) {
      EXPECT_EQ(*looked, found->second) << id;
    }
  }
  EXPECT_EQ(snapshot.at(Id("110105194912310021")).Name(), u"王芳");
  EXPECT_EQ(snapshot.at(Id("110105194912310023")).sex, -1);
  // Reading never changes the file.
  EXPECT_EQ(test::ReadBytes(path), bytes);
}

TEST(RegisterSnapshot, MissingRegisterIsCreatedEmptyAndUnreadableOneGivesNothing) {
  TempDir dir;
  EXPECT_TRUE(LoadRegister(dir.path()).empty());
  ASSERT_TRUE(std::filesystem::is_regular_file(RegisterPath(dir.path())));
  EXPECT_EQ(std::filesystem::file_size(RegisterPath(dir.path())), 0u);

  // A register saved right after the empty one was created is seen by the next snapshot.
  ASSERT_TRUE(SaveInfo(dir.path(), Entry("2", u"赵", 0)));
  EXPECT_EQ(LoadRegister(dir.path()).size(), 1u);

  TempDir blocked;
  std::filesystem::create_directory(RegisterPath(blocked.path()));  // a folder in its place
  EXPECT_TRUE(LoadRegister(blocked.path()).empty());
}

TEST(RegisterSnapshot, IdsDifferingInATrailingByteAreDifferentPersons) {
  TempDir dir;
  PatientInfo padded = Entry("12345", u"短号", 0);
  PatientInfo spaced = Entry("12345 ", u"带空格", 1);
  ASSERT_TRUE(SaveInfo(dir.path(), padded));
  ASSERT_TRUE(SaveInfo(dir.path(), spaced));
  const RegisterSnapshot snapshot = LoadRegister(dir.path());
  ASSERT_EQ(snapshot.size(), 2u);
  EXPECT_EQ(snapshot.at(Id("12345")).Name(), u"短号");
  EXPECT_EQ(snapshot.at(Id("12345 ")).Name(), u"带空格");
}

}  // namespace
}  // namespace wd
