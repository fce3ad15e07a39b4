#pragma once
// The simulator's end of the line: the master side of a new pty, or an existing tty.

#include <filesystem>
#include <optional>
#include <string>

namespace wd::sim {

class SimPort {
 public:
  // A new pty in raw mode. The simulator keeps a descriptor of the other side open too, so the
  // line survives the program under test closing and reopening its port. That descriptor takes
  // no claim on the port: the program under test claims it for itself.
  static std::optional<SimPort> CreatePty(std::string& error);
  // An existing tty, claimed as wardcli claims its port: one that a client holds is busy.
  static std::optional<SimPort> OpenTty(const std::filesystem::path& path, std::string& error);

  SimPort(SimPort&& other) noexcept;
  SimPort& operator=(SimPort&&) = delete;
  SimPort(const SimPort&) = delete;
  ~SimPort() { Close(); }

  int fd() const { return fd_; }
  // The path the program under test opens.
  const std::string& name() const { return name_; }
  void Close();

 private:
  SimPort(int fd, int keeper, std::string name, bool claimed = false)
      : fd_(fd), keeper_(keeper), name_(std::move(name)), claimed_(claimed) {}
  int fd_;
  int keeper_;
  std::string name_;
  bool claimed_;  // fd_ holds a claim on its tty
};

}  // namespace wd::sim
