// wardcli dump: a data file or the patient register as CSV on stdout.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "data/csv_writer.h"
#include "data/data_files.h"
#include "data/patient_info.h"
#include "data/patient_register.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/id_text.h"
#include "tools/wardcli/input_file.h"
#include "tools/wardcli/record_csv.h"

namespace wd::cli {
namespace {

enum class FileKind { Monitoring, WardRound, Register };

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<FileKind> KindFromName(const std::string& name) {
  const std::string lower = Lower(name);
  if (lower == "mdat") return FileKind::Monitoring;
  if (lower == "cdat") return FileKind::WardRound;
  if (lower == "register") return FileKind::Register;
  return std::nullopt;
}

std::optional<FileKind> KindFromPath(const std::filesystem::path& path) {
  const std::string extension = Lower(path.extension().string());
  if (extension == ".mdat") return FileKind::Monitoring;
  if (extension == ".cdat") return FileKind::WardRound;
  if (Lower(path.filename().string()) == Lower(kRegisterFileName)) return FileKind::Register;
  return std::nullopt;
}

// Where the CSV goes, and the file's name for the warnings.
class Output {
 public:
  Output(const Io& io, std::string name) : io_(io), name_(std::move(name)) {}
  void operator()(const std::string& text) const {
    std::fwrite(text.data(), 1, text.size(), io_.out);
  }
  void Warn(std::size_t bytes, const char* unit) const {
    WarnIgnoredBytes(io_.err, name_, bytes, unit);
  }

 private:
  Io io_;
  std::string name_;
};

void DumpMonitoring(const Output& out, const MonitorFileContents& contents) {
  out(kRecordCsvHeader);
  for (const VitalRecord& record : contents.records) out(RecordCsvLine(contents.id, record));
  out.Warn(contents.trailingBytes, "record");
}

void DumpWardRound(const Output& out, const std::vector<std::uint8_t>& data) {
  const CheckFileContents contents = ParseCheckFile(data);
  out(kRecordCsvHeader);
  for (const CheckFileUnit& unit : contents.units) out(RecordCsvLine(unit.id, unit.record));
  out.Warn(contents.trailingBytes, "id and record unit");
}

void DumpRegister(const Output& out, const std::vector<std::uint8_t>& data) {
  out("id,name,sex,age,height,weight,advice\n");
  std::span<const std::uint8_t> rest(data);
  for (; rest.size() >= PatientInfo::kSize; rest = rest.subspan(PatientInfo::kSize)) {
    const PatientInfo info = PatientInfo::FromBytes(rest.first<PatientInfo::kSize>());
    out(CsvLine({IdText(info.id), Utf16ToUtf8(info.Name()), std::to_string(info.sex),
                 std::to_string(info.age), std::to_string(info.height), std::to_string(info.weight),
                 Utf16ToUtf8(info.Advice())},
                LineEnd::Lf));
  }
  out.Warn(rest.size(), "register record");
}

}  // namespace

int RunDump(const Invocation& invocation) {
  const std::string& operand = invocation.args.operands[0];
  const bool standardInput = operand == "-";
  std::optional<FileKind> kind;
  if (const std::optional<std::string> as = invocation.args.Value("--as")) {
    if (!(kind = KindFromName(*as)))
      return invocation.UsageError("--as takes mdat, cdat or register");
  } else if (!standardInput) {
    kind = KindFromPath(PathFromArg(operand));
  }
  if (!kind) {
    const std::string name = standardInput ? "standard input" : operand;
    return invocation.UsageError("cannot tell the kind of " + name + "; name it with --as");
  }

  const std::optional<InputFile> input = ReadInputFile(invocation);
  if (!input) return kExitUnreadable;
  std::optional<MonitorFileContents> monitoring;
  if (*kind == FileKind::Monitoring && !(monitoring = ParseMonitorInput(invocation, *input))) {
    return kExitUnreadable;
  }

  const Output out(invocation.io, input->name);
  if (invocation.args.Has("--bom")) out("\xEF\xBB\xBF");
  switch (*kind) {
    case FileKind::Monitoring: DumpMonitoring(out, *monitoring); break;
    case FileKind::WardRound: DumpWardRound(out, input->data); break;
    case FileKind::Register: DumpRegister(out, input->data); break;
  }
  return kExitOk;
}

}  // namespace wd::cli
