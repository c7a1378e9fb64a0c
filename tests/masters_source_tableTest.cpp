// masters_source_tableTest.cpp - the source's tables: what a spreadsheet may
// write reads as what was meant; what cannot be read is named by its line.
#include "failure_of.h"
#include "masters/source_table.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

const std::vector<std::string> Header = {"番号", "曲名", "ジャンル"};
using Rows = std::vector<std::vector<std::string>>;

Rows cellsOf(const std::vector<SourceRow>& rows) {
  Rows cells;
  for (const SourceRow& row : rows) cells.push_back(row.cells);
  return cells;
}

TEST(SourceTable, WhatASpreadsheetWritesReadsTheSame) {
  const Rows expected = {{"1", "A\"B", "J-POP "}, {"2", "行\nまたぎ", ""}, {"3", "\ttab", "\"quoted\""}};
  const std::string plain = sourceTableText(Header, expected);
  EXPECT_EQ(plain, "番号\t曲名\tジャンル\n1\t\"A\"\"B\"\tJ-POP \n2\t\"行\nまたぎ\"\t\n3\t\"\ttab\"\t\"\"\"quoted\"\"\"\n");
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"as written", plain},
      {"a byte order mark, CR LF, CR LF inside a cell",
       "\xEF\xBB\xBF番号\t曲名\tジャンル\r\n1\t\"A\"\"B\"\tJ-POP \r\n2\t\"行\r\nまたぎ\"\r\n3\t\"\ttab\"\t\"\"\"quoted\"\"\""},
      {"every cell quoted, rows of empty cells, no line end at the end",
       "\"番号\"\t\"曲名\"\t\"ジャンル\"\n\t\t\n\"1\"\t\"A\"\"B\"\t\"J-POP \"\t\t\n\n\"2\"\t\"行\nまたぎ\"\t\"\"\n\"3\"\t\"\ttab\"\t\"\"\"quoted\"\"\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cellsOf(parseSourceTable(c.text, "t.tsv", Header)), expected);
  }
  const auto rows = parseSourceTable(plain, "t.tsv", Header);
  EXPECT_EQ(rows[2].line, 5);  // the row after a cell of two lines
}

TEST(SourceTable, WhatCannotBeReadIsNamedByItsLine) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"番号\t曲名\n", "t.tsv の 1 行目: 見出しの行は「番号、曲名、ジャンル」をタブで区切ったものでなければなりません。"},
      {"", "t.tsv の 1 行目: 見出しの行は「番号、曲名、ジャンル」をタブで区切ったものでなければなりません。"},
      {"番号\t曲名\tジャンル\n1\t\"開いたまま\n", "t.tsv の 2 行目: 引用符「\"」で始まるセルが閉じていません。"},
      {"番号\t曲名\tジャンル\n1\t\"閉じた\"後\t\n", "t.tsv の 2 行目: 引用符「\"」で閉じたセルの後に、タブでも行末でもない文字があります。"},
      {"番号\t曲名\tジャンル\n1\ta\tb\tc\n", "t.tsv の 2 行目: セルが 4 個あります（見出しは 3 列です）。"},
      {"番号\t曲名\tジャンル\r\n\r\n1\ta\xED\xA0\x80\tb\n", "t.tsv の 3 行目: UTF-8 として読めないバイトがあります（UTF-8 で保存してください）。"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(test::failureOf([&] { parseSourceTable(c.text, "t.tsv", Header); }), c.error);
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80", "\xE3\x81", "\x80"})
    EXPECT_EQ(firstInvalidUtf8(std::string("ok") + bad), 2u) << bad;
  EXPECT_EQ(firstInvalidUtf8("日本語 \xF0\x9F\x98\x80"), std::string("日本語 \xF0\x9F\x98\x80").size());
}

}  // namespace
}  // namespace nk
