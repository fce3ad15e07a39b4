#pragma once
// CSV text as RFC 4180 has it (fields quoted when they hold a comma, a quote or a line break,
// quotes doubled, CRLF between records), in UTF-8 with an optional byte order mark so
// spreadsheet programs read Chinese texts right. Used by the program's list exports and by
// wardcli.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_result.h"

namespace wd {

enum class LineEnd { CrLf, Lf };

struct CsvOptions {
  bool byteOrderMark = false;
  LineEnd lineEnd = LineEnd::CrLf;
};

// One field, quoted when it must be.
std::string CsvField(std::string_view utf8);
// One record: the fields joined by commas, then the line end.
std::string CsvLine(const std::vector<std::string>& utf8Fields, LineEnd lineEnd);

class CsvWriter {
 public:
  explicit CsvWriter(CsvOptions options = {});

  void AddRow(std::span<const std::string> utf8Cells);
  void AddRow(std::span<const std::u16string> cells);
  void AddRow(std::initializer_list<std::string_view> utf8Cells);

  // The UTF-8 bytes so far, the mark first if asked for.
  const std::string& text() const { return text_; }

 private:
  template <typename Cells, typename ToUtf8>
  void Add(const Cells& cells, ToUtf8 toUtf8);

  CsvOptions options_;
  std::string text_;
};

// Writes the text whole or not at all (a temporary file beside the target, then a replace).
FileResult WriteCsvFile(const std::filesystem::path& path, const CsvWriter& csv);

// UTF-16 (the program's and the register's texts) as UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace wd
