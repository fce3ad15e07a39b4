// wardcli summary: the figures of a monitoring file's person, as text or JSON.

#include <cstdio>
#include <optional>
#include <string>

#include "analysis/patient_summary.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/input_file.h"
#include "tools/wardcli/summary_format.h"

namespace wd::cli {

int RunSummary(const Invocation& invocation) {
  const std::optional<InputFile> input = ReadInputFile(invocation);
  if (!input) return kExitUnreadable;
  const std::optional<MonitorFileContents> contents = ParseMonitorInput(invocation, *input);
  if (!contents) return kExitUnreadable;
  const PatientSummary summary = Summarise(BuildTimeline(contents->records));
  const std::string text = invocation.args.Has("--json")
                               ? SummaryJson(contents->id, summary)
                               : SummaryText(contents->id, summary, invocation.language);
  std::fwrite(text.data(), 1, text.size(), invocation.io.out);
  WarnIgnoredBytes(invocation.io.err, input->name, contents->trailingBytes, "record");
  return kExitOk;
}

}  // namespace wd::cli
