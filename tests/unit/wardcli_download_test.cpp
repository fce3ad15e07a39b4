// What wardcli download writes and shows, and clear's refusal without a terminal, without a
// device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

#include "tests/unit/test_support.h"
#include "tests/unit/wardcli_test_support.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/download_files.h"
#include "tools/wardcli/download_progress.h"

namespace wd::cli {
namespace {

using wd::test::Id;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

TEST(WardcliFileNames, OrdinaryIdsKeepTheirNames) {
  EXPECT_EQ(FileNameForId(Id("110105194912310021")), "110105194912310021");
  EXPECT_EQ(FileNameForId(Id("11010519491231002X")), "11010519491231002X");
  EXPECT_EQ(FileNameForId(Id("A1")), "A1");  // trailing zero bytes left out
  EXPECT_EQ(FileNameForId(PatientId{}), "%00");
}

TEST(WardcliFileNames, UniqueWhereCaseIsIgnoredAndSafeEverywhere) {
  // Ids that differ only in the case of a letter.
  EXPECT_NE(Upper(FileNameForId(Id("11010519491231002x"))),
            Upper(FileNameForId(Id("11010519491231002X"))));
  EXPECT_EQ(FileNameForId(Id("ab")), "%61%62");
  // Separators, dots, spaces and bytes above 0x7F never reach the file system as they are.
  EXPECT_EQ(FileNameForId(Id("../x y")), "%2E%2E%2F%78%20%79");
  PatientId high = Id("1");
  high.bytes[1] = 0xC4;
  EXPECT_EQ(FileNameForId(high), "1%C4");
  // Names Windows keeps for devices, whatever the extension.
  EXPECT_EQ(FileNameForId(Id("CON")), "%43ON");
  EXPECT_EQ(FileNameForId(Id("NUL")), "%4EUL");
  EXPECT_EQ(FileNameForId(Id("COM1")), "%43OM1");
  EXPECT_EQ(FileNameForId(Id("LPT9")), "%4CPT9");
  EXPECT_EQ(FileNameForId(Id("COM")), "COM");
  EXPECT_EQ(FileNameForId(Id("CONX")), "CONX");
  EXPECT_EQ(FileNameForId(Id("con")), "%63%6F%6E");

  // Many ids with letters of both cases, and bytes of every kind: no two names meet.
  std::set<std::string> names;
  std::set<std::vector<std::uint8_t>> ids;
  std::uint32_t state = 12345;
  for (int i = 0; i < 5000; ++i) {
    PatientId id;
    for (std::size_t k = 0; k < 4; ++k) {
      state = state * 1103515245u + 12345u;
      const std::uint8_t pick = static_cast<std::uint8_t>(state >> 24);
      id.bytes[k] = pick % 3 == 0 ? static_cast<std::uint8_t>("cCoOnNlL%1"[pick % 10]) : pick;
    }
    if (!ids.insert({id.bytes.begin(), id.bytes.end()}).second) continue;
    const std::string name = FileNameForId(id);
    EXPECT_TRUE(names.insert(Upper(name)).second) << name;
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ%"), std::string::npos);
  }
}

TEST(WardcliPartialFolder, NamedByTheTimeAndNeverReused) {
  wd::test::TempDir dir;
  std::tm when{};
  when.tm_year = 124;
  when.tm_mon = 2;
  when.tm_mday = 5;
  when.tm_hour = 7;
  when.tm_min = 8;
  when.tm_sec = 9;
  EXPECT_EQ(MakePartialFolder(dir.path(), when), "partial-20240305-070809");
  EXPECT_EQ(MakePartialFolder(dir.path(), when), "partial-20240305-070809-2");
  EXPECT_EQ(dir.Names(),
            (std::vector<std::string>{"partial-20240305-070809", "partial-20240305-070809-2"}));
  EXPECT_FALSE(MakePartialFolder(dir / "missing", when));
}

std::string ShowProgress(ProgressStyle style, const std::vector<int>& percentages) {
  DownloadState state;
  state.monitoringTotal = 750;
  state.wardRoundTotal = 40;
  std::FILE* stream = std::tmpfile();
  DownloadProgress progress(state, stream, style);
  progress.OnProgress(ProgressPhase::Started, 0);
  progress.OnProgress(ProgressPhase::Counted, 0);
  for (int value : percentages) progress.OnProgress(ProgressPhase::Receiving, value);
  progress.OnProgress(ProgressPhase::Finished, 1);
  EXPECT_EQ(progress.result(), 1);
  return test::Slurp(stream);
}

TEST(WardcliProgress, OneLinePerTenPercentUnlessOnATerminal) {
  const std::string totals =
      "wardcli: the monitor holds 750 monitoring and 40 ward-round records\n";
  EXPECT_EQ(ShowProgress({true, false}, {12, 14, 19, 20, 47, 55, 58, 100}),
            totals +
                "wardcli: 12% received\nwardcli: 20% received\nwardcli: 47% received\n"
                "wardcli: 55% received\nwardcli: 100% received\n");
  const std::string bar = ShowProgress({true, true}, {50, 100});
  EXPECT_EQ(bar, totals +
                     "\r[####################--------------------]  50%"
                     "\r[########################################] 100%\n");
  EXPECT_EQ(ShowProgress({false, false}, {50, 100}), "");
}

TEST(WardcliClear, WithoutYesAndWithoutATerminalNothingIsErased) {
  // The port is never opened: the refusal comes first.
  const test::Captured run = test::RunWith(Commands(), {"clear", "--port", "/nonexistent/port"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.out, "");
  const std::string& said = run.err;
  EXPECT_NE(said.find("confirm with --yes"), std::string::npos) << said;
  EXPECT_EQ(said.find("/nonexistent/port"), std::string::npos) << said;
}

}  // namespace
}  // namespace wd::cli
