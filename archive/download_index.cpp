#include "archive/download_index.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <utility>
#include <vector>

#include "data/data_files.h"

namespace wd {
namespace {

constexpr std::array<std::pair<DownloadResult, std::string_view>, 5> kResultNames{{
    {DownloadResult::Running, "running"},
    {DownloadResult::Complete, "complete"},
    {DownloadResult::Stopped, "stopped"},
    {DownloadResult::Failed, "failed"},
    {DownloadResult::Interrupted, "interrupted"},
}};

// A value on one line: line breaks in a port or computer name must not start a key.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::string Kinds(const DownloadIndex& index) {
  if (index.wantMonitoring && index.wantWardRound) return "monitoring,ward-round";
  if (index.wantMonitoring) return "monitoring";
  return index.wantWardRound ? "ward-round" : "";
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size();
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

}  // namespace

std::string_view ResultName(DownloadResult result) {
  for (const auto& [value, name] : kResultNames) {
    if (value == result) return name;
  }
  return "interrupted";
}

std::optional<DownloadResult> ResultFromName(std::string_view name) {
  for (const auto& [value, known] : kResultNames) {
    if (known == name) return value;
  }
  return std::nullopt;
}

std::string LocalTimeText(std::int64_t utc) {
  const std::tm t = LocalTime(static_cast<std::time_t>(utc));
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::string FolderStamp(std::int64_t utc) {
  const std::tm t = LocalTime(static_cast<std::time_t>(utc));
  char text[80];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::string IndexText(const DownloadIndex& index) {
  std::string text = "; wardDesk: one download from the monitor, as it arrived\n[download]\n";
  auto line = [&text](std::string_view key, const std::string& value) {
    text.append(key).append("=").append(value).append("\n");
  };
  line("result", std::string(ResultName(index.result)));
  line("start", LocalTimeText(index.startUtc));
  line("start_utc", std::to_string(index.startUtc));
  if (index.endUtc != 0) {
    line("end", LocalTimeText(index.endUtc));
    line("end_utc", std::to_string(index.endUtc));
  }
  line("computer", OneLine(index.computer));
  line("port", OneLine(index.port));
  line("process", std::to_string(index.process.id));
  line("process_started", std::to_string(index.process.started));
  line("kinds", Kinds(index));
  if (index.totals) {
    line("device_monitoring_total", std::to_string(index.totals->monitoring));
    line("device_ward_round_total", std::to_string(index.totals->wardRound));
  }
  line("monitoring_received", std::to_string(index.monitoring.received));
  line("monitoring_stored", std::to_string(index.monitoring.stored));
  line("ward_round_received", std::to_string(index.wardRound.received));
  line("ward_round_stored", std::to_string(index.wardRound.stored));
  line("persons", std::to_string(index.persons));
  if (!index.message.empty()) line("message", OneLine(index.message));
  // Written last and looked for first: an index cut short is no index.
  return text + "[end]\n";
}

std::optional<DownloadIndex> ParseIndex(std::string_view text) {
  DownloadIndex index;
  bool haveResult = false;
  bool haveStart = false;
  bool haveEnd = false;
  std::optional<std::uint32_t> monitoringTotal;
  std::optional<std::uint32_t> wardRoundTotal;
  bool ok = true;
  auto number = [&ok](std::string_view value, auto& out) { ok = ReadNumber(value, out) && ok; };
  while (!text.empty() && ok) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line == "[end]") {
      haveEnd = true;
      break;
    }
    const std::size_t equals = line.find('=');
    if (line.empty() || line[0] == ';' || line[0] == '[' || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (key == "result") {
      const auto result = ResultFromName(value);
      haveResult = result.has_value();
      ok = haveResult;
      if (result) index.result = *result;
    } else if (key == "start_utc") {
      number(value, index.startUtc);
      haveStart = true;
    } else if (key == "end_utc") {
      number(value, index.endUtc);
    } else if (key == "computer") {
      index.computer = value;
    } else if (key == "port") {
      index.port = value;
    } else if (key == "process") {
      number(value, index.process.id);
    } else if (key == "process_started") {
      number(value, index.process.started);
    } else if (key == "kinds") {
      index.wantMonitoring = value.find("monitoring") != std::string_view::npos;
      index.wantWardRound = value.find("ward-round") != std::string_view::npos;
    } else if (key == "device_monitoring_total") {
      number(value, monitoringTotal.emplace());
    } else if (key == "device_ward_round_total") {
      number(value, wardRoundTotal.emplace());
    } else if (key == "monitoring_received") {
      number(value, index.monitoring.received);
    } else if (key == "monitoring_stored") {
      number(value, index.monitoring.stored);
    } else if (key == "ward_round_received") {
      number(value, index.wardRound.received);
    } else if (key == "ward_round_stored") {
      number(value, index.wardRound.stored);
    } else if (key == "persons") {
      number(value, index.persons);
    } else if (key == "message") {
      index.message = value;
    }
  }
  if (!ok || !haveResult || !haveStart || !haveEnd) return std::nullopt;
  if (monitoringTotal && wardRoundTotal)
    index.totals = DeviceTotals{*monitoringTotal, *wardRoundTotal};
  return index;
}

}  // namespace wd
