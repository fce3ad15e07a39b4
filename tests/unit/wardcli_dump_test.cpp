#include <gtest/gtest.h>

#include <cstdio>

#include "data/data_files.h"
#include "data/patient_register.h"
#include "tests/unit/test_support.h"
#include "tests/unit/wardcli_test_support.h"
#include "tools/wardcli/commands.h"

namespace wd::cli {
namespace {

using wd::test::Id;
using wd::test::Record;
using wd::test::TempDir;

using test::Captured;
using test::PathArg;

// Runs "wardcli dump ARGS" with `input` as standard input.
Captured RunDumpOn(Args args, const std::string& input = {}) {
  args.insert(args.begin(), "dump");
  return test::RunWith(Commands(), args, input);
}

const std::string kHeader =
    "id,kind,date,time,spo2,pulse,pi,systolic,diastolic,mean,temperature,etco2,fico2,"
    "respiration\n";

TEST(WardcliDump, MonitoringFileRowsInFileOrder) {
  TempDir dir;
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& list = writer.FindOrCreateRecordList(Id("110105194912310021"));
    VitalRecord first = Record(RecordKind::Monitoring, 24, 9, 5, 98);
    first.year = 19;
    first.pi = 25;
    first.temperature = 368;
    writer.AppendRecord(list, first);
    writer.AppendRecord(list, Record(RecordKind::Monitoring, 1, 23, 59, 91));
  }
  ASSERT_TRUE(WriteMonitorFile(store, dir / "p.mDat", Id("110105194912310021")));
  const Captured result = RunDumpOn({PathArg(dir / "p.mDat")});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.out,
            kHeader +
                "110105194912310021,0,2019-6-24,09:05,98,72,2.5,120,80,93,36.8,38,1,16\n"
                "110105194912310021,0,2023-6-1,23:59,91,72,1.5,120,80,93,37.0,38,1,16\n");
  EXPECT_EQ(result.err, "");
}

TEST(WardcliDump, WardRoundFileWithTrailingFragmentWarns) {
  TempDir dir;
  std::vector<std::uint8_t> bytes;
  for (const char* id : {"A", "B,\"x\""}) {
    const PatientId pid = Id(id);
    bytes.insert(bytes.end(), pid.bytes.begin(), pid.bytes.end());
    const auto record = Record(RecordKind::WardRound, 2, 10, 0).ToBytes();
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  bytes.insert(bytes.end(), 5, 0x31);
  wd::test::WriteBytes(dir / "w.CDAT", bytes);
  const Captured result = RunDumpOn({PathArg(dir / "w.CDAT")});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.out, kHeader +
                            "A,1,2023-6-2,10:00,97,72,1.5,120,80,93,37.0,38,1,16\n"
                            "\"B,\"\"x\"\"\",1,2023-6-2,10:00,97,72,1.5,120,80,93,37.0,38,1,16\n");
  EXPECT_NE(result.err.find("w.CDAT: warning: ignored 5 trailing byte(s)"), std::string::npos);
}

TEST(WardcliDump, RegisterAsUtf8CsvWithQuoting) {
  TempDir dir;
  PatientInfo info = PatientInfo::Blank(Id("110105194912310021"));
  info.SetName(u"王五");
  info.sex = -1;
  info.age = 67;
  info.height = 168;
  info.weight = 59;
  info.SetAdvice(u"低盐饮食,\n每日复查");
  ASSERT_TRUE(SaveInfo(dir.path(), info));
  const Captured result = RunDumpOn({PathArg(RegisterPath(dir.path()))});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.out,
            "id,name,sex,age,height,weight,advice\n"
            "110105194912310021,王五,-1,67,168,59,\"低盐饮食,\n每日复查\"\n");
}

