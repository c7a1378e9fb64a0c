// text_table.h - the read-only tables of texts that the dialogs show (the
// backups, a paste's review): a QTableWidget with its heading, whole rows
// selected, no editing, columns as wide as their texts but one that takes
// the rest; and one row of ready texts, numbers to the right.
#pragma once

#include <QTableWidget>

#include <string>
#include <vector>

namespace nk {

// header(c) names column c (no header: the caller names them).
QTableWidget* makeTextTable(QWidget& parent, const char* name, int columns, const char* (*header)(int), int stretch);

// Cells from firstNumber on (and the first one, when firstIsNumber) are numbers.
void setTextRow(QTableWidget& table, int row, const std::vector<std::string>& cells, int firstNumber,
                bool firstIsNumber = false);

}  // namespace nk
