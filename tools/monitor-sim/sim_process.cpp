#include "tools/monitor-sim/sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace wd::sim {
namespace {

using namespace std::chrono_literals;

int StatusOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::optional<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                const std::filesystem::path& stdoutFile,
                                                const std::filesystem::path& stderrFile,
                                                const std::filesystem::path& stdinFile) {
  // Everything the child needs is prepared before the fork: after it only system calls.
  std::vector<char*> raw;
  for (const std::string& arg : argv) raw.push_back(const_cast<char*>(arg.c_str()));
  raw.push_back(nullptr);
  const std::string out = stdoutFile.empty() ? "/dev/null" : stdoutFile.string();
  const std::string err = stderrFile.empty() ? "/dev/null" : stderrFile.string();
  const std::string in = stdinFile.empty() ? "/dev/null" : stdinFile.string();
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int inFd = open(in.c_str(), O_RDWR | O_NOCTTY);
    if (outFd < 0 || errFd < 0 || inFd < 0) _exit(127);
    dup2(inFd, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    execv(raw[0], raw.data());
    _exit(127);
  }
  return ChildProcess(pid);
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  if (pid_ < 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      return StatusOf(status);
    }
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(5ms);
  }
}

int ChildProcess::Stop() {
  if (pid_ < 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return StatusOf(status);
    }
    std::this_thread::sleep_for(10ms);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return StatusOf(status);
}

int ChildProcess::Kill() {
  if (pid_ < 0) return -1;
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return StatusOf(status);
}

RunResult RunToEnd(const std::vector<std::string>& argv, const std::filesystem::path& scratch,
                   std::chrono::milliseconds timeout) {
  RunResult result;
  const auto out = scratch / "run.out";
  const auto err = scratch / "run.err";
  if (auto child = ChildProcess::Start(argv, out, err)) {
    const std::optional<int> code = child->Wait(timeout);
    if (code) {
      result.exitCode = *code;
    } else {
      child->Stop();
    }
  }
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

std::optional<SimulatorProcess> SimulatorProcess::Start(const std::filesystem::path& program,
                                                        const std::filesystem::path& link,
                                                        std::vector<std::string> args,
                                                        const std::filesystem::path& stderrFile) {
  std::error_code ec;
  std::filesystem::remove(link, ec);
  args.insert(args.begin(), {program.string(), "--link", link.string()});
  std::optional<ChildProcess> child = ChildProcess::Start(args, {}, stderrFile);
  if (!child) return std::nullopt;
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(link, ec)) return SimulatorProcess(std::move(*child), link);
    if (child->Wait(0ms)) return std::nullopt;  // it ended without serving
    std::this_thread::sleep_for(10ms);
  }
  return std::nullopt;
}

}  // namespace wd::sim
