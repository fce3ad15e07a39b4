#pragma once
// Starting monitor-sim and wardcli from tests and benchmarks: child processes that never
// outlive their owner, even when a test fails or the test program dies.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace wd::sim {

class ChildProcess {
 public:
  // Runs argv[0] with the arguments; its stdout and stderr go to the given files, and its
  // stdin comes from the given file (a terminal, say), each /dev/null when not given. Nullopt
  // when the program could not be started.
  static std::optional<ChildProcess> Start(const std::vector<std::string>& argv,
                                           const std::filesystem::path& stdoutFile = {},
                                           const std::filesystem::path& stderrFile = {},
                                           const std::filesystem::path& stdinFile = {});
  ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_) { other.pid_ = -1; }
  ChildProcess& operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
      Stop();
      pid_ = other.pid_;
      other.pid_ = -1;
    }
    return *this;
  }
  ChildProcess(const ChildProcess&) = delete;
  ~ChildProcess() { Stop(); }

  // Waits for the end: the exit status, or 128 + signal for a killed process. Nullopt when it
  // is still running at the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // SIGTERM, a short grace, then SIGKILL. Returns the exit status as Wait does.
  int Stop();
  // SIGKILL at once, as a crash or the task manager ends a program; then waits for it.
  int Kill();

 private:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  pid_t pid_;
};

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a program to its end, capturing its output in `scratch`. A program still running after
// `timeout` is stopped and reported with exit code -1.
RunResult RunToEnd(const std::vector<std::string>& argv, const std::filesystem::path& scratch,
                   std::chrono::milliseconds timeout = std::chrono::seconds(60));

// monitor-sim serving a new pty linked at `link`; ready once the link exists.
class SimulatorProcess {
 public:
  static std::optional<SimulatorProcess> Start(const std::filesystem::path& program,
                                               const std::filesystem::path& link,
                                               std::vector<std::string> args,
                                               const std::filesystem::path& stderrFile = {});
  const std::filesystem::path& link() const { return link_; }
  int Stop() { return process_.Stop(); }
  std::optional<int> Wait(std::chrono::milliseconds timeout) { return process_.Wait(timeout); }

 private:
  SimulatorProcess(ChildProcess process, std::filesystem::path link)
      : process_(std::move(process)), link_(std::move(link)) {}
  ChildProcess process_;
  std::filesystem::path link_;
};

}  // namespace wd::sim
