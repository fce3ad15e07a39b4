#include "data/id_file_name.h"

#include <array>
#include <cstdio>

namespace wd {
namespace {

// Device names Windows keeps in every folder, whatever the extension.
bool IsReservedOnWindows(std::string_view stem) {
  static constexpr std::array<std::string_view, 4> kNames{"CON", "PRN", "AUX", "NUL"};
  for (std::string_view name : kNames) {
    if (stem == name) return true;
  }
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '0' && stem[3] <= '9';
}

bool IsPlain(std::uint8_t byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z');
}

std::string Escaped(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%%%02X", byte);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string FileNameForId(const PatientId& id) {
  std::size_t length = id.bytes.size();
  while (length > 0 && id.bytes[length - 1] == 0) --length;
  std::string name;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t byte = id.bytes[i];
    // Lower-case letters are escaped: on a file system that ignores case they would meet
    // the capitals of another id.
    name += IsPlain(byte) ? std::string(1, static_cast<char>(byte)) : Escaped(byte);
  }
  if (name.empty()) return Escaped(0);
  if (IsReservedOnWindows(name)) name = Escaped(id.bytes[0]) + name.substr(1);
  return name;
}

std::optional<PatientId> IdFromFileName(std::string_view name) {
  PatientId id;
  std::size_t length = 0;
  for (std::size_t i = 0; i < name.size(); ++length) {
    if (length == kPatientIdSize) return std::nullopt;
    if (name[i] != '%') {
      id.bytes[length] = static_cast<std::uint8_t>(name[i]);
      ++i;
      continue;
    }
    if (i + 2 >= name.size()) return std::nullopt;
    const int high = HexDigit(name[i + 1]);
    const int low = HexDigit(name[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    id.bytes[length] = static_cast<std::uint8_t>(high * 16 + low);
    i += 3;
  }
  // Only the one spelling FileNameForId makes: no other name may stand for the same id.
  if (FileNameForId(id) != name) return std::nullopt;
  return id;
}

}  // namespace wd
