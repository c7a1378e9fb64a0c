// source_table.h - the editable source's tables: UTF-8 text, one row a line,
// cells separated by tabs, a header row of column names first.
//
// What a spreadsheet may add when it saves such a file reads back the same:
// a byte order mark, CR LF (or a lone CR) for LF, rows of empty cells, cells
// missing at the end of a row, and quotes around a cell (a cell that begins
// with '"' runs to the next lone '"', '""' standing for one '"'; a line end
// inside it is LF). What this writes is plain: no mark, LF, and a cell quoted
// only when it holds a tab, a line end or a '"'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nk {

struct SourceRow {
  int line = 0;  // the row's first line in the file, counting from 1
  std::vector<std::string> cells;  // as many as the header has columns
};

// The rows after the header, without those whose every cell is empty.
// RuntimeError "<fileName> の <N> 行目: ..." for bytes that are no UTF-8, a
// header other than header, a row with more (non-empty) cells than the
// header, or a quote that does not close.
std::vector<SourceRow> parseSourceTable(std::string_view text, const std::string& fileName,
                                        const std::vector<std::string>& header);

// The text of a table: the header, then one line per row.
std::string sourceTableText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// The error of one row: "<fileName> の <line> 行目: <detail>".
[[noreturn]] void failSourceLine(const std::string& fileName, int line, std::string_view detail);

// Byte offset of the first byte that does not belong to a well-formed UTF-8
// character (overlong forms, surrogates and values past U+10FFFF included);
// text.size() when there is none.
size_t firstInvalidUtf8(std::string_view text);

}  // namespace nk
