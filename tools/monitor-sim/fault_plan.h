#pragma once
// Misbehaviour on purpose, at chosen requests (numbered from 0 in the order the simulator
// receives them over its whole run), so every failure path of a download can be provoked.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace wd::sim {

enum class Fault {
  NoReply,      // no-reply: stay silent
  BadChecksum,  // bad-checksum: the last byte is off by one
  WrongIndex,   // wrong-index: echo the next index (a short reply echoes FF FE)
  Refuse,       // refuse: index FF FC and no payload
  BadLength,    // bad-length: the length word one too large (a count reply keeps its 38 bytes)
  Garbage,      // garbage: five stray bytes before the reply
  Cut,          // cut: only the first half of the reply
  Oversized,    // oversized: a data reply with more records than a 4,992-byte payload holds
  Late,         // late: half the reply at once, the rest kLateReplyAfter after the request
};

// Past the 1.1 s a receiver waits for a reply.
inline constexpr std::chrono::milliseconds kLateReplyAfter{1300};

struct FaultPlan {
  std::map<std::uint64_t, Fault> byRequest;
  std::optional<std::size_t> disconnectAfterReplies;

  std::optional<Fault> At(std::uint64_t request) const {
    auto found = byRequest.find(request);
    return found == byRequest.end() ? std::nullopt : std::optional(found->second);
  }
};

// Adds one option value: "NAME@N[,N...]" or "disconnect-after=N". False with a reason when the
// text is not understood.
bool AddFault(std::string_view text, FaultPlan& plan, std::string& error);

std::string_view FaultName(Fault fault);

}  // namespace wd::sim
