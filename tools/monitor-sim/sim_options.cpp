#include "tools/monitor-sim/sim_options.h"

#include <charconv>
#include <limits>

namespace wd::sim {

const char* const kSimUsage =
    "usage: monitor-sim [--patients N] [--minutes N] [--ward-round N] [--seed N]\n"
    "                   [--load FILE.mDat|FILE.cDat]... [--per-reply N] [--ward-per-reply N]\n"
    "                   [--pace BAUD] [--fault FAULT]... [--link PATH | --tty PATH]\n"
    "                   [--stats FILE] [--export DIR] [--verbose]\n"
    "  FAULT: NAME@N[,N...] with NAME one of no-reply, bad-checksum, wrong-index, refuse,\n"
    "        bad-length, garbage, cut, oversized, late (N counts requests from 0),\n"
    "        or disconnect-after=N (close the port after N replies)\n";

namespace {

template <typename Number>
bool ParseCount(const std::string& text, Number& value, Number low) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && at == end && value >= low;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& flag = args[i];
    if (flag == "--verbose") {
      options.verbose = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = flag.starts_with("--") ? flag + " needs a value" : "unexpected argument " + flag;
      return false;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (flag == "--patients")
      ok = ParseCount(value, options.generator.patients, 0);
    else if (flag == "--minutes")
      ok = ParseCount(value, options.generator.minutes, 0);
    else if (flag == "--ward-round")
      ok = ParseCount(value, options.generator.wardRound, 0);
    else if (flag == "--seed")
      ok = ParseCount(value, options.generator.seed, std::uint64_t{0});
    else if (flag == "--per-reply")
      ok = ParseCount(value, options.device.perReply, std::size_t{1});
    else if (flag == "--ward-per-reply")
      ok = ParseCount(value, options.device.wardPerReply, std::size_t{1});
    else if (flag == "--pace")
      ok = ParseCount(value, options.pace, 0u);
    else if (flag == "--load")
      options.loadFiles.emplace_back(value);
    else if (flag == "--link")
      options.link = value;
    else if (flag == "--tty")
      options.tty = value;
    else if (flag == "--export")
      options.exportTo = value;
    else if (flag == "--stats")
      options.statsFile = value;
    else if (flag == "--fault") {
      if (!AddFault(value, options.faults, error)) return false;
    } else {
      error = "unknown option " + flag;
      return false;
    }
    if (!ok) {
      error = "bad value for " + flag + ": " + value;
      return false;
    }
  }
  if (options.link && options.tty) {
    error = "--link makes a new pty; --tty serves an existing one: give one of them";
    return false;
  }
  return true;
}

}  // namespace wd::sim