TEST(WardcliDump, KindOverrideUsageErrorsAndUnreadableFiles) {
  TempDir dir;
  wd::test::WriteBytes(dir / "data.bin", std::vector<std::uint8_t>(17, '1'));
  EXPECT_EQ(RunDumpOn({PathArg(dir / "data.bin")}).status, kExitUsage);  // kind unknown
  EXPECT_EQ(RunDumpOn({"--as", "csv", PathArg(dir / "data.bin")}).status, kExitUsage);
  EXPECT_EQ(RunDumpOn({}).status, kExitUsage);

  const Captured tooShort = RunDumpOn({"--as", "mdat", PathArg(dir / "data.bin")});
  EXPECT_EQ(tooShort.status, kExitUnreadable);
  EXPECT_NE(tooShort.err.find("17 byte(s)"), std::string::npos);

  const Captured asCheck = RunDumpOn({"--as", "cdat", PathArg(dir / "data.bin")});
  EXPECT_EQ(asCheck.status, kExitOk);
  EXPECT_EQ(asCheck.out, kHeader);

  // Errors name the file, wherever it stands among the arguments.
  const Captured missing = RunDumpOn({PathArg(dir / "none.mDat"), "--as", "mdat"});
  EXPECT_EQ(missing.status, kExitUnreadable);
  EXPECT_NE(missing.err.find("none.mDat: file not found"), std::string::npos) << missing.err;
  const Captured unknown = RunDumpOn({PathArg(dir / "data.bin"), "--bom"});
  EXPECT_NE(unknown.err.find("kind of " + PathArg(dir / "data.bin")), std::string::npos)
      << unknown.err;
}

TEST(WardcliDump, StandardInputWithItsKindNamed) {
  std::vector<std::uint8_t> bytes;
  const PatientId id = Id("A");
  bytes.insert(bytes.end(), id.bytes.begin(), id.bytes.end());
  const auto record = Record(RecordKind::Monitoring, 2, 10, 0).ToBytes();
  bytes.insert(bytes.end(), record.begin(), record.end());
  const std::string input(bytes.begin(), bytes.end());

  const Captured result = RunDumpOn({"--as", "mdat", "-"}, input);
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.out, kHeader + "A,0,2023-6-2,10:00,97,72,1.5,120,80,93,37.0,38,1,16\n");

  const Captured unnamed = RunDumpOn({"-"}, input);
  EXPECT_EQ(unnamed.status, kExitUsage);
  EXPECT_NE(unnamed.err.find("standard input"), std::string::npos);
  const Captured tooShort = RunDumpOn({"--as", "mdat", "-"}, "12345");
  EXPECT_EQ(tooShort.status, kExitUnreadable);
  EXPECT_NE(tooShort.err.find("standard input: not a monitoring file"), std::string::npos);
}

// True when `text` is well-formed UTF-8.
bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TEST(WardcliDump, IdsOfAnyBytesGiveUtf8AndABomOnRequest) {
  TempDir dir;
  std::vector<std::uint8_t> bytes;
  PatientId id = Id("12\\34");
  id.bytes[5] = 0xC4;  // a GBK lead byte, as a monitor might send
  id.bytes[6] = 0x0A;
  bytes.insert(bytes.end(), id.bytes.begin(), id.bytes.end());
  const auto record = Record(RecordKind::WardRound, 2, 10, 0).ToBytes();
  bytes.insert(bytes.end(), record.begin(), record.end());
  wd::test::WriteBytes(dir / "w.cDat", bytes);

  const Captured plain = RunDumpOn({PathArg(dir / "w.cDat")});
  EXPECT_TRUE(IsUtf8(plain.out));
  EXPECT_NE(plain.out.find("\n12\\x5C34\\xC4\\x0A,1,2023-6-2"), std::string::npos) << plain.out;

  const Captured bom = RunDumpOn({"--bom", PathArg(dir / "w.cDat")});
  EXPECT_EQ(bom.out, "\xEF\xBB\xBF" + plain.out);
}

}  // namespace
}  // namespace wd::cli
