// wardcli dump: a data file or the patient register as CSV on stdout.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "data/data_files.h"
#include "data/file_io.h"
#include "data/patient_info.h"
#include "data/patient_register.h"
#include "data/record_format.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/csv.h"

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


// Where the output goes: stdout/stderr for the command, files in the tests.
class Output {
 public:
  explicit Output(const Io& io) : io_(io) {}
  void operator()(const std::string& text) const { std::fwrite(text.data(), 1, text.size(), io_.out); }
  std::FILE* err() const { return io_.err; }

 private:
  Io io_;
};

void WarnTrailing(const Output& out, std::size_t bytes, const char* unit) {
  if (bytes > 0) {
    std::fprintf(out.err(), "wardcli: warning: ignored %zu trailing byte(s) of an incomplete %s\n",
                 bytes, unit);
  }
}

std::string RecordLine(const PatientId& id, const VitalRecord& r) {
  std::vector<std::string> fields = {id.DisplayText(), std::to_string(r.kind),
                                     FormatRecordDate(r), FormatRecordTime(r)};
  for (RecordField field : {RecordField::Spo2, RecordField::Pulse, RecordField::Pi,
                            RecordField::Systolic, RecordField::Diastolic, RecordField::Mean,
                            RecordField::Temperature, RecordField::Etco2, RecordField::Fico2,
                            RecordField::Respiration}) {
    fields.push_back(FormatField(r, field));
  }
  return CsvLine(fields);
}

const char* kRecordHeader =
    "id,kind,date,time,spo2,pulse,pi,systolic,diastolic,mean,temperature,etco2,fico2,"
    "respiration\n";

int DumpMonitoring(const Output& out, const std::vector<std::uint8_t>& data) {
  const std::optional<MonitorFileContents> contents = ParseMonitorFile(data);
  if (!contents) {
    std::fprintf(out.err(), "wardcli: not a monitoring file: %zu byte(s), less than a patient id\n",
                 data.size());
    return kExitUnreadable;
  }
  out(kRecordHeader);
  for (const VitalRecord& record : contents->records) out(RecordLine(contents->id, record));
  WarnTrailing(out, contents->trailingBytes, "record");
  return kExitOk;
}

int DumpWardRound(const Output& out, const std::vector<std::uint8_t>& data) {
  const CheckFileContents contents = ParseCheckFile(data);
  out(kRecordHeader);
  for (const CheckFileUnit& unit : contents.units) out(RecordLine(unit.id, unit.record));
  WarnTrailing(out, contents.trailingBytes, "id and record unit");
  return kExitOk;
}

int DumpRegister(const Output& out, const std::vector<std::uint8_t>& data) {
  out("id,name,sex,age,height,weight,advice\n");
  std::span<const std::uint8_t> rest(data);
  for (; rest.size() >= PatientInfo::kSize; rest = rest.subspan(PatientInfo::kSize)) {
    const PatientInfo info = PatientInfo::FromBytes(rest.first<PatientInfo::kSize>());
    out(CsvLine({info.id.DisplayText(), Utf16ToUtf8(info.Name()), std::to_string(info.sex),
                 std::to_string(info.age), std::to_string(info.height),
                 std::to_string(info.weight), Utf16ToUtf8(info.Advice())}));
  }
  WarnTrailing(out, rest.size(), "register record");
  return kExitOk;
}

int Usage(const Io& io) {
  std::fputs("usage: wardcli dump [--as mdat|cdat|register] FILE\n", io.err);
  return kExitUsage;
}

}  // namespace

int RunDump(const Args& args) { return Dump(args, Io{stdout, stderr}); }

int Dump(const Args& args, const Io& io) {
  const Output out(io);
  std::optional<FileKind> forced;
  std::optional<std::filesystem::path> file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--as") {
      if (i + 1 >= args.size() || !(forced = KindFromName(args[++i]))) return Usage(io);
    } else if (!file && (args[i].empty() || args[i][0] != '-')) {
      file = PathFromArg(args[i]);
    } else {
      return Usage(io);
    }
  }
  if (!file) return Usage(io);
  const std::optional<FileKind> kind = forced ? forced : KindFromPath(*file);
  if (!kind) {
    std::fprintf(io.err, "wardcli: cannot tell the kind of %s; name it with --as\n",
                 args.back().c_str());
    return kExitUsage;
  }
  std::vector<std::uint8_t> data;
  if (const FileResult read = fileio::ReadAll(*file, data); !read) {
    std::fprintf(io.err, "wardcli: %s: %s\n", args.back().c_str(), Describe(read).c_str());
    return kExitUnreadable;
  }
  switch (*kind) {
    case FileKind::Monitoring: return DumpMonitoring(out, data);
    case FileKind::WardRound: return DumpWardRound(out, data);
    case FileKind::Register: return DumpRegister(out, data);
  }
  return kExitUsage;
}

}  // namespace wd::cli
