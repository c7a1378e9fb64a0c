// source_table.cpp - reading and writing the source's tab-separated tables.
#include "masters/source_table.h"

#include "data/delimited_text.h"
#include "data/numeric.h"
#include "diag/runtime_error.h"
#include "platform/utf8.h"

namespace nk {
namespace {

// Cuts text into rows of cells; line counts from 1 for the first row.
class TableScanner {
public:
  TableScanner(std::string_view text, const std::string& fileName) : text_(text), fileName_(fileName) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  int line() const { return line_; }

  std::vector<std::string> row() {
    std::vector<std::string> cells(1);
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\t') {
        cells.emplace_back();
        ++pos_;
      } else if (c == '\r' || c == '\n') {
        skipLineEnd();
        return cells;
      } else if (c == '"' && cells.back().empty() && !cellStarted_) {
        cells.back() = quotedCell();
        cellStarted_ = true;
        continue;
      } else {
        cells.back() += c;
        ++pos_;
      }
      cellStarted_ = c != '\t';
    }
    return cells;
  }

private:
  void skipLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
    cellStarted_ = false;
  }

  std::string quotedCell() {
    const int opened = line_;
    std::string cell;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size()) failSourceLine(fileName_, opened, "引用符「\"」で始まるセルが閉じていません。");
      const char c = text_[pos_];
      if (c == '"') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
          cell += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] != '\t' && text_[pos_] != '\r' && text_[pos_] != '\n')
          failSourceLine(fileName_, line_, "引用符「\"」で閉じたセルの後に、タブでも行末でもない文字があります。");
        return cell;
      }
      if (c == '\r' || c == '\n') {
        skipLineEnd();
        cell += '\n';
        continue;
      }
      cell += c;
      ++pos_;
    }
  }

  std::string_view text_;
  const std::string& fileName_;
  size_t pos_ = 0;
  int line_ = 1;
  bool cellStarted_ = false;
};

std::string joinedHeader(const std::vector<std::string>& header) {
  std::string joined;
  for (const std::string& name : header) joined += (joined.empty() ? "" : "、") + name;
  return joined;
}

}  // namespace

void failSourceLine(const std::string& fileName, int line, std::string_view detail) {
  throw RuntimeError(fileName + " の " + decimalText(line) + " 行目: " + std::string(detail));
}

size_t firstInvalidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = wellFormedUtf8At(text, i).length;
    if (length == 0) return i;
    i += length;
  }
  return text.size();
}

std::vector<SourceRow> parseSourceTable(std::string_view text, const std::string& fileName,
                                        const std::vector<std::string>& header) {
  text = withoutBom(text);
  if (const size_t bad = firstInvalidUtf8(text); bad < text.size()) {
    int line = 1;
    for (size_t i = 0; i < bad; ++i)
      line += text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    failSourceLine(fileName, line, "UTF-8 として読めないバイトがあります（UTF-8 で保存してください）。");
  }
  TableScanner scanner(text, fileName);
  if (scanner.atEnd() || scanner.row() != header)
    failSourceLine(fileName, 1, "見出しの行は「" + joinedHeader(header) + "」をタブで区切ったものでなければなりません。");
  std::vector<SourceRow> rows;
  while (!scanner.atEnd()) {
    SourceRow row;
    row.line = scanner.line();
    row.cells = scanner.row();
    while (row.cells.size() > header.size() && row.cells.back().empty()) row.cells.pop_back();
    if (row.cells.size() > header.size())
      failSourceLine(fileName, row.line,
                     "セルが " + decimalText(static_cast<long long>(row.cells.size())) + " 個あります（見出しは " +
                         decimalText(static_cast<long long>(header.size())) + " 列です）。");
    row.cells.resize(header.size());
    bool empty = true;
    for (const std::string& cell : row.cells) empty = empty && cell.empty();
    if (!empty) rows.push_back(std::move(row));
  }
  return rows;
}

std::string sourceTableText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
  std::string out;
  auto appendRow = [&](const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out += '\t';
      out += quotedCell(cells[i], "\t\r\n\"");
    }
    out += '\n';
  };
  appendRow(header);
  for (const auto& row : rows) appendRow(row);
  return out;
}

}  // namespace nk
