#include "data/csv_writer.h"

#include <cstdint>

#include "data/file_io.h"

namespace wd {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvLine(const std::vector<std::string>& fields, LineEnd lineEnd) {
  CsvWriter line({false, lineEnd});
  line.AddRow(fields);
  return line.text();
}

CsvWriter::CsvWriter(CsvOptions options) : options_(options) {
  if (options_.byteOrderMark) text_ = "\xEF\xBB\xBF";
}

template <typename Cells, typename ToUtf8>
void CsvWriter::Add(const Cells& cells, ToUtf8 toUtf8) {
  bool first = true;
  for (const auto& cell : cells) {
    if (!first) text_ += ',';
    text_ += CsvField(toUtf8(cell));
    first = false;
  }
  text_ += options_.lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
}

void CsvWriter::AddRow(std::span<const std::string> cells) {
  Add(cells, [](const std::string& cell) -> std::string_view { return cell; });
}

void CsvWriter::AddRow(std::span<const std::u16string> cells) {
  Add(cells, [](const std::u16string& cell) { return Utf16ToUtf8(cell); });
}

void CsvWriter::AddRow(std::initializer_list<std::string_view> cells) {
  Add(cells, [](std::string_view cell) { return cell; });
}

FileResult WriteCsvFile(const std::filesystem::path& path, const CsvWriter& csv) {
  const std::string& text = csv.text();
  return fileio::ReplaceAtomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace wd
