// The commands of wardcli: the one place each is declared, with its options and help.

#include <cstdio>
#include <exception>

#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"

namespace wd::cli {
namespace {

constexpr OptionSpec kDumpOptions[] = {
    {"--as", "mdat|cdat|register", "read FILE as this kind instead of going by its name"},
    {"--bom", "", "begin with a UTF-8 byte-order mark, so that Excel reads the text right"},
};

constexpr OptionSpec kDownloadOptions[] = {
    kPortOption,
    {"--out", "DIR", "the folder for the files, made when missing", true},
    {"--monitoring", "", "monitoring records only"},
    {"--ward-round", "", "ward-round records only"},
    kPollOption,
    {"--quiet", "", "no progress lines"},
};

constexpr OptionSpec kClearOptions[] = {
    kPortOption,
    {"--monitoring", "", "erase the monitoring store only"},
    {"--ward-round", "", "erase the ward-round store only"},
    {"--yes", "", "erase without asking"},
    kPollOption,
};

constexpr OptionSpec kSummaryOptions[] = {
    {"--json", "", "one JSON object instead of the text"},
};

constexpr CommandSpec kCommands[] = {
    {"dump", "print a .mDat, .cDat or UserDA.dat file as CSV (UTF-8)", kDumpOptions, "FILE",
     "FILE's kind goes by its name (.mDat, .cDat, UserDA.dat) unless --as names it. FILE - reads\n"
     "standard input, whose kind --as must name. Ids are printed as text; a byte of an id that is\n"
     "not printable ASCII, and a backslash, are printed as \\xNN.\n",
     RunDump},
    {"download", "fetch the monitor's records into .mDat and .cDat files", kDownloadOptions, "",
     "Neither --monitoring nor --ward-round fetches both. A complete download writes DIR/<id>.mDat\n"
     "for every person with monitoring records and DIR/wardround.cDat, replacing files of the same\n"
     "names. A failed or stopped (Ctrl+C) download replaces nothing: what it received goes to a\n"
     "new folder DIR/partial-YYYYMMDD-HHMMSS.\n",
     RunDownload},
    {"clear", "erase the monitor's monitoring store, ward-round store or both", kClearOptions, "",
     "Neither --monitoring nor --ward-round erases both. Without --yes it asks first on a terminal\n"
     "and refuses when standard input is not one.\n",
     RunClear},
    {"summary", "the figures of a .mDat file's person (SpO2, desaturations, pulse rate, NIBP)",
     kSummaryOptions, "FILE",
     "Over the monitoring records with a real date and time, one a minute (the others are counted\n"
     "as left out). FILE - reads standard input. The text's labels follow --lang; --json prints\n"
     "one object: {\"id\", \"minutes\", \"excluded\", \"first\", \"last\", \"spo2\": {...},\n"
     "\"pulse\", \"nibp\", \"temperature\", \"respiration\"}, one-decimal figures exact, null where a\n"
     "figure cannot be given. The id is printed as dump prints it.\n",
     RunSummary},
};

}  // namespace

std::span<const CommandSpec> Commands() { return kCommands; }

int Wardcli(const Args& args, const Io& io) {
  try {
    return RunCommandLine(kCommands, args, io);
  } catch (const std::exception& failure) {
    // Out of memory, a name the file system cannot take: an error line, never a crash.
    std::fprintf(io.err, "wardcli: %s\n", failure.what());
    return kExitFailed;
  }
}

}  // namespace wd::cli
