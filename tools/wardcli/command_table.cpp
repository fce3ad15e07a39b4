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
    {"--out", "DIR", "the folder for the files of a complete download, made when missing"},
    {"--archive", "DIR", "also write every record into a new folder of this archive as it arrives"},
    {"--monitoring", "", "monitoring records only"},
    {"--ward-round", "", "ward-round records only"},
    kPollOption,
    {"--quiet", "", "no progress lines"},
};

constexpr OptionSpec kClearOptions[] = {
    kPortOption,
    {"--monitoring", "", "erase the monitoring store only"},
    {"--ward-round", "", "erase the ward-round store only"},
    {"--archive", "DIR", "first tell whether the monitor's records are in this archive"},
    {"--yes", "", "erase without asking"},
    kPollOption,
};

constexpr OptionSpec kSummaryOptions[] = {
    {"--json", "", "one JSON object instead of the text"},
};

constexpr OptionSpec kArchiveReadOptions[] = {
    {"--bom", "", "begin with a UTF-8 byte-order mark, so that Excel reads the text right"},
};

constexpr OptionSpec kArchiveDeleteOptions[] = {
    {"--yes", "", "delete without asking"},
};

constexpr CommandSpec kCommands[] = {
    {"dump", "print a .mDat, .cDat or UserDA.dat file as CSV (UTF-8)", kDumpOptions, "FILE",
     "FILE's kind goes by its name (.mDat, .cDat, UserDA.dat) unless --as names it. FILE - reads\n"
     "standard input, whose kind --as must name. Ids are printed as text; a byte of an id that is\n"
     "not printable ASCII, and a backslash, are printed as \\xNN.\n",
     RunDump},
    {"download", "fetch the monitor's records into .mDat and .cDat files", kDownloadOptions, "",
     "--out, --archive or both. Neither --monitoring nor --ward-round fetches both. A complete\n"
     "download writes DIR/<id>.mDat for every person with monitoring records and\n"
     "DIR/wardround.cDat, replacing files of the same names. A failed or stopped (Ctrl+C) "
     "download\n"
     "replaces nothing: what it received goes to a new folder DIR/partial-YYYYMMDD-HHMMSS.\n"
     "--archive DIR writes each accepted reply's records at once, flushed to the disk, into a new\n"
     "folder \"YYYYMMDD-HHMMSS <computer>\" of DIR with download.ini; a killed download keeps\n"
     "every record accepted before. A failure to write the archive is told and the download goes\n"
     "on; the exit status is then 1.\n",
     RunDownload},
    {"clear", "erase the monitor's monitoring store, ward-round store or both", kClearOptions, "",
     "Neither --monitoring nor --ward-round erases both. Without --yes it asks first on a "
     "terminal\n"
     "and refuses when standard input is not one.\n"
     "--archive DIR first asks the monitor how many records it holds and tells whether they are "
     "in\n"
     "DIR: a complete download from this computer and port that fetched each store to erase and\n"
     "saw exactly these totals. When they are not, the question's answer is no unless typed.\n",
     RunClear},
    {"summary", "the figures of a .mDat file's person (SpO2, desaturations, pulse rate, NIBP)",
     kSummaryOptions, "FILE",
     "Over the monitoring records with a real date and time, one a minute (the others are counted\n"
     "as left out). FILE - reads standard input. The text's labels follow --lang; --json prints\n"
     "one object: {\"id\", \"minutes\", \"excluded\", \"first\", \"last\", \"spo2\": {...},\n"
     "\"pulse\", \"nibp\", \"temperature\", \"respiration\"}, one-decimal figures exact, null "
     "where a\n"
     "figure cannot be given. The id is printed as dump prints it.\n",
     RunSummary},
    {"archive list", "list an archive's downloads as CSV, newest first", kArchiveReadOptions, "DIR",
     "One line per download: its folder, start (local time), computer, result (complete, stopped,\n"
     "failed, interrupted, running), persons and records per kind as the archive holds them. An\n"
     "interrupted download is counted from its files.\n",
     RunArchiveList},
    {"archive history", "print a person's records across an archive as CSV", kArchiveReadOptions,
     "DIR ID",
     "Every person whose id begins with ID, by id: the records of every download, in time order,\n"
     "each minute once (the first archived record of a minute wins). The rows are dump's. Type a\n"
     "byte of an id that is not printable as \\xNN.\n",
     RunArchiveHistory},
    {"archive delete", "delete one download from an archive", kArchiveDeleteOptions, "DIR FOLDER",
     "FOLDER is a download's folder as archive list names it. Without --yes it asks first on a\n"
     "terminal and refuses when standard input is not one. A download still being written, and a\n"
     "folder holding files the archive did not write, are not deleted.\n",
     RunArchiveDelete},
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
