#include <gtest/gtest.h>

#include "data/register_contents.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::Id;
using Contents = std::vector<std::uint8_t>;

PatientInfo Named(const std::string& id, const std::u16string& name) {
  PatientInfo info = PatientInfo::Blank(Id(id));
  info.SetName(name);
  return info;
}

Contents Of(std::initializer_list<PatientInfo> records, std::size_t fragment = 0) {
  Contents contents;
  for (const PatientInfo& info : records) {
    const auto bytes = info.ToBytes();
    contents.insert(contents.end(), bytes.begin(), bytes.end());
  }
  contents.resize(contents.size() + fragment, 0x5A);
  return contents;
}

// The file layer reads, calls these and writes back, so what the register does to its bytes is
// pinned here without a disk.
TEST(RegisterContents, SaveReplacesTheFirstMatchOrAppendsBehindWholeRecords) {
  Contents contents = Of({Named("A", u"甲"), Named("B", u"乙"), Named("A", u"甲二")}, 100);
  register_contents::Save(contents, Named("A", u"新"));
  EXPECT_EQ(contents, Of({Named("A", u"新"), Named("B", u"乙"), Named("A", u"甲二")}));

  register_contents::Save(contents, Named("C", u"丙"));
  EXPECT_EQ(contents.size(), 4 * PatientInfo::kSize);
  EXPECT_EQ(register_contents::Lookup(contents, Id("C"))->Name(), u"丙");

  Contents fragmentOnly(491, 0x33);
  register_contents::Save(fragmentOnly, Named("D", u"丁"));
  EXPECT_EQ(fragmentOnly, Of({Named("D", u"丁")}));
}

TEST(RegisterContents, DeleteRemovesOneRecordOrChangesNothing) {
  Contents contents = Of({Named("A", u"1"), Named("B", u"2"), Named("A", u"3")}, 7);
  const Contents before = contents;
  EXPECT_FALSE(register_contents::Delete(contents, Id("Z")));
  EXPECT_EQ(contents, before);  // the fragment stays too

  ASSERT_TRUE(register_contents::Delete(contents, Id("A")));
  EXPECT_EQ(contents, Of({Named("B", u"2"), Named("A", u"3")}));
  EXPECT_EQ(register_contents::Lookup(contents, Id("A"))->Name(), u"3");
}

TEST(RegisterContents, LookupAndSnapshotSeeOnlyWholeRecords) {
  Contents contents = Of({Named("A", u"1"), Named("A", u"2")});
  contents.insert(contents.end(), {'B', 0, 0});  // an id's first bytes, no whole record
  EXPECT_EQ(register_contents::Lookup(contents, Id("A"))->Name(), u"1");
  EXPECT_FALSE(register_contents::Lookup(contents, Id("B")));
  const RegisterSnapshot snapshot = register_contents::Snapshot(contents);
  ASSERT_EQ(snapshot.size(), 1u);
  EXPECT_EQ(snapshot.at(Id("A")).Name(), u"1");
  EXPECT_TRUE(register_contents::Snapshot({}).empty());
}

}  // namespace
}  // namespace wd
