#include "tools/monitor-sim/fault_plan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace wd::sim {
namespace {

constexpr std::array<std::pair<std::string_view, Fault>, 9> kNames{{
    {"no-reply", Fault::NoReply},
    {"bad-checksum", Fault::BadChecksum},
    {"wrong-index", Fault::WrongIndex},
    {"refuse", Fault::Refuse},
    {"bad-length", Fault::BadLength},
    {"garbage", Fault::Garbage},
    {"cut", Fault::Cut},
    {"oversized", Fault::Oversized},
    {"late", Fault::Late},
}};

bool ParseNumber(std::string_view text, std::uint64_t& value) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && at == end;
}

}  // namespace

std::string_view FaultName(Fault fault) {
  for (const auto& [name, kind] : kNames) {
    if (kind == fault) return name;
  }
  return "?";
}

bool AddFault(std::string_view text, FaultPlan& plan, std::string& error) {
  constexpr std::string_view kDisconnect = "disconnect-after=";
  if (text.starts_with(kDisconnect)) {
    std::uint64_t replies = 0;
    if (!ParseNumber(text.substr(kDisconnect.size()), replies)) {
      error = "disconnect-after needs a number of replies: " + std::string(text);
      return false;
    }
    plan.disconnectAfterReplies = static_cast<std::size_t>(replies);
    return true;
  }
  const std::size_t at = text.find('@');
  const std::string_view name = text.substr(0, at);
  const auto known = std::find_if(kNames.begin(), kNames.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  if (known == kNames.end() || at == std::string_view::npos) {
    error = "unknown fault '" + std::string(text) + "' (expected NAME@N[,N...])";
    return false;
  }
  std::string_view list = text.substr(at + 1);
  do {
    const std::size_t comma = list.find(',');
    std::uint64_t request = 0;
    if (!ParseNumber(list.substr(0, comma), request)) {
      error = "bad request number in '" + std::string(text) + "'";
      return false;
    }
    plan.byRequest[request] = known->second;
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (comma != std::string_view::npos && list.empty()) {
      error = "bad request number in '" + std::string(text) + "'";
      return false;
    }
  } while (!list.empty());
  return true;
}

}  // namespace wd::sim
