#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "archive/this_process.h"

namespace wd {
namespace {

struct ProcStat {
  char state = '?';
  std::uint64_t started = 0;
};

// /proc/PID/stat: the name sits in parentheses and may hold spaces and parentheses itself;
// the fields after its last ')' start with the state, and the start time is the 20th of them.
std::optional<ProcStat> ReadProcStat(std::int64_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close + 1));
  ProcStat stat;
  std::string field;
  for (int i = 0; i < 20 && fields >> field; ++i) {
    if (i == 0) stat.state = field.empty() ? '?' : field[0];
    if (i == 19) stat.started = std::stoull(field);
  }
  return fields ? std::optional(stat) : std::nullopt;
}

}  // namespace

std::string ComputerName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "computer";
  return name;
}

ProcessIdentity CurrentProcess() {
  ProcessIdentity self{static_cast<std::int64_t>(getpid()), 0};
  try {
    if (const auto stat = ReadProcStat(self.id)) self.started = stat->started;
  } catch (const std::exception&) {
  }
  return self;
}

bool IsRunning(const ProcessIdentity& process) {
  if (process.id <= 0) return false;
  try {
    if (const auto stat = ReadProcStat(process.id)) {
      return stat->state != 'Z' && stat->state != 'X' &&
             (process.started == 0 || stat->started == process.started);
    }
  } catch (const std::exception&) {
  }
  // No /proc: the id alone.
  return kill(static_cast<pid_t>(process.id), 0) == 0 || errno == EPERM;
}

}  // namespace wd
