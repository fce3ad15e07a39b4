#include <gtest/gtest.h>

#include "tests/unit/test_support.h"
#include "views/logic/list_cells.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

// As the patient form would have saved it.
PatientInfo Registered(const std::string& id, std::u16string name, int sex) {
  const FormResult built =
      BuildPatientInfo({Id(id), std::move(name), sex, u"67", u"171", u"80", u""});
  EXPECT_EQ(built.error, FormError::None);
  return built.info;
}

const SexTexts kSexTexts{u"男", u"女"};

std::vector<std::u16string> MonitoringLine(const VitalRecord& record, std::size_t index) {
  std::vector<std::u16string> cells;
  for (int column = 0; column < kMonitoringColumnCount; ++column) {
    cells.push_back(MonitoringCell(record, index, column));
  }
  return cells;
}

TEST(ListCells, MonitoringRowShowsNumberDateTimeAndScaledValues) {
  VitalRecord record = Record(RecordKind::Monitoring, 24, 9, 5);
  record.year = 19;
  record.pi = 25;
  record.temperature = 368;
  record.systolic = 300;  // 16-bit values beyond a byte print as stored
  const std::vector<std::u16string> expected = {u"8",   u"2019-6-24", u"09:05", u"97", u"72",
                                                u"2.5", u"300",       u"80",    u"93", u"36.8",
                                                u"38",  u"1",         u"16"};
  EXPECT_EQ(MonitoringLine(record, 7), expected);
  EXPECT_EQ(MonitoringCell(record, 0, kMonitoringColumnCount), u"");  // no such column
}

// Persons 10 and 02 (added in that order), 10 registered as female, 02 not registered; a third
// registered with sex -1 (saved with nothing chosen).
class WardRoundCells : public ::testing::Test {
 protected:
  void SetUp() override {
    auto writer = store.Write();
    RecordList& ten = writer.FindOrCreateRecordList(Id("110105198001010010"));
    writer.AppendRecord(ten, Record(RecordKind::WardRound, 3, 8, 0, 95));
    writer.AppendRecord(ten, Record(RecordKind::Monitoring, 3, 8, 1));
    writer.AppendRecord(ten, Record(RecordKind::WardRound, 2, 8, 0, 96));
    RecordList& two = writer.FindOrCreateRecordList(Id("110105198001010002"));
    writer.AppendRecord(two, Record(RecordKind::WardRound, 5, 10, 30, 99));
    RecordList& none = writer.FindOrCreateRecordList(Id("110105198001010005"));
    writer.AppendRecord(none, Record(RecordKind::WardRound, 5, 11, 0, 90));
    people.emplace(Id("110105198001010010"), Registered("110105198001010010", u"王芳", 1));
    people.emplace(Id("110105198001010005"), Registered("110105198001010005", u"未选", -1));
  }

  std::vector<WardRoundListRow> Rows() { return WardRoundListRows(store.Read().entries(), people); }

  PatientStore store;
  RegisterSnapshot people;
};

TEST_F(WardRoundCells, RowsSortByIdAndCarryTheirPersonsEntry) {
  const std::vector<WardRoundListRow> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(WardRoundCell(rows[0], 0, 1, kSexTexts), u"110105198001010002");
  EXPECT_EQ(rows[0].info, nullptr);
  EXPECT_EQ(WardRoundCell(rows[1], 1, 1, kSexTexts), u"110105198001010005");
  // Rows of one person keep their list order: day 3 before day 2.
  EXPECT_EQ(WardRoundCell(rows[2], 2, 2, kSexTexts), u"2023-6-3");
  EXPECT_EQ(WardRoundCell(rows[3], 3, 2, kSexTexts), u"2023-6-2");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(WardRoundCell(rows[i], i, 0, kSexTexts),
              std::u16string(1, static_cast<char16_t>(u'1' + i)));
    // Rows point at the store's own key, which the frame passes on as the selected person.
    EXPECT_EQ(rows[i].key, store.Read().FindStoreKey(*rows[i].key));
  }
}

TEST_F(WardRoundCells, PersonColumnsFilledOnlyForRegisteredPersons) {
  const std::vector<WardRoundListRow> rows = Rows();
  auto line = [&](std::size_t row) {
    std::vector<std::u16string> cells;
    for (int column = 0; column < kWardRoundColumnCount; ++column) {
      cells.push_back(WardRoundCell(rows[row], row, column, kSexTexts));
    }
    return cells;
  };
  const std::vector<std::u16string> unregistered = line(0);
  for (int column = 4; column <= 8; ++column) EXPECT_EQ(unregistered[column], u"") << column;
  EXPECT_EQ(unregistered[9], u"99");    // SpO2
  EXPECT_EQ(unregistered[11], u"1.5");  // PI
  EXPECT_EQ(unregistered[15], u"37.0");

  const std::vector<std::u16string> female = line(2);
  EXPECT_EQ(std::vector<std::u16string>(female.begin() + 4, female.begin() + 9),
            (std::vector<std::u16string>{u"王芳", u"女", u"67", u"171", u"80"}));

  const std::vector<std::u16string> noSex = line(1);
  EXPECT_EQ(noSex[4], u"未选");
  EXPECT_EQ(noSex[5], u"");  // -1, and any other value than 0 or 1
}

}  // namespace
}  // namespace wd
