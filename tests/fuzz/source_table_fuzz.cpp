// source_table_fuzz.cpp - a table of the master-data kit's source on any
// bytes, under one of the kit's headers: refused with its file and line, or
// read, and then written by the kit's writer to a table that reads the same.
#include "diag/runtime_error.h"
#include "fuzz_support.h"
#include "masters/source_table.h"

#include <array>

using namespace nk;
using fuzz::require;

namespace {

const std::array<std::vector<std::string>, 4> Headers = {{
    {"曲番号", "曲名", "ジャンル"},
    {"エントリ番号", "曲番号", "表", "裏"},
    {"番号", "エントリ番号", "譜面"},
    {"要求バージョン", "案内"},
}};

const std::string FileName = "songlist.tsv";

// Lines of the text as an editor counts them: LF, CR LF or a lone CR ends one.
int linesOf(std::string_view text) {
  int lines = 1;
  for (size_t i = 0; i < text.size(); ++i)
    lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
  return lines;
}

std::vector<std::vector<std::string>> cellsOf(const std::vector<SourceRow>& rows) {
  std::vector<std::vector<std::string>> cells;
  for (const SourceRow& row : rows) cells.push_back(row.cells);
  return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<std::string>& header = Headers[data[0] % Headers.size()];
  const std::string_view text = fuzz::bytesOf(data + 1, size - 1);
  std::vector<SourceRow> rows;
  std::string error;
  try {
    rows = parseSourceTable(text, FileName, header);
  } catch (const RuntimeError& e) {
    error = e.what();
  }
  if (!error.empty()) {
    // "songlist.tsv の <N> 行目: ..." with N a line of the file.
    const std::string lead = FileName + " の ";
    require(error.starts_with(lead), "a refusal without the file's name");
    const size_t number = error.find(" 行目: ", lead.size());
    require(number != std::string::npos && number > lead.size(), "a refusal without a line");
    const std::string digits = error.substr(lead.size(), number - lead.size());
    require(digits.find_first_not_of("0123456789") == std::string::npos && digits.size() < 10, "a line that is no number");
    const int line = std::stoi(digits);
    require(line >= 1 && line <= linesOf(text), "a refusal names a line the file does not have");
    return 0;
  }
  int previous = 1;
  for (const SourceRow& row : rows) {
    require(row.cells.size() == header.size(), "a row of another width than the header");
    require(row.line > previous && row.line <= linesOf(text), "a row's line out of order or past the file");
    previous = row.line;
    bool empty = true;
    for (const std::string& cell : row.cells) empty = empty && cell.empty();
    require(!empty, "an empty row was kept");
    for (const std::string& cell : row.cells)
      require(firstInvalidUtf8(cell) == cell.size(), "a cell that is no UTF-8");
  }
  // The kit's writer gives a table that reads as the same rows.
  const std::string written = sourceTableText(header, cellsOf(rows));
  std::vector<SourceRow> again;
  const bool read = fuzz::allowingRuntimeError([&] { again = parseSourceTable(written, FileName, header); });
  require(read, "the written table is refused");
  require(cellsOf(again) == cellsOf(rows), "the written table reads otherwise");
  require(sourceTableText(header, cellsOf(again)) == written, "writing the table again gives other bytes");
  return 0;
}
