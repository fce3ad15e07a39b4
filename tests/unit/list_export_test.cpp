#include <gtest/gtest.h>

#include "tests/unit/test_support.h"
#include "views/logic/list_export.h"
#include "views/logic/list_rows.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

const std::vector<std::u16string> kMonitoringHeader = {
    u"序号",   u"日期",   u"时间", u"血氧",  u"脉率",  u"PI",  u"收缩压",
    u"舒张压", u"平均压", u"体温", u"ETCO2", u"FICO2", u"呼吸"};

TEST(ListExport, MonitoringListInDisplayOrderUnderTheCallersTitles) {
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& list = writer.FindOrCreateRecordList(Id("110105194912310021"));
    writer.AppendRecord(list, Record(RecordKind::Monitoring, 24, 10, 5, 95));
    writer.AppendRecord(list, Record(RecordKind::WardRound, 24, 9, 0));
    VitalRecord early = Record(RecordKind::Monitoring, 24, 9, 59, 98);
    early.temperature = 368;
    writer.AppendRecord(list, early);
  }
  const auto reader = store.Read();
  const std::vector<const VitalRecord*> rows =
      MonitoringRows(reader.FindRecordList(Id("110105194912310021")));
  const CsvWriter csv = MonitoringListCsv(kMonitoringHeader, rows, {true, LineEnd::CrLf});
  EXPECT_EQ(csv.text(),
            "\xEF\xBB\xBF序号,日期,时间,血氧,脉率,PI,收缩压,舒张压,平均压,体温,ETCO2,FICO2,呼吸\r\n"
            "1,2023-6-24,09:59,98,72,1.5,120,80,93,36.8,38,1,16\r\n"
            "2,2023-6-24,10:05,95,72,1.5,120,80,93,37.0,38,1,16\r\n");
}

TEST(ListExport, WardRoundListWithRegisterColumnsQuotedWhereNeeded) {
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& list = writer.FindOrCreateRecordList(Id("110105198001010010"));
    writer.AppendRecord(list, Record(RecordKind::WardRound, 3, 8, 0, 95));
  }
  RegisterSnapshot people;
  const FormResult built =
      BuildPatientInfo({Id("110105198001010010"), u"Wang, Fang", 1, u"67", u"171", u"80", u""});
  people.emplace(Id("110105198001010010"), built.info);
  const std::vector<WardRoundListRow> rows = WardRoundListRows(store.Read().entries(), people);
  const std::vector<std::u16string> header(kWardRoundColumnCount, u"t");
  const CsvWriter csv = WardRoundListCsv(header, rows, {u"Male", u"Female"}, {false, LineEnd::Lf});
  EXPECT_EQ(
      csv.text(),
      "t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,t\n"
      "1,110105198001010010,2023-6-3,08:00,\"Wang, Fang\",Female,67,171,80,95,72,1.5,120,80,93,"
      "37.0,38,1,16\n");
  EXPECT_EQ(WardRoundRowCells(rows[0], 4, {u"M", u"F"}).at(0), u"5");
}

}  // namespace
}  // namespace wd
