// delimited_textTest.cpp - the byte-order mark, the three line ends and
// quoted cells, read and written.
#include "data/delimited_text.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

using Views = std::vector<std::string_view>;
using Strings = std::vector<std::string>;

TEST(DelimitedText, ByteOrderMarkPassedOverOnlyInFront) {
  EXPECT_EQ(withoutBom("\xEF\xBB\xBF" "a,b"), "a,b");
  EXPECT_EQ(withoutBom("a,b"), "a,b");
  EXPECT_EQ(withoutBom("\xEF\xBB\xBF"), "");
  EXPECT_EQ(withoutBom("\xEF\xBB"), "\xEF\xBB");  // cut short: not a mark
  EXPECT_EQ(withoutBom("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF");
  EXPECT_EQ(withoutBom("\xEF\xBB\xBF\xEF\xBB\xBF"), "\xEF\xBB\xBF");  // one mark, once
}

TEST(DelimitedText, LinesByEveryEnd) {
  const struct {
    std::string_view text;
    Views all, complete;
  } cases[] = {
      {"", {}, {}},
      {"a", {"a"}, {}},
      {"a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
      {"a\nb\n", {"a", "b"}, {"a", "b"}},
      {"a\rb\r", {"a", "b"}, {}},  // a lone CR ends a pasted line, never a log's record
      {"a\r\n\r\nb", {"a", "", "b"}, {"a", ""}},
      {"a\n\rb", {"a", "", "b"}, {"a"}},
      {"a\r\r\nb\n", {"a", "", "b"}, {"a\r", "b"}},
      {"\n", {""}, {""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitLines(c.text), c.all);
    EXPECT_EQ(completeLines(c.text), c.complete);
  }
}

TEST(DelimitedText, CellsReadWithQuotes) {
  const struct {
    std::string_view line;
    char separator;
    Strings cells;
  } cases[] = {
      {"", ',', {""}},
      {"a,b,", ',', {"a", "b", ""}},
      {"\"980,000\",x", ',', {"980,000", "x"}},
      {"\"say \"\"hi\"\"\",1", ',', {"say \"hi\"", "1"}},
      {"\"\"", ',', {""}},
      {"\"a\"b,c", ',', {"ab", "c"}},      // what follows the closing quote stays in the cell
      {"a\"b\",c", ',', {"a\"b\"", "c"}},  // a quote inside a cell is a character
      {"\"open,to the end", ',', {"open,to the end"}},
      {"a,b\tc", '\t', {"a,b", "c"}},
      {" \"x\" ", ',', {" \"x\" "}},  // a quote after a blank does not open
  };
  for (const auto& c : cases) EXPECT_EQ(splitCells(c.line, c.separator), c.cells) << c.line;
}

TEST(DelimitedText, CellsWrittenAndReadBack) {
  const std::string_view Csv = ",\"\r\n";
  const struct {
    std::string_view cell, csv;
  } cases[] = {
      {"", ""}, {"plain", "plain"}, {"1,000", "\"1,000\""}, {"a\"b", "\"a\"\"b\""},
      {"two\r\nlines", "\"two\r\nlines\""}, {"\"", "\"\"\"\""}, {"tab\there", "tab\there"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quotedCell(c.cell, Csv), c.csv) << c.cell;
    if (c.cell.find_first_of("\r\n") != std::string_view::npos) continue;  // a line holds no line end
    EXPECT_EQ(splitCells(quotedCell(c.cell, Csv) + "," + quotedCell(c.cell, Csv), ','),
              (Strings{std::string(c.cell), std::string(c.cell)}));
  }
  EXPECT_EQ(quotedCell("tab\there", "\t\r\n\""), "\"tab\there\"");
}

}  // namespace
}  // namespace nk
