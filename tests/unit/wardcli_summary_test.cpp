#include <gtest/gtest.h>

#include "data/data_files.h"
#include "tests/unit/test_support.h"
#include "tests/unit/wardcli_test_support.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/summary_format.h"

namespace wd::cli {
namespace {

using test::Captured;
using test::PathArg;
using wd::test::Id;
using wd::test::Record;
using wd::test::TempDir;

// Runs "wardcli summary ARGS" with `input` as standard input.
Captured RunSummaryOn(Args args, const std::string& input = {}) {
  args.insert(args.begin(), "summary");
  return test::RunWith(Commands(), args, input);
}

// A ".mDat" of `records` for `id`, with `trailing` extra bytes.
std::filesystem::path MonitorFile(const TempDir& dir, const std::string& id,
                                  const std::vector<VitalRecord>& records,
                                  std::size_t trailing = 0) {
  std::vector<std::uint8_t> bytes;
  const PatientId pid = Id(id);
  bytes.insert(bytes.end(), pid.bytes.begin(), pid.bytes.end());
  for (const VitalRecord& record : records) {
    const auto raw = record.ToBytes();
    bytes.insert(bytes.end(), raw.begin(), raw.end());
  }
  bytes.insert(bytes.end(), trailing, 0x55);
  wd::test::WriteBytes(dir / "p.mDat", bytes);
  return dir / "p.mDat";
}

// 10:00 to 10:59 at 96 with 87 at 10:10 to 10:12, then a repeat of 10:00 and a June 31st.
std::vector<VitalRecord> Hour() {
  std::vector<VitalRecord> records;
  for (int i = 0; i < 60; ++i) {
    records.push_back(
        Record(RecordKind::Monitoring, 24, 10 + i / 60, i % 60, i >= 10 && i < 13 ? 87 : 96));
  }
  records[20].systolic = 130, records[20].diastolic = 85;
  records[30].temperature = 365;
  records[40].pulse = 0;  // not a pulse rate
  records.push_back(Record(RecordKind::Monitoring, 24, 10, 0, 50));
  records.push_back(Record(RecordKind::Monitoring, 31, 10, 0, 50));
  records.push_back(Record(RecordKind::WardRound, 24, 9, 0, 50));  // not a monitoring record
  return records;
}

TEST(WardcliSummary, JsonWithWorkedFigures) {
  TempDir dir;
  const Captured result =
      RunSummaryOn({PathArg(MonitorFile(dir, "110105194912310021", Hour())), "--json"});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.err, "");
  // SpO2 (57 x 96 + 3 x 87) / 60 = 95.55; systolic (59 x 120 + 130) / 60 = 120.17, diastolic
  // (59 x 80 + 85) / 60 = 80.08; temperature (59 x 370 + 365) / 60 = 369.92 tenths -> 37.0.
  EXPECT_EQ(result.out,
            "{\"id\":\"110105194912310021\",\"minutes\":60,\"excluded\":2,"
            "\"first\":\"2023-06-24 10:00\",\"last\":\"2023-06-24 10:59\","
            "\"spo2\":{\"valid\":60,\"mean\":95.6,\"median\":96.0,\"min\":87,"
            "\"min_at\":\"2023-06-24 10:10\",\"max\":96,\"t90_minutes\":3,\"t90_percent\":5.0,"
            "\"t88_minutes\":3,\"t88_percent\":5.0,\"events3\":1,\"odi3\":1.0,\"events4\":1,"
            "\"odi4\":1.0,\"episodes_below_90\":[{\"start\":\"2023-06-24 10:10\",\"minutes\":3,"
            "\"lowest\":87}]},"
            "\"pulse\":{\"valid\":59,\"mean\":72.0,\"min\":72,\"max\":72},"
            "\"nibp\":{\"valid\":60,\"systolic\":{\"mean\":120.2,\"min\":120,\"max\":130},"
            "\"diastolic\":{\"mean\":80.1,\"min\":80,\"max\":85}},"
            "\"temperature\":{\"valid\":60,\"mean\":37.0,\"max\":37.0},"
            "\"respiration\":{\"valid\":60,\"mean\":16.0,\"min\":16,\"max\":16}}\n");
}

TEST(WardcliSummary, NullsWhereNoValueAndEscapedId) {
  std::vector<VitalRecord> records = {Record(RecordKind::Monitoring, 24, 10, 0, 0)};
  PatientId id = Id("A\"\\");
  id.bytes[3] = 0xE9;
  const PatientSummary summary = Summarise(BuildTimeline(records));
  const std::string json = SummaryJson(id, summary);
  // The id as dump prints it: quote as it is, backslash and byte 0xE9 as \xNN.
  EXPECT_EQ(json.substr(0, 22), "{\"id\":\"A\\\"\\\\x5C\\\\xE9\",");
  EXPECT_NE(json.find("\"spo2\":{\"valid\":0,\"mean\":null,\"median\":null,\"min\":null,"
                      "\"min_at\":null,\"max\":null,\"t90_minutes\":null,\"t90_percent\":null,"
                      "\"t88_minutes\":null,\"t88_percent\":null,\"events3\":null,\"odi3\":null,"
                      "\"events4\":null,\"odi4\":null,\"episodes_below_90\":[]}"),
            std::string::npos);
  const std::string empty =
      SummaryJson(Id("1"), Summarise(BuildTimeline(std::vector<VitalRecord>{})));
  EXPECT_NE(empty.find("\"minutes\":0,\"excluded\":0,\"first\":null,\"last\":null"),
            std::string::npos);
}

TEST(WardcliSummary, TextByDefaultLabelsInTheChosenLanguage) {
  TempDir dir;
  const std::string path = PathArg(MonitorFile(dir, "110105194912310021", Hour(), 7));
  const Captured english = RunSummaryOn({path});
  EXPECT_EQ(english.status, kExitOk);
  EXPECT_NE(english.out.find("Recording             2023-06-24 10:00 to 2023-06-24 10:59\n"),
            std::string::npos);
  EXPECT_NE(english.out.find("Minutes               60 (2 record(s) left out)\n"),
            std::string::npos);
  EXPECT_NE(english.out.find("Desaturations by 3 %  1 (ODI 1.0)\n"), std::string::npos);
  EXPECT_NE(english.out.find("                      2023-06-24 10:10, 3 min, lowest 87 %\n"),
            std::string::npos);
  EXPECT_NE(english.out.find("Pulse rate /min       valid 59, mean 72.0, 72 to 72\n"),
            std::string::npos);
  EXPECT_NE(english.err.find("ignored 7 trailing byte(s)"), std::string::npos);
  // Chinese labels are two columns a character wide, so the values still line up.
  const Captured chinese = RunSummaryOn({path, "--lang", "zh"});
  EXPECT_NE(chinese.out.find("记录时间              2023-06-24 10:00 至 2023-06-24 10:59\n"),
            std::string::npos);
  EXPECT_NE(chinese.out.find("体温 \u00b0C               有效 60，平均 37.0，最高 37.0\n"),
            std::string::npos);
}

TEST(WardcliSummary, StandardInputUsageAndUnreadableFilesExitAsDump) {
  TempDir dir;
  const std::vector<std::uint8_t> bytes =
      wd::test::ReadBytes(MonitorFile(dir, "110105194912310021", Hour()));
  const Captured piped = RunSummaryOn({"-", "--json"}, std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(piped.status, kExitOk);
  EXPECT_EQ(piped.out.substr(0, 52),
            "{\"id\":\"110105194912310021\",\"minutes\":60,\"excluded\":2");

  EXPECT_EQ(RunSummaryOn({}).status, kExitUsage);
  EXPECT_EQ(RunSummaryOn({"--json"}).status, kExitUsage);
  EXPECT_EQ(RunSummaryOn({"a.mDat", "b.mDat"}).status, kExitUsage);
  EXPECT_EQ(RunSummaryOn({"a.mDat", "--csv"}).status, kExitUsage);
  const Captured help = RunSummaryOn({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(help.out.rfind("usage: wardcli summary [--json]", 0), 0u);

  const Captured missing = RunSummaryOn({PathArg(dir / "none.mDat")});
  EXPECT_EQ(missing.status, kExitUnreadable);
  EXPECT_NE(missing.err.find("none.mDat: file not found"), std::string::npos);
  wd::test::WriteBytes(dir / "short.mDat", std::vector<std::uint8_t>(17, '1'));
  const Captured tooShort = RunSummaryOn({PathArg(dir / "short.mDat")});
  EXPECT_EQ(tooShort.status, kExitUnreadable);
  EXPECT_NE(tooShort.err.find("short.mDat: not a monitoring file: 17 byte(s)"), std::string::npos);
  EXPECT_EQ(tooShort.out, "");
}

}  // namespace
}  // namespace wd::cli
