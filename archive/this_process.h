#pragma once
// Who writes an archived download: the computer and the process, so a reader can tell a
// download still being written from one whose program was killed.

#include <cstdint>
#include <string>

namespace wd {

struct ProcessIdentity {
  std::int64_t id = 0;
  // When the process started, in the system's own units; 0 when unknown. With the id it tells
  // a process from a later one that was given the same id.
  std::uint64_t started = 0;

  friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

// This computer's name, UTF-8; "computer" when the system does not say.
std::string ComputerName();
ProcessIdentity CurrentProcess();
// Whether that process of this computer still runs.
bool IsRunning(const ProcessIdentity& process);

}  // namespace wd
